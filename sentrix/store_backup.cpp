#include "store_backup.h"

#include "password_store.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/paths.h"

#include <sodium.h>

#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

namespace sentrix {

namespace {

constexpr std::string_view kBackupName = "BackPass.bin";
constexpr std::string_view kMagic{"SENTRIX\x1a", 8};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kFieldsSize = 16; // magic, version, length
constexpr std::size_t kChecksumSize = crypto_generichash_BYTES;
constexpr std::size_t kHeaderSize = kFieldsSize + kChecksumSize;

using Checksum = std::array<unsigned char, kChecksumSize>;

void AppendU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFu));
}

std::uint32_t ReadU32(std::string_view in, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
    return value;
}

Checksum ChecksumOf(std::string_view fields, std::string_view store) {
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, kChecksumSize);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(fields.data()), fields.size());
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(store.data()), store.size());
    Checksum sum{};
    crypto_generichash_final(&state, sum.data(), sum.size());
    return sum;
}

std::string Seal(std::string_view store) {
    std::string file(kMagic);
    AppendU32(file, kVersion);
    AppendU32(file, static_cast<std::uint32_t>(store.size()));
    Checksum sum = ChecksumOf(file, store);
    file.append(reinterpret_cast<const char*>(sum.data()), sum.size());
    file.append(store);
    return file;
}

// The store inside an exported file, or nullopt when the file is not one this version wrote whole.
std::optional<std::string_view> Unseal(std::string_view file) {
    if (file.size() < kHeaderSize || file.substr(0, kMagic.size()) != kMagic) return std::nullopt;
    if (ReadU32(file, 8) != kVersion || ReadU32(file, 12) != file.size() - kHeaderSize) return std::nullopt;
    std::string_view store = file.substr(kHeaderSize);
    Checksum sum = ChecksumOf(file.substr(0, kFieldsSize), store);
    if (std::memcmp(sum.data(), file.data() + kFieldsSize, kChecksumSize) != 0) return std::nullopt;
    return store;
}

std::string PackageCopy(std::string_view packageFolder) {
    std::string path(packageFolder);
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    return path + std::string(kBackupName);
}

std::uint32_t WriteCopy(const std::string& path, std::string_view bytes) {
    return plat::WriteFileAtomic(path, bytes) ? plat::kErrorSuccess : plat::LastError();
}

} // namespace

std::uint32_t ExportStore(std::string_view packageFolder) {
    if (packageFolder.empty()) return plat::kErrorInvalidParameter;
    if (!CryptoReady()) return kErrorInternalError;
    std::string store;
    if (std::uint32_t code = ReadStoreBytes(store)) return code;
    if (store.size() > std::numeric_limits<std::uint32_t>::max()) return kErrorInvalidData;
    std::string file = Seal(store);

    std::string tempFolder = plat::TempFolder() + "Tavo";
    std::uint32_t made = plat::CreateFolderChain(tempFolder);
    if (made != plat::kErrorSuccess && made != plat::kErrorAlreadyExists) return made;
    if (std::uint32_t code = WriteCopy(tempFolder + "\\" + std::string(kBackupName), file)) return code;
    return WriteCopy(PackageCopy(packageFolder), file);
}

std::uint32_t ImportStore(std::string_view packageFolder) {
    if (packageFolder.empty()) return plat::kErrorInvalidParameter;
    if (!CryptoReady()) return kErrorInternalError;
    std::optional<std::string> file = plat::ReadFileBytes(PackageCopy(packageFolder));
    if (!file) return plat::LastError();
    std::optional<std::string_view> store = Unseal(*file);
    if (!store) return kErrorInvalidData;
    return ReplaceStore(*store);
}

} // namespace sentrix
