#include "platform/profile_document.h"

#include "platform/ascii_case.h"

namespace plat::profile {

namespace {

constexpr char32_t kCr = '\r';
constexpr char32_t kLf = '\n';

bool IsBreak(char32_t unit) {
    return unit == kCr || unit == kLf;
}

bool IsBlankUnit(char32_t unit) {
    return unit == ' ' || unit == '\t' || unit == '\n' || unit == '\v' || unit == '\f' || unit == '\r' ||
           unit == 0x1A;
}

// Code units of the text. ANSI and UTF-8 are read byte by byte: every character that shapes a line
// is ASCII, and no byte of a UTF-8 sequence is.
struct ByteUnits {
    std::string_view text;
    std::size_t base;
    std::size_t size() const { return text.size(); }
    char32_t operator[](std::size_t i) const { return static_cast<unsigned char>(text[i]); }
    std::size_t Offset(std::size_t i) const { return base + i; }
};

struct Utf16Units {
    std::string_view text;
    std::size_t base;
    bool bigEndian;
    std::size_t size() const { return text.size() / 2; }
    char32_t operator[](std::size_t i) const {
        auto first = static_cast<unsigned char>(text[2 * i]);
        auto second = static_cast<unsigned char>(text[2 * i + 1]);
        return bigEndian ? (char32_t{first} << 8) | second : (char32_t{second} << 8) | first;
    }
    std::size_t Offset(std::size_t i) const { return base + 2 * i; }
};

// A name or value: [begin, end) cut at its first NUL, then trimmed.
template <class Units> ByteRange CutAndTrim(const Units& units, std::size_t begin, std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        if (units[i] == 0) {
            end = i;
            break;
        }
    }
    while (begin < end && IsBlankUnit(units[begin]))
        ++begin;
    while (end > begin && IsBlankUnit(units[end - 1]))
        --end;
    return {units.Offset(begin), units.Offset(end)};
}

} // namespace

bool IsBlank(unsigned char c) {
    return IsBlankUnit(c);
}

std::string_view TrimLeadingBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(static_cast<unsigned char>(text[begin])))
        ++begin;
    return text.substr(begin);
}

