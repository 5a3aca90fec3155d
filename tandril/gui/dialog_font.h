#pragma once
// The one font the library's dialogs share: Arial, 14 pixels high, normal weight. Made by the first
// dialog that needs it and released when the library unloads.
#include <QFont>

namespace tandril::gui {

const QFont& DialogFont();
void ReleaseDialogFont();

} // namespace tandril::gui
