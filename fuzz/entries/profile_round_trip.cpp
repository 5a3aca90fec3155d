// The profile parser: a file parsed, one key set (an existing key to a new value, and a key of a new
// section), and parsed again answers every other lookup as before; its text survives its encoding.
#include "fuzz/entries/fuzz_check.h"
#include "fuzz/entries/fuzz_entries.h"
#include "platform/profile_document.h"
#include "platform/profile_edit.h"

#include <optional>
#include <string>
#include <vector>

namespace tavo::fuzz {

namespace {

using plat::profile::Document;
using plat::profile::LineKind;

constexpr std::size_t kMaxLookups = 64;

struct Lookup {
    std::string section;
    std::string key;
    std::optional<std::string> value; // nullopt: no such entry; a bare line reads as "\x01bare"
};

std::optional<std::string> Find(const Document& doc, const std::string& section, const std::string& key) {
    const std::optional<std::size_t> s = doc.FindSection(section);
    if (!s) return std::nullopt;
    const std::optional<std::size_t> line = doc.FindEntry(*s, key);
    if (!line) return std::nullopt;
    const auto& found = doc.Lines()[*line];
    return found.kind == LineKind::Key ? doc.Text(found.value)
                                       : std::string("\x01"
                                                     "bare");
}

// The name of the section each line lies in, and the lookups of the first keys of the file.
std::vector<Lookup> Lookups(const Document& doc) {
    std::vector<Lookup> lookups;
    for (const auto& section : doc.Sections()) {
        const std::string name = section.header == plat::profile::kNoLine
                                     ? std::string()
                                     : doc.Text(doc.Lines()[section.header].name);
        for (std::size_t i = section.first; i < section.last && lookups.size() < kMaxLookups; ++i) {
            const auto& line = doc.Lines()[i];
            if (line.kind != LineKind::Key && line.kind != LineKind::Bare) continue;
            const std::string key = doc.Text(line.name);
            lookups.push_back({name, key, Find(doc, name, key)});
        }
    }
    return lookups;
}

// Keys that read back as themselves once written: what the profile functions accept as a key.
bool Storable(const std::string& key) {
    return key.find_first_of("=\r\n") == std::string::npos && key.find('\0') == std::string::npos &&
           (key.empty() || (key.front() != ';' && key.front() != '['));
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
        if (upper(a[i]) != upper(b[i])) return false;
    }
    return true;
}

// Sets section/key to value, parses the result and checks it against the lookups of the original.
void CheckEdit(const Document& doc, const std::vector<Lookup>& before, const std::string& section,
               const std::string& key, const std::string& value) {
    std::optional<std::string> bytes = plat::profile::SetValue(doc, section, key, value);
    const Document after(bytes ? std::move(*bytes) : doc.Bytes());
    Check(Find(after, section, key) == value, "a key set does not read back with its new value");
    for (const Lookup& lookup : before) {
        if (SameName(lookup.section, section) && SameName(lookup.key, key)) continue;
        Check(Find(after, lookup.section, lookup.key) == lookup.value, "an edit changed another entry");
    }
}

} // namespace

int FuzzProfile(const std::uint8_t* data, std::size_t size) {
    const Document doc(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<Lookup> before = Lookups(doc);

    // The text of the file in cp1252 survives being written in the file's encoding.
    const std::string text = plat::profile::DecodeToAnsi(
        doc.Encoding(),
        std::string_view(doc.Bytes()).substr(doc.TextBegin(), doc.TextEnd() - doc.TextBegin()));
    Check(plat::profile::DecodeToAnsi(doc.Encoding(), plat::profile::EncodeFromAnsi(doc.Encoding(), text)) ==
              text,
          "text does not survive its encoding");

    for (const Lookup& lookup : before) {
        if (!Storable(lookup.key) || lookup.key.empty() || lookup.section.find(']') != std::string::npos)
            continue;
        CheckEdit(doc, before, lookup.section, lookup.key, "Fuzz value");
        break;
    }
    CheckEdit(doc, before, "Fuzz section", "Fuzz key", "Fuzz value");
    return 0;
}

} // namespace tavo::fuzz
