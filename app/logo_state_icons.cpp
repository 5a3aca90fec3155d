#include "app/logo_state_icons.h"

#include <QPainter>

namespace tavo::app {

QPixmap LogoStateIcon(int image) {
    if (image != 1 && image != 2) return {};
    const bool blue = image == 2;
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setPen(QColor(28, 81, 128));
    painter.setBrush(blue ? QColor(49, 106, 197) : QColor(255, 255, 255));
    painter.drawRect(1, 1, 13, 13);
    // The ellipsis: three dots on the box's lower half.
    const QColor dot = blue ? QColor(255, 255, 255) : QColor(0, 0, 0);
    for (int x : {4, 7, 10})
        painter.fillRect(x, 9, 2, 2, dot);
    return icon;
}

} // namespace tavo::app
