#include "engine/reg_file_writer.h"

#include "engine/hex_bytes.h"
#include "engine/registry_root.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tavo {

namespace {

constexpr long kErrorInvalidData = 13;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;
// The registry editor keeps its lines within 80 columns.
constexpr std::size_t kLineWidth = 76;

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// A text that "..." gives back exactly: one NUL at its end, none inside, no line break.
bool WritesAsText(std::string_view data) {
    return !data.empty() && data.back() == '\0' && data.find('\0') == data.size() - 1 && !HasLineBreak(data);
}

void AppendHex(std::string& out, std::string line, std::string_view data) {
    const std::string hex = HexBytes(data);
    for (std::size_t i = 0; i < hex.size(); i += 3) {
        line += hex.substr(i, 3);
        if (i + 3 < hex.size() && line.size() >= kLineWidth) {
            out += line + "\\\n";
            line = "  ";
        }
    }
    out += line + '\n';
}

void AppendValue(std::string& out, std::string_view name, std::uint32_t type, std::string_view data) {
    const std::string head = (name.empty() ? std::string("@") : Quoted(name)) + '=';
    if (type == plat::kRegSz && WritesAsText(data)) {
        out += head + Quoted(data.substr(0, data.size() - 1)) + '\n';
    } else if (type == plat::kRegDword && data.size() == 4) {
        std::uint32_t number = 0;
        for (int i = 3; i >= 0; --i)
            number = number << 8 | static_cast<unsigned char>(data[i]);
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", number);
        out += head + digits + '\n';
    } else if (type == plat::kRegBinary) {
        AppendHex(out, head + "hex:", data);
    } else {
        char form[16];
        std::snprintf(form, sizeof form, "hex(%x):", type);
        AppendHex(out, head + form, data);
    }
}

class Writer {
  public:
    explicit Writer(plat::HKey root) : root_(root) {}

    bool Key(const std::string& path) {
        plat::HKey key = 0;
        if (const long opened = plat::RegOpenKeyEx(root_, path.c_str(), plat::kKeyRead, &key); opened != 0)
            return Fail(opened, path);
        const bool written = Values(key, path) && Subkeys(key, path);
        plat::RegCloseKey(key);
        return written;
    }

    RegFileExport result;

  private:
    bool Fail(long error, const std::string& path) {
        result.error = error;
        result.where = KeyPathText(root_, path);
        return false;
    }

    bool Values(plat::HKey key, const std::string& path) {
        result.text += "\n[" + KeyPathText(root_, path) + "]\n";
        std::vector<char> name(16384);
        std::string data(256, '\0');
        for (std::uint32_t index = 0;;) {
            auto nameSize = static_cast<std::uint32_t>(name.size());
            auto dataSize = static_cast<std::uint32_t>(data.size());
            std::uint32_t type = 0;
            const long read = plat::RegEnumValue(key, index, name.data(), &nameSize, &type,
                                                 reinterpret_cast<std::uint8_t*>(data.data()), &dataSize);
            if (read == kErrorNoMoreItems) return true;
            if (read == kErrorMoreData) {
                // The data did not fit: dataSize is what it needs; read the same value again.
                data.resize(dataSize);
                continue;
            }
            if (read != 0) return Fail(read, path);
            const std::string_view valueName(name.data(), nameSize);
            if (HasLineBreak(valueName)) return Fail(kErrorInvalidData, path);
            AppendValue(result.text, valueName, type, std::string_view(data.data(), dataSize));
            ++index;
        }
    }

    bool Subkeys(plat::HKey key, const std::string& path) {
        char name[256];
        for (std::uint32_t index = 0;; ++index) {
            std::uint32_t size = sizeof name;
            const long read = plat::RegEnumKeyEx(key, index, name, &size);
            if (read == kErrorNoMoreItems) return true;
            if (read != 0) return Fail(read, path);
            const std::string_view child(name, size);
            if (HasLineBreak(child)) return Fail(kErrorInvalidData, path);
            if (!Key(path.empty() ? std::string(child) : path + '\\' + std::string(child))) return false;
        }
    }

    plat::HKey root_;
};

} // namespace

RegFileExport WriteRegFile(plat::HKey root, std::string_view subKey) {
    // Runs of '\' and one at the end name the same key; the file names it in one spelling.
    std::string path;
    for (std::size_t start = 0; start < subKey.size();) {
        const std::size_t end = std::min(subKey.find('\\', start), subKey.size());
        if (end > start) path.append(path.empty() ? "" : "\\").append(subKey.substr(start, end - start));
        start = end + 1;
    }
    Writer writer(root);
    writer.result.text = "Windows Registry Editor Version 5.00\n";
    if (!writer.Key(path)) writer.result.text.clear();
    return std::move(writer.result);
}

} // namespace tavo
