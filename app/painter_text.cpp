#include "app/painter_text.h"

#include "app/ansi_text.h"

namespace tavo::app {

TextMetrics::Extent PainterTextMetrics::TextExtent(std::string_view text) const {
    const QString line = FromAnsi(text);
    return {metrics_.horizontalAdvance(line), metrics_.height()};
}

void PaintWrappedText(QPainter& painter, std::string_view text, int x, int y, int width, int height) {
    const PainterTextMetrics metrics(painter.fontMetrics());
    const int ascent = painter.fontMetrics().ascent();
    DrawWrappedText(
        metrics,
        [&](int left, int top, std::string_view line) { painter.drawText(left, top + ascent, FromAnsi(line)); },
        text, x, y, width, height, 0);
}

} // namespace tavo::app
