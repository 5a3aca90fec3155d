#pragma once
// The button and text colours of the settings INI: three decimal numbers separated by commas, red
// first ("255,0,0"). A component left empty keeps the value the same component had in the colour
// read before it, so one reader is used for all colour keys of a start, in their order.
#include <cstdint>
#include <string_view>

namespace tavo::app {

// A colour in the Windows RGB layout: red in bits 0-7, green in 8-15, blue in 16-23.
using Colour = std::uint32_t;

class ColourReader {
  public:
    // Reads one colour text, updating the components it names, and returns the colour they make.
    Colour Read(std::string_view text);

  private:
    // The components as read, not yet cut to 8 bits; 0 before the first colour.
    int components_[3] = {0, 0, 0};
};

// The decimal value at the front of a piece as the C library reads it: leading blanks skipped, an
// optional sign, digits up to the first non-digit; 0 when there are none. Wraps like 32-bit
// arithmetic for values that do not fit.
int DecimalPrefix(std::string_view text);

} // namespace tavo::app
