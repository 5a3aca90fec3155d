#pragma once
// A profile file parsed for lookups and for edits that keep every byte they do not change. The
// document keeps the file's bytes; each line that holds something records where it lies in them,
// and sections and keys are indexed by their upper-cased names (the first of duplicates wins), so a
// lookup costs the same in a file of ten keys and in one of ten thousand.
#include "platform/profile_encoding.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace plat::profile {

// The characters trimmed from both ends of a line, a name or a value: TAB, LF, VT, FF, CR, space
// and ^Z.
bool IsBlank(unsigned char c);
std::string_view TrimBlanks(std::string_view text);
std::string_view TrimLeadingBlanks(std::string_view text);

// Raw byte offsets [begin, end) into the file.
struct ByteRange {
    std::size_t begin = 0;
    std::size_t end = 0;
};

enum class LineKind : std::uint8_t {
    Header, // "[name]"
    Key,    // "name=value"
    Bare,   // text without '='; its whole text is its name
    Dropped // a second consecutive key with an empty name: not an entry
};

struct Line {
    std::size_t begin = 0; // where the line starts, after the previous run of line breaks
    std::size_t end = 0;   // just after its own line break, or where the text ends
    ByteRange name;        // the header's or key's name, cut at a NUL and trimmed
    ByteRange value;       // the value of a key line, cut at a NUL and trimmed
    LineKind kind = LineKind::Bare;
    bool comment = false; // starts with ';': stored, but neither listed nor in a section's entries
    bool broken = false;  // ends with a line break
};

inline constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);

struct Section {
    std::size_t header = kNoLine; // kNoLine for the area before the first header
    std::size_t first = 0;        // its lines are [first, last): everything up to the next header
    std::size_t last = 0;
};

class Document {
  public:
    explicit Document(std::string bytes);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const std::string& Bytes() const { return bytes_; }
    TextEncoding Encoding() const { return encoding_; }
    // Where the text starts (after the BOM) and ends (after its last whole code unit).
    std::size_t TextBegin() const { return textBegin_; }
    std::size_t TextEnd() const { return textEnd_; }
    // True when the text is not empty and does not end with a line break.
    bool EndsOpen() const { return endsOpen_; }

    const std::vector<Line>& Lines() const { return lines_; }
    // Section 0 is the area before the first header; the others follow the headers in file order.
    const std::vector<Section>& Sections() const { return sections_; }

    // The first section with this (trimmed) name, without regard to ASCII case; "" is section 0.
    std::optional<std::size_t> FindSection(std::string_view name) const;
    // The first key or bare line of a section with this (trimmed) name; its line index.
    std::optional<std::size_t> FindEntry(std::size_t section, std::string_view name) const;

    // Text of a raw range in cp1252.
    std::string Text(ByteRange range) const;
    // Approximate bytes held, for the cache's budget.
    std::size_t MemoryUse() const;

  private:
    struct NoCaseHash {
        std::size_t operator()(std::string_view text) const;
    };
    struct NoCaseEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    struct EntryKey {
        std::size_t section;
        std::string_view name;
    };
    struct EntryKeyHash {
        std::size_t operator()(const EntryKey& key) const;
    };
    struct EntryKeyEqual {
        bool operator()(const EntryKey& a, const EntryKey& b) const;
    };

    template <class Units> void ParseLines(const Units& units);
    void BuildIndexes();
    std::string_view NameOf(std::size_t line) const;

    std::string bytes_;
    TextEncoding encoding_ = TextEncoding::Ansi;
    std::size_t textBegin_ = 0;
    std::size_t textEnd_ = 0;
    bool endsOpen_ = false;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::vector<std::string> decodedNames_; // per line, for files not in ANSI
    std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> sectionIndex_;
    std::unordered_map<EntryKey, std::size_t, EntryKeyHash, EntryKeyEqual> entryIndex_;
};

} // namespace plat::profile
