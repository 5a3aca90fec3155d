#pragma once
// Word-wrapped text drawn with the toolkit: the text metrics of a painter's font, and
// DrawWrappedText onto a painter.
#include "engine/wrapped_text.h"

#include <QFontMetrics>
#include <QPainter>

#include <string_view>

namespace tavo::app {

class PainterTextMetrics : public TextMetrics {
  public:
    explicit PainterTextMetrics(const QFontMetrics& metrics) : metrics_(metrics) {}
    Extent TextExtent(std::string_view text) const override;
    int AverageCharWidth() const override { return metrics_.averageCharWidth(); }
    int FontHeight() const override { return metrics_.height(); }

  private:
    QFontMetrics metrics_;
};

// Draws `text` (cp1252) word-wrapped in the painter's current font and pen, from (x, y) in a box
// of width x height (height 0: three lines at most).
void PaintWrappedText(QPainter& painter, std::string_view text, int x, int y, int width, int height);

} // namespace tavo::app
