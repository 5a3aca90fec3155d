#include "engine/reg_file_parser.h"

#include "engine/hex_bytes.h"
#include "engine/registry_root.h"

namespace tavo {

namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::size_t kMaxKeyName = 255;
constexpr std::size_t kMaxValueName = 16383;
constexpr std::size_t kMaxDepth = 512;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimLeft(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The file cut into lines without their ends; the text is kept alive by the caller.
class Lines {
  public:
    explicit Lines(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line) {
        if (position_ >= text_.size()) return false;
        const std::size_t end = text_.find('\n', position_);
        const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
        line = text_.substr(position_, stop - position_);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        position_ = stop + 1;
        ++number_;
        return true;
    }
    std::size_t Number() const { return number_; }

  private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t number_ = 0;
};

// A quoted text at the start of `text` (which starts with '"'); moves `text` past the closing quote.
std::optional<std::string> QuotedText(std::string_view& text, std::string& error) {
    std::string value;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return value;
        }
        if (c == '\\') {
            if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"')) {
                error = "a '\\' in quotes must be followed by '\\' or '\"'";
                return std::nullopt;
            }
            value += text[++i];
            continue;
        }
        value += c;
    }
    error = "a quoted text without its closing '\"'";
    return std::nullopt;
}

std::optional<std::uint32_t> HexNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        int digit = -1;
        if (c >= '0' && c <= '9') digit = c - '0';
        if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

class Parser {
  public:
    explicit Parser(std::string_view text) : lines_(text) {}

    RegFileParse Run() {
        std::string_view line;
        bool header = false;
        while (result_.errorLine == 0 && lines_.Next(line)) {
            if (line.find('\0') != std::string_view::npos) {
                Fail("a NUL byte: this is not a text file");
                break;
            }
            const std::string_view text = TrimRight(TrimLeft(line));
            if (!header) {
                if (text.empty()) continue;
                if (text != kHeader) Fail("the file must start with \"" + std::string(kHeader) + "\"");
                header = true;
            } else if (text.empty() || text.front() == ';') {
                continue;
            } else if (text.front() == '[') {
                KeyLine(text);
            } else {
                ValueLine(text);
            }
        }
        if (!header && result_.errorLine == 0) {
            result_.errorLine = lines_.Number() == 0 ? 1 : lines_.Number();
            result_.error = "the file must start with \"" + std::string(kHeader) + "\"";
        }
        if (result_.errorLine != 0) result_.keys.clear();
        return std::move(result_);
    }

  private:
    void Fail(std::string error) {
        result_.errorLine = lines_.Number();
        result_.error = std::move(error);
    }

    void KeyLine(std::string_view text) {
        if (text.back() != ']') return Fail("a key line must end with ']'");
        const std::string_view path = text.substr(1, text.size() - 2);
        if (!path.empty() && path.front() == '-') return Fail("key deletions are not read");
        std::string error;
        const std::optional<KeyPath> key = ParseKeyPath(path, &error);
        if (!key) return Fail(error);
        result_.keys.push_back(RegFileKey{key->root, key->subKey, {}});
    }

    void ValueLine(std::string_view text) {
        if (result_.keys.empty()) return Fail("a value before any key line");
        RegFileValue value;
        std::string error;
        if (text.front() == '@') {
            text.remove_prefix(1);
        } else if (text.front() == '"') {
            std::optional<std::string> name = QuotedText(text, error);
            if (!name) return Fail(error);
            if (name->empty()) return Fail("an empty value name (the default value is written @)");
            if (name->size() > kMaxValueName) return Fail("a value name over 16383 characters");
            value.name = std::move(*name);
        } else {
            return Fail("neither a key line nor a value line");
        }
        if (text.empty() || text.front() != '=') return Fail("the value name must be followed by '='");
        text.remove_prefix(1);
        if (!Data(text, value)) return;
        result_.keys.back().values.push_back(std::move(value));
    }

