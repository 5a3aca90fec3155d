#include "app/template_font.h"

namespace tavo::app {

QFont TemplateFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics) {
    return BaseUnitsOfFont(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
}

} // namespace tavo::app
