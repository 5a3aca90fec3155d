#pragma once
// The text encodings a profile file can have and the conversions between them and the ANSI code page
// (cp1252) that the profile functions speak. A file with a UTF-8 or UTF-16 byte-order mark is read in
// that encoding; any other file is ANSI and its bytes pass through unchanged.
#include <cstddef>
#include <string>
#include <string_view>

namespace plat::profile {

enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct DetectedEncoding {
    TextEncoding encoding = TextEncoding::Ansi;
    std::size_t bomSize = 0; // bytes of the byte-order mark at offset 0
};

DetectedEncoding DetectEncoding(std::string_view bytes);

// Bytes per code unit: 2 for UTF-16, else 1.
inline std::size_t UnitSize(TextEncoding encoding) {
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ? 2 : 1;
}

// Text of the file's encoding (no BOM) as cp1252; what cp1252 lacks, and malformed sequences,
// become '?'.
std::string DecodeToAnsi(TextEncoding encoding, std::string_view raw);

// cp1252 text in the file's encoding. Lossless: cp1252 bytes without a character of their own
// (81 8D 8F 90 9D) map to the C1 controls of the same value and back.
std::string EncodeFromAnsi(TextEncoding encoding, std::string_view text);

} // namespace plat::profile