std::string_view TrimBlanks(std::string_view text) {
    text = TrimLeadingBlanks(text);
    std::size_t end = text.size();
    while (end > 0 && IsBlank(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(0, end);
}

std::size_t Document::NoCaseHash::operator()(std::string_view text) const {
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (char c : text) {
        hash ^= static_cast<unsigned char>(UpperAscii(c));
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool Document::NoCaseEqual::operator()(std::string_view a, std::string_view b) const {
    return EqualNoCaseAscii(a, b);
}

std::size_t Document::EntryKeyHash::operator()(const EntryKey& key) const {
    return NoCaseHash{}(key.name) ^ (key.section * 0x9E3779B97F4A7C15ull);
}

bool Document::EntryKeyEqual::operator()(const EntryKey& a, const EntryKey& b) const {
    return a.section == b.section && NoCaseEqual{}(a.name, b.name);
}

Document::Document(std::string bytes) : bytes_(std::move(bytes)) {
    DetectedEncoding detected = DetectEncoding(bytes_);
    encoding_ = detected.encoding;
    textBegin_ = detected.bomSize;
    std::string_view text = std::string_view(bytes_).substr(textBegin_);
    if (UnitSize(encoding_) == 2) {
        Utf16Units units{text, textBegin_, encoding_ == TextEncoding::Utf16Be};
        ParseLines(units);
        textEnd_ = units.Offset(units.size());
        endsOpen_ = units.size() > 0 && !IsBreak(units[units.size() - 1]);
    } else {
        ByteUnits units{text, textBegin_};
        ParseLines(units);
        textEnd_ = bytes_.size();
        endsOpen_ = !text.empty() && !IsBreak(units[text.size() - 1]);
    }
    BuildIndexes();
}

template <class Units> void Document::ParseLines(const Units& units) {
    const std::size_t n = units.size();
    sections_.push_back({kNoLine, 0, 0});
    bool lastNameEmpty = false; // the previous entry of this section had an empty name
    std::size_t pos = 0;
    while (pos < n) {
        const std::size_t start = pos;
        std::size_t stop = pos;
        while (stop < n && !IsBreak(units[stop]))
            ++stop;
        std::size_t next = stop;
        if (stop < n)
            next = (units[stop] == kCr && stop + 1 < n && units[stop + 1] == kLf) ? stop + 2 : stop + 1;
        pos = next;
        while (pos < n && IsBreak(units[pos]))
            ++pos;

        std::size_t b = start;
        std::size_t e = stop;
        while (b < e && IsBlankUnit(units[b]))
            ++b;
        while (e > b && IsBlankUnit(units[e - 1]))
            --e;
        if (b == e || units[b] == 0) continue; // blank, or nothing before a NUL

        Line line;
        line.begin = units.Offset(start);
        line.end = units.Offset(next);
        line.broken = next > stop;
        line.comment = units[b] == ';';

        std::size_t close = e;
        if (units[b] == '[') {
            while (close > b + 1 && units[close - 1] != ']')
                --close;
        }
        if (units[b] == '[' && close > b + 1) {
            line.kind = LineKind::Header;
            line.name = CutAndTrim(units, b + 1, close - 1);
            sections_.back().last = lines_.size();
            sections_.push_back({lines_.size(), lines_.size() + 1, 0});
            lastNameEmpty = false;
            lines_.push_back(line);
            continue;
        }

        std::size_t equals = b;
        while (equals < e && units[equals] != '=')
            ++equals;
        line.name = CutAndTrim(units, b, equals);
        if (equals < e) {
            line.kind = LineKind::Key;
            line.value = CutAndTrim(units, equals + 1, e);
            bool nameEmpty = line.name.begin == line.name.end;
            if (nameEmpty && lastNameEmpty) line.kind = LineKind::Dropped;
            lastNameEmpty = nameEmpty;
        } else {
            line.kind = LineKind::Bare;
            lastNameEmpty = false;
        }
        lines_.push_back(line);
    }
    sections_.back().last = lines_.size();
}

std::string_view Document::NameOf(std::size_t line) const {
    if (encoding_ != TextEncoding::Ansi) return decodedNames_[line];
    const ByteRange& range = lines_[line].name;
    return std::string_view(bytes_).substr(range.begin, range.end - range.begin);
}

void Document::BuildIndexes() {
    if (encoding_ != TextEncoding::Ansi) {
        decodedNames_.reserve(lines_.size());
        for (const Line& line : lines_)
            decodedNames_.push_back(Text(line.name));
    }
    for (std::size_t s = 0; s < sections_.size(); ++s) {
        const Section& section = sections_[s];
        if (section.header != kNoLine) {
            std::string_view name = NameOf(section.header);
            // "[]" opens a section no name can reach, and a later duplicate is never read.
            if (name.empty() || !sectionIndex_.emplace(name, s).second) continue;
        }
        for (std::size_t i = section.first; i < section.last; ++i) {
            if (lines_[i].kind == LineKind::Key || lines_[i].kind == LineKind::Bare)
                entryIndex_.emplace(EntryKey{s, NameOf(i)}, i);
        }
    }
}

std::optional<std::size_t> Document::FindSection(std::string_view name) const {
    if (name.empty()) return 0;
    auto it = sectionIndex_.find(name);
    if (it == sectionIndex_.end()) return std::nullopt;
    return it->second;
}

std::optional<std::size_t> Document::FindEntry(std::size_t section, std::string_view name) const {
    auto it = entryIndex_.find(EntryKey{section, name});
    if (it == entryIndex_.end()) return std::nullopt;
    return it->second;
}

std::string Document::Text(ByteRange range) const {
    std::string_view raw = std::string_view(bytes_).substr(range.begin, range.end - range.begin);
    return DecodeToAnsi(encoding_, raw);
}

std::size_t Document::MemoryUse() const {
    std::size_t names = 0;
    for (const std::string& name : decodedNames_)
        names += sizeof name + name.capacity();
    return bytes_.capacity() + lines_.capacity() * sizeof(Line) + sections_.capacity() * sizeof(Section) +
           names + (sectionIndex_.size() + entryIndex_.size()) * 4 * sizeof(void*);
}

} // namespace plat::profile
