#include "tandril/gui/check_state_icons.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <array>

namespace tandril::gui {

namespace {

QIcon Draw(bool checked, bool disabled) {
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = disabled ? QColor(150, 150, 150) : QColor(30, 30, 30);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(disabled ? QColor(225, 225, 225) : QColor(Qt::white));
    painter.drawRect(QRectF(1.5, 1.5, 12, 12));
    if (checked) {
        painter.setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(
            std::array<QPointF, 3>{QPointF(4, 8), QPointF(6.5, 10.5), QPointF(11, 4.5)}.data(), 3);
    }
    painter.end();
    return QIcon(picture);
}

} // namespace

const QIcon& CheckStateIcon(int image) {
    // Made on first use: pictures need the toolkit's application object.
    static const std::array<QIcon, 4> icons = {Draw(false, false), Draw(true, false), Draw(false, true),
                                               Draw(true, true)};
    return icons[static_cast<std::size_t>(std::clamp(image, 0, 3))];
}

} // namespace tandril::gui
