#include "app/dialog_units.h"

#include <cstdint>

namespace tavo::app {

DialogBaseUnits BaseUnitsOfFont(int alphabetWidth, int fontHeight) {
    return {(alphabetWidth / 26 + 1) / 2, fontHeight};
}

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
    return static_cast<int>(negative ? -rounded : rounded);
}

PixelRect DialogRectToPixels(DialogBaseUnits units, int x, int y, int width, int height) {
    return {MulDiv(x, units.x, 4), MulDiv(y, units.y, 8), MulDiv(width, units.x, 4),
            MulDiv(height, units.y, 8)};
}

} // namespace tavo::app
