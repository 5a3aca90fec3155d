#include "app/check_icons.h"

#include <QPainter>
#include <QPainterPath>

#include <map>

namespace tavo::app {

namespace {

struct IconLook {
    bool grey;
    bool checked;
    bool mirrored;
};

QPixmap DrawCheckIcon(const IconLook& look) {
    QPixmap icon(16, 16);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    const QRect box(1, 1, 13, 13);
    painter.setPen(look.grey ? QColor(160, 160, 160) : QColor(28, 81, 128));
    painter.setBrush(look.grey ? QColor(220, 220, 220) : QColor(255, 255, 255));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
    if (look.checked) {
        painter.setRenderHint(QPainter::Antialiasing);
        QPen mark(look.grey ? QColor(128, 128, 128) : QColor(33, 161, 33), 2.0);
        mark.setCapStyle(Qt::SquareCap);
        painter.setPen(mark);
        QPainterPath path;
        path.moveTo(4.0, 7.5);
        path.lineTo(6.5, 10.0);
        path.lineTo(11.0, 4.5);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.end();
    // A right-to-left icon is the mirror image of the whole picture.
    return look.mirrored ? QPixmap::fromImage(icon.toImage().mirrored(true, false)) : icon;
}

} // namespace

QPixmap CheckIcon(int resource) {
    static const std::map<int, IconLook> looks{{131, {false, false, false}}, {132, {false, true, false}},
                                               {133, {true, false, false}},  {134, {true, true, false}},
                                               {143, {false, true, true}},   {142, {true, true, true}}};
    const auto look = looks.find(resource);
    return look == looks.end() ? QPixmap() : DrawCheckIcon(look->second);
}

} // namespace tavo::app
