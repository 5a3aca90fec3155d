#include "platform/registry_hive.h"

#include <array>
#include <set>

namespace plat::reg {

namespace {

constexpr std::string_view kMagic = "TAVOHIVE";
constexpr std::size_t kHeaderSize = 24; // magic, version, reserved, payload length
constexpr std::size_t kChecksumSize = 4;

// CRC-32 as zlib and PNG compute it (reflected polynomial 0xEDB88320).
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}();

std::uint32_t Crc32(std::string_view bytes) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (char byte : bytes)
        c = kCrcTable[(c ^ static_cast<unsigned char>(byte)) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void PutU32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFFu);
}

void PutU64(std::string& out, std::uint64_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
    PutU32(out, static_cast<std::uint32_t>(value >> 32));
}

void PutBytes(std::string& out, std::string_view bytes) {
    PutU32(out, static_cast<std::uint32_t>(bytes.size()));
    out.append(bytes);
}

void PutKey(std::string& out, const TreeKey& key) {
    PutBytes(out, key.name);
    PutU32(out, static_cast<std::uint32_t>(key.values.size()));
    for (const TreeValue& value : key.values) {
        PutBytes(out, value.name);
        PutU32(out, value.type);
        PutBytes(out, value.data);
    }
    PutU32(out, static_cast<std::uint32_t>(key.subkeys.size()));
    for (const TreeKey& child : key.subkeys)
        PutKey(out, child);
}

std::uint64_t GetLittleEndian(std::string_view bytes) {
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

// Reads the payload; every length is checked against what is left, so no field can reach past it.
class Reader {
  public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}
    bool done() const { return rest_.empty(); }

    bool U32(std::uint32_t* value) {
        if (rest_.size() < 4) return false;
        *value = static_cast<std::uint32_t>(GetLittleEndian(rest_.substr(0, 4)));
        rest_.remove_prefix(4);
        return true;
    }
    bool Bytes(std::string* bytes) {
        std::uint32_t size = 0;
        if (!U32(&size) || rest_.size() < size) return false;
        bytes->assign(rest_.substr(0, size));
        rest_.remove_prefix(size);
        return true;
    }
    bool Key(TreeKey* key, std::size_t depth, bool top) {
        if (depth > kMaxTreeDepth || !Bytes(&key->name)) return false;
        // The top key's name is the saved key's, which may be a root's long name.
        if (top ? key->name.find('\\') != std::string::npos : !IsKeyName(key->name)) return false;
        std::uint32_t count = 0;
        if (!U32(&count)) return false;
        std::set<std::string> names;
        for (std::uint32_t i = 0; i < count; ++i) {
            TreeValue& value = key->values.emplace_back();
            if (!Bytes(&value.name) || !U32(&value.type) || !Bytes(&value.data)) return false;
            if (value.name.size() > kMaxValueNameLength || value.name.find('\0') != std::string::npos ||
                !names.insert(Folded(value.name)).second)
                return false;
        }
        if (!U32(&count)) return false;
        names.clear();
        for (std::uint32_t i = 0; i < count; ++i) {
            TreeKey& child = key->subkeys.emplace_back();
            if (!Key(&child, depth + 1, false) || !names.insert(Folded(child.name)).second) return false;
        }
        return true;
    }

  private:
    std::string_view rest_;
};

} // namespace

std::string EncodeHive(const TreeKey& top) {
    std::string payload;
    PutKey(payload, top);
    std::string file(kMagic);
    PutU32(file, kHiveVersion);
    PutU32(file, 0);
    PutU64(file, payload.size());
    file += payload;
    PutU32(file, Crc32(file));
    return file;
}

std::optional<TreeKey> DecodeHive(std::string_view file) {
    if (file.size() < kHeaderSize + kChecksumSize || file.substr(0, kMagic.size()) != kMagic)
        return std::nullopt;
    if (GetLittleEndian(file.substr(8, 4)) != kHiveVersion || GetLittleEndian(file.substr(12, 4)) != 0)
        return std::nullopt;
    const std::uint64_t payloadSize = GetLittleEndian(file.substr(16, 8));
    if (payloadSize != file.size() - kHeaderSize - kChecksumSize) return std::nullopt;
    const std::string_view covered = file.substr(0, file.size() - kChecksumSize);
    if (Crc32(covered) != GetLittleEndian(file.substr(covered.size()))) return std::nullopt;
    Reader reader(covered.substr(kHeaderSize));
    TreeKey top;
    if (!reader.Key(&top, 0, true) || !reader.done()) return std::nullopt;
    return top;
}

} // namespace plat::reg
