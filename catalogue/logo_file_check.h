#pragma once
// Whether a file the operator chose can stand for one of the DVR's pictures. Only the file's
// headers are read, never the whole file.
#include "catalogue/logo_rows.h"

#include <string_view>

namespace tavo {

enum class LogoFileCheck {
    Unreadable, // the file cannot be opened
    Refused,    // not a whole bitmap of the row's format
    Accepted,
};

// Accepted for a bitmap file ("BM") whose information header is at least 40 bytes long, whose bit
// count, width and height are the row's (a negative height, a top-down bitmap, is not) and which
// holds every pixel row those promise. Anything shorter than the two headers, or not a bitmap at
// all, is refused rather than judged by bytes it does not have.
LogoFileCheck CheckLogoFile(std::string_view path, const LogoRowFormat& row);

} // namespace tavo