    bool Data(std::string_view text, RegFileValue& value) {
        std::string error;
        if (text.starts_with('"')) {
            std::optional<std::string> data = QuotedText(text, error);
            if (!data) return Fail(error), false;
            if (!text.empty()) return Fail("text after the closing '\"'"), false;
            value.type = plat::kRegSz;
            value.data = std::move(*data) + '\0';
            return CheckSize(value);
        }
        if (text.starts_with("dword:")) {
            const std::optional<std::uint32_t> number = HexNumber(text.substr(6));
            if (!number) return Fail("dword: takes 1 to 8 hex digits"), false;
            value.type = plat::kRegDword;
            for (int shift = 0; shift < 32; shift += 8)
                value.data += static_cast<char>((*number >> shift) & 0xFF);
            return true;
        }
        if (text.starts_with("hex:")) {
            value.type = plat::kRegBinary;
            text.remove_prefix(4);
        } else if (text.starts_with("hex(")) {
            const std::size_t close = text.find("):");
            const std::optional<std::uint32_t> type =
                close == std::string_view::npos ? std::nullopt : HexNumber(text.substr(4, close - 4));
            if (!type) return Fail("hex( must be followed by a type in hex and \"):\""), false;
            value.type = *type;
            text.remove_prefix(close + 2);
        } else if (text == "-") {
            return Fail("value deletions are not read"), false;
        } else {
            return Fail("the data must be \"text\", dword:, hex: or hex(T):"), false;
        }
        return HexData(text, value);
    }

    // The byte list, with its continuation lines; its text is bounded by the data limit.
    bool HexData(std::string_view text, RegFileValue& value) {
        constexpr std::size_t kMaxText = kRegFileMaxData * 3;
        std::string hex;
        while (true) {
            const bool continued = !text.empty() && text.back() == '\\';
            if (continued) text.remove_suffix(1);
            for (const char c : text)
                if (!IsBlank(c)) hex += c;
            if (hex.size() > kMaxText) return Fail("value data over 1 MB"), false;
            if (!continued) break;
            std::string_view next;
            if (!lines_.Next(next)) return Fail("the file ends inside a continued byte list"), false;
            if (next.find('\0') != std::string_view::npos)
                return Fail("a NUL byte: this is not a text file"), false;
            text = TrimRight(TrimLeft(next));
        }
        std::optional<std::string> data = BytesOfHex(hex);
        if (!data) return Fail("the bytes must be two hex digits each, separated by commas"), false;
        value.data = std::move(*data);
        return CheckSize(value);
    }

    bool CheckSize(const RegFileValue& value) {
        if (value.data.size() > kRegFileMaxData) return Fail("value data over 1 MB"), false;
        return true;
    }

    Lines lines_;
    RegFileParse result_;
};

} // namespace

std::optional<KeyPath> ParseKeyPath(std::string_view text, std::string* error) {
    std::string ignored;
    std::string& why = error ? *error : ignored;
    const std::size_t split = text.find('\\');
    const std::optional<plat::HKey> root = RootKeyOfName(text.substr(0, split));
    if (!root) {
        why = "an unknown root key \"" + std::string(text.substr(0, split)) + "\"";
        return std::nullopt;
    }
    if (*root == plat::kHkeyPerformanceData || *root == plat::kHkeyDynData) {
        why = "that root key holds no keys";
        return std::nullopt;
    }
    KeyPath key{*root, {}};
    if (split == std::string_view::npos) return key;
    std::string_view rest = text.substr(split + 1);
    std::size_t depth = 0;
    while (true) {
        const std::size_t end = rest.find('\\');
        const std::string_view name = rest.substr(0, end);
        if (name.empty()) {
            why = "an empty key name in the path";
            return std::nullopt;
        }
        if (name.size() > kMaxKeyName) {
            why = "a key name over 255 characters";
            return std::nullopt;
        }
        if (++depth > kMaxDepth) {
            why = "a key path over 512 levels";
            return std::nullopt;
        }
        if (!key.subKey.empty()) key.subKey += '\\';
        key.subKey += name;
        if (end == std::string_view::npos) return key;
        rest.remove_prefix(end + 1);
    }
}

RegFileParse ParseRegFile(std::string_view text) {
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        return RegFileParse{{}, 1, "UTF-16 text: only ANSI text files are read"};
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    return Parser(text).Run();
}

} // namespace tavo
