#pragma once
// Dialog units: the layout unit of dialog templates, a quarter of the dialog font's average
// character width across and an eighth of its height down.
namespace tavo::app {

struct DialogBaseUnits {
    int x = 0; // average character width in pixels
    int y = 0; // character height in pixels
};

// The base units of a font, as the system computes them: `alphabetWidth` is the width in pixels
// of "A".."Z" followed by "a".."z", `fontHeight` the font's height in pixels.
DialogBaseUnits BaseUnitsOfFont(int alphabetWidth, int fontHeight);

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRect&) const = default;
};

// A rectangle of a dialog template in pixels of a dialog with these base units.
PixelRect DialogRectToPixels(DialogBaseUnits units, int x, int y, int width, int height);

// number × numerator ÷ denominator with a 64-bit product, rounded half away from zero; -1 for a
// denominator of 0, as the system answers.
int MulDiv(int number, int numerator, int denominator);

} // namespace tavo::app
