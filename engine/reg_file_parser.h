#pragma once
// Registry text files in the registry editor's format ("Windows Registry Editor Version 5.00"),
// read into keys and values without touching the registry, so that a file with an error anywhere
// changes nothing.
//
// The file is ANSI text (an UTF-8 byte-order mark is passed over), lines end with LF or CR LF.
// Blank lines and lines starting with ';' are ignored. A key line is "[ROOT\path]"; a value line
// '"name"=' or "@=" (the default value) followed by "\"text\"" (REG_SZ; \\ and \" are the only
// escapes), "dword:" and 1 to 8 hex digits, "hex:" (REG_BINARY) or "hex(T):" (type T in hex) with
// comma-separated bytes, continued on the next line after a final '\'. Deletions ("[-key]",
// "name"=-) are not read.
#include "platform/registry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

struct RegFileValue {
    std::string name; // empty: the default value
    std::uint32_t type = plat::kRegNone;
    std::string data; // the bytes as stored; a quoted text has its NUL
};

struct RegFileKey {
    plat::HKey root = 0;
    std::string subKey; // components joined by '\'; empty for the root itself
    std::vector<RegFileValue> values;
};

struct RegFileParse {
    std::vector<RegFileKey> keys; // in the order of the file
    std::size_t errorLine = 0;    // 0 when the file is well made
    std::string error;            // what is wrong on that line
};

// The largest value data a file may give: the registry's "standard" limit for one value.
inline constexpr std::size_t kRegFileMaxData = 1024 * 1024;

RegFileParse ParseRegFile(std::string_view text);

struct KeyPath {
    plat::HKey root = 0;
    std::string subKey;
};

// "HKEY_LOCAL_MACHINE\SOFTWARE\Vendor" as a root with the path below it; nullopt for an unknown
// root, an empty, too long or misplaced name, or a tree over 512 levels. error says which.
std::optional<KeyPath> ParseKeyPath(std::string_view text, std::string* error = nullptr);

} // namespace tavo
