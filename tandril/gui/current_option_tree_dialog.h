#pragma once
// The option-tree dialog of the exports: the library shows one such window at a time, and its tree
// is the library's current option tree, kept after the window has gone.
#include <string>

class QWidget;

namespace tandril::gui {

// Runs a new dialog of tree `name` modally, owned by `parent` (may be null): 1 after OK, 2 after
// Cancel (or when the window was destroyed meanwhile), -1 when no window can be shown or the states
// could not be written.
int DoModalOptionTreeDialog(QWidget* parent, const std::string& name);

// Shows the current dialog without activating it when it holds tree `name`; otherwise makes a
// modeless dialog of that tree from template `templateId` (1000, the only option-tree template),
// owned by `parent`. False when nothing could be shown.
bool ShowOptionTreeDialog(const std::string& name, QWidget* parent, int templateId);

// Destroys the window of the current dialog, if it has one.
void DestroyOptionTreeDialog();

} // namespace tandril::gui
