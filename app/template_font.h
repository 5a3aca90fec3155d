#pragma once
// The font of the program's dialog templates, Arial 9 points, and the dialog base units that turn
// a template's dialog units into pixels.
#include "app/dialog_units.h"

#include <QFont>
#include <QFontMetrics>

namespace tavo::app {

// The font system substitutes the closest installed face when Arial is missing.
QFont TemplateFont();

DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics);

} // namespace tavo::app
