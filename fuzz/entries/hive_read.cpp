// The hive file reader: any bytes are decoded or refused without harm. The input is also read with
// its payload length and checksum mended, so that the checks behind those see fuzzed bytes too; whatever
// decodes encodes back to the very same bytes, as the format has one spelling of each tree.
#include "fuzz/entries/fuzz_check.h"
#include "fuzz/entries/fuzz_entries.h"
#include "platform/registry_hive.h"

#include <optional>
#include <string>

namespace tavo::fuzz {

namespace {

constexpr std::size_t kHeaderSize = 24;
constexpr std::size_t kLengthOffset = 16;
constexpr std::size_t kChecksumSize = 4;

void PutLittleEndian(std::string& bytes, std::size_t offset, std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[offset + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// CRC-32 as zlib computes it, which the format uses.
std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes) {
        c ^= static_cast<unsigned char>(byte);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    return c ^ 0xFFFFFFFFu;
}

// The input with the payload length of its header and its closing checksum made to fit the rest.
std::optional<std::string> Mended(std::string bytes) {
    if (bytes.size() < kHeaderSize + kChecksumSize) return std::nullopt;
    PutLittleEndian(bytes, kLengthOffset, bytes.size() - kHeaderSize - kChecksumSize, 8);
    const std::size_t covered = bytes.size() - kChecksumSize;
    PutLittleEndian(bytes, covered, Crc32(std::string_view(bytes).substr(0, covered)), 4);
    return bytes;
}

void CheckFile(const std::string& bytes) {
    const std::optional<plat::reg::TreeKey> tree = plat::reg::DecodeHive(bytes);
    if (tree)
        Check(plat::reg::EncodeHive(*tree) == bytes, "a decoded hive does not encode back to its bytes");
}

} // namespace

int FuzzHive(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CheckFile(bytes);
    if (std::optional<std::string> mended = Mended(bytes)) CheckFile(*mended);
    return 0;
}

} // namespace tavo::fuzz
