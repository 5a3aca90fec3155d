#pragma once
// A packed bitmap as the toolkit's image, the way the bitmap drawing functions show it.
#include "app/colour_text.h"
#include "app/dib_file.h"

#include <QImage>
#include <QPixmap>

#include <optional>

namespace tavo::app {

QImage DibImage(const PackedDib& dib);
// With a mask colour, the pixels of exactly that colour become see-through.
QPixmap MaskedPixmap(const PackedDib& dib, std::optional<Colour> maskColour);

} // namespace tavo::app
