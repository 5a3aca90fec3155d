#pragma once
// The four pictures of its own that the DVR shows and that the custom logo dialog lets the operator
// replace: the splash picture, the picture of a camera without video, the picture shown when video
// is lost and the picture of the About box. Each row has its key in section "BMP_LOGO" of the
// suite's palette INI, the DVR's own file and the one format a replacement must have.
#include <array>
#include <string>
#include <string_view>

namespace tavo {

struct LogoRowFormat {
    std::string_view key;         // in section "BMP_LOGO" of "OrvPal.ini"
    std::string_view defaultFile; // in the "CommRes" folder of the DVR's install folder
    int bitCount;
    int width;
    int height;
};

// The DVR reads the fourth key spelled "Verision".
inline constexpr std::array<LogoRowFormat, 4> kLogoRows{{
    {"Logo", "Splash.bmp", 24, 316, 272},
    {"NoVideo", "camlogo.bmp", 24, 720, 576},
    {"VideoLost", "VLost.bmp", 24, 720, 576},
    {"Verision", "About_Version.bmp", 24, 549, 109},
}};

// A bare name: the palette INI lives in the Windows folder.
inline constexpr std::string_view kLogoIni = "OrvPal.ini";
inline constexpr std::string_view kLogoSection = "BMP_LOGO";

// The file a row shows while "BMP_LOGO" names none: the row's default file in "CommRes" of the
// DVR's install folder, or under "%DVR%" when that folder is not known.
std::string DefaultLogoPath(std::string_view dvrFolder, std::string_view defaultFile);

} // namespace tavo
