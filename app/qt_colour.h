#pragma once
// A colour of the settings INI (Windows RGB layout) as the toolkit's colour.
#include "app/colour_text.h"

#include <QColor>

namespace tavo::app {

inline QColor ToQColor(Colour colour) {
    return QColor(static_cast<int>(colour & 0xFFu), static_cast<int>(colour >> 8 & 0xFFu),
                  static_cast<int>(colour >> 16 & 0xFFu));
}

} // namespace tavo::app
