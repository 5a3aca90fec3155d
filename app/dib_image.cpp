#include "app/dib_image.h"

#include "app/qt_colour.h"

#include <QBitmap>

namespace tavo::app {

QImage DibImage(const PackedDib& dib) {
    if (dib.Width() == 0 || dib.Height() == 0) return {};
    // Rows are stored bottom row first; the row of the image's top is the dib's last.
    const QImage bottomUp(dib.Row(0), dib.Width(), dib.Height(), dib.Stride(), QImage::Format_BGR888);
    return bottomUp.mirrored(false, true);
}

QPixmap MaskedPixmap(const PackedDib& dib, std::optional<Colour> maskColour) {
    QPixmap pixmap = QPixmap::fromImage(DibImage(dib));
    if (maskColour && !pixmap.isNull())
        pixmap.setMask(pixmap.createMaskFromColor(ToQColor(*maskColour), Qt::MaskInColor));
    return pixmap;
}

} // namespace tavo::app
