#include "platform/profile.h"

#include "platform/error.h"
#include "platform/host_io.h"
#include "platform/paths.h"
#include "platform/profile_cache.h"
#include "platform/profile_edit.h"

#include <mutex>

namespace plat {

// Tells every live ProfileWriteWatch of a write that could not be made.
void NoteFailedProfileWrite(std::string_view file, std::uint32_t error);

namespace {

using profile::Document;
using profile::FileStatus;
using profile::Line;
using profile::LineKind;
using profile::LoadedFile;

// The callers' strings are C strings on Windows: a NUL ends them.
std::string_view CutAtNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string_view QueryName(std::string_view name) {
    return profile::TrimBlanks(CutAtNul(name));
}

// The normalised Windows path of a profile file name; nullopt (last error 5) for an empty name.
std::optional<std::string> WindowsPathOf(std::string_view file) {
    if (file.empty()) {
        SetLastError(kErrorAccessDenied);
        return std::nullopt;
    }
    return ProfileFilePath(file);
}

// The parsed file for a read, or null with the last error set (2, 3, 5).
std::shared_ptr<const Document> OpenForRead(std::string_view file) {
    std::optional<std::string> path = WindowsPathOf(file);
    if (!path) return nullptr;
    LoadedFile loaded = profile::Load(*path);
    return loaded.status == FileStatus::Present ? loaded.doc : nullptr;
}

// A value of at least two characters that starts and ends with the same quote loses both.
std::string StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// The default as returned: trailing spaces cut (one is kept when it is all spaces), quotes removed.
std::string DefaultValue(std::string_view value) {
    value = CutAtNul(value);
    std::size_t end = value.size();
    while (end > 1 && value[end - 1] == ' ')
        --end;
    return StripQuotes(value.substr(0, end));
}

// The first matching section of the file, if any.
std::optional<std::size_t> SectionOf(const Document& doc, std::string_view section) {
    return doc.FindSection(QueryName(section));
}

// A key's value with its quotes removed; nullopt where the default applies (no such section or key,
// or a line without '=').
std::optional<std::string> FindValue(const Document& doc, std::string_view section, std::string_view key) {
    std::optional<std::size_t> s = SectionOf(doc, section);
    if (!s) return std::nullopt;
    std::optional<std::size_t> i = doc.FindEntry(*s, QueryName(key));
    if (!i || doc.Lines()[*i].kind != LineKind::Key) return std::nullopt;
    return StripQuotes(doc.Text(doc.Lines()[*i].value));
}

bool IsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

int DigitValue(char c, unsigned base) {
    int digit = -1;
    if (c >= '0' && c <= '9')
        digit = c - '0';
    else if (c >= 'a' && c <= 'f')
        digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        digit = c - 'A' + 10;
    return digit >= 0 && static_cast<unsigned>(digit) < base ? digit : -1;
}

// The profile-integer rule: blanks, one sign, "0x" for hexadecimal (no octal), digits up to the
// first other character, all modulo 2^32.
std::uint32_t ParseProfileInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    std::uint32_t result = 0;
    for (int digit; i < text.size() && (digit = DigitValue(text[i], base)) >= 0; ++i)
        result = result * base + static_cast<std::uint32_t>(digit);
    return negative ? 0u - result : result;
}

bool HasBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

// A key that is written as given and reads back as the same key: no line break or NUL, no '=' (it
// would end the name), and not starting with ';' (a comment) or '[' (a header once the value holds
// a ']').
bool IsStorableKey(std::string_view key) {
    if (HasBreakOrNul(key)) return false;
    std::string_view name = profile::TrimBlanks(key);
    return name.find('=') == name.npos && (name.empty() || (name.front() != ';' && name.front() != '['));
}

// What a missing file reads as, for the edits that create it.
const Document& NoFile() {
    static const Document empty{std::string()};
    return empty;
}

bool Refuse() {
    SetLastError(kErrorInvalidParameter);
    return false;
}

// A run may work on another thread than the window's: the watches are shared under a lock.
std::mutex& WatchLock() {
    static std::mutex lock;
    return lock;
}

std::vector<ProfileWriteWatch*>& Watches() {
    static std::vector<ProfileWriteWatch*> watches;
    return watches;
}

// Runs an edit under the file's cross-process lock on its current content, and writes the result
// when it changed anything.
template <class Edit> bool ApplyEdit(std::string_view file, Edit edit) {
    std::optional<std::string> path = WindowsPathOf(file);
    if (!path) return false;
    std::optional<std::string> host = ToHostPath(*path);
    if (!host) return false;

    host::PathLock lock(*host);
    LoadedFile current = profile::LoadAt(*path, *host);
    if (current.status != FileStatus::Present && current.status != FileStatus::Missing) return false;
    bool exists = current.status == FileStatus::Present;
    std::optional<std::string> bytes = edit(exists ? *current.doc : NoFile());
    if (!bytes) {
        SetLastError(kErrorSuccess);
        return true;
    }
    // Checked here, not left to the host: a privileged process could write the file anyway.
    if (exists && (current.mode & 0222) == 0) {
        SetLastError(kErrorAccessDenied);
        return false;
    }
    return profile::Replace(*path, *host, std::move(*bytes), exists ? current.mode : 0644);
}

// ApplyEdit, and every live watch hears of a write that could not be made.
template <class Edit> bool EditFile(std::string_view file, Edit edit) {
    if (ApplyEdit(file, edit)) return true;
    NoteFailedProfileWrite(file, LastError());
    return false;
}

// Section entries the profile functions can store: no line break or NUL, a storable key.
bool StorableEntries(const std::vector<std::string>& entries) {
    for (const std::string& entry : entries) {
        std::size_t equals = entry.find('=');
        if (HasBreakOrNul(entry) ||
            (equals != entry.npos && !IsStorableKey(std::string_view(entry).substr(0, equals))))
            return false;
    }
    return true;
}

} // namespace

std::string ProfileString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue) {
    std::shared_ptr<const Document> doc = OpenForRead(file);
    if (!doc) return DefaultValue(defaultValue);
    std::optional<std::string> value = FindValue(*doc, section, key);
    return value ? std::move(*value) : DefaultValue(defaultValue);
}

std::uint32_t ProfileInt(std::string_view file, std::string_view section, std::string_view key,
                         std::int32_t defaultValue) {
    auto fallback = static_cast<std::uint32_t>(defaultValue);
    std::shared_ptr<const Document> doc = OpenForRead(file);
    if (!doc) return fallback;
    std::optional<std::string> value = FindValue(*doc, section, key);
    return value && !value->empty() ? ParseProfileInteger(*value) : fallback;
}

std::vector<std::string> ProfileKeys(std::string_view file, std::string_view section) {
    std::vector<std::string> keys;
    std::shared_ptr<const Document> doc = OpenForRead(file);
    if (!doc) return keys;
    std::optional<std::size_t> s = SectionOf(*doc, section);
    if (!s) return keys;
    const profile::Section& found = doc->Sections()[*s];
    for (std::size_t i = found.first; i < found.last; ++i) {
        const Line& line = doc->Lines()[i];
        if (line.kind == LineKind::Key && !line.comment) keys.push_back(doc->Text(line.name));
    }
    return keys;
}

std::vector<std::string> ProfileSectionNames(std::string_view file) {
    std::vector<std::string> names;
    std::shared_ptr<const Document> doc = OpenForRead(file);
    if (!doc) return names;
    for (const profile::Section& section : doc->Sections()) {
        if (section.header == profile::kNoLine) continue;
        std::string name = doc->Text(doc->Lines()[section.header].name);
        if (!name.empty()) names.push_back(std::move(name));
    }
    return names;
}

std::vector<std::string> ProfileSection(std::string_view file, std::string_view section) {
    std::vector<std::string> entries;
    std::shared_ptr<const Document> doc = OpenForRead(file);
    if (!doc) return entries;
    std::optional<std::size_t> s = SectionOf(*doc, section);
    if (!s) return entries;
    const profile::Section& found = doc->Sections()[*s];
    for (std::size_t i = found.first; i < found.last; ++i) {
        const Line& line = doc->Lines()[i];
        if (line.comment || line.kind == LineKind::Dropped) continue;
        std::string entry = doc->Text(line.name);
        if (line.kind == LineKind::Key) entry += '=' + doc->Text(line.value);
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool WriteProfileString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value) {
    if (HasBreakOrNul(section)) return Refuse();
    if (!key)
        return EditFile(file, [&](const Document& doc) { return profile::DeleteSection(doc, section); });
    if (!IsStorableKey(*key)) return Refuse();
    if (!value)
        return EditFile(file, [&](const Document& doc) { return profile::DeleteKey(doc, section, *key); });
    if (HasBreakOrNul(*value)) return Refuse();
    return EditFile(file, [&](const Document& doc) { return profile::SetValue(doc, section, *key, *value); });
}

bool WriteProfileValues(std::string_view file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values) {
    if (HasBreakOrNul(section)) return Refuse();
    for (const auto& [key, value] : values)
        if (!IsStorableKey(key) || HasBreakOrNul(value)) return Refuse();
    return EditFile(file, [&](const Document& doc) -> std::optional<std::string> {
        std::optional<Document> edited;
        for (const auto& [key, value] : values) {
            std::optional<std::string> bytes = profile::SetValue(edited ? *edited : doc, section, key, value);
            if (bytes) edited.emplace(std::move(*bytes));
        }
        if (!edited) return std::nullopt;
        return edited->Bytes();
    });
}

bool WriteProfileSection(std::string_view file, std::string_view section,
                         std::optional<std::vector<std::string>> entries) {
    if (HasBreakOrNul(section)) return Refuse();
    if (!entries)
        return EditFile(file, [&](const Document& doc) { return profile::DeleteSection(doc, section); });
    if (!StorableEntries(*entries)) return Refuse();
    return EditFile(file,
                    [&](const Document& doc) { return profile::ReplaceSection(doc, section, *entries); });
}

bool WriteProfileSectionAndValue(std::string_view file, std::string_view section,
                                 std::optional<std::vector<std::string>> entries,
                                 std::string_view valueSection, std::string_view key,
                                 std::string_view value) {
    if (HasBreakOrNul(section) || HasBreakOrNul(valueSection) || !IsStorableKey(key) ||
        HasBreakOrNul(value) || (entries && !StorableEntries(*entries)))
        return Refuse();
    return EditFile(file, [&](const Document& doc) -> std::optional<std::string> {
        std::optional<Document> edited;
        if (entries) {
            std::optional<std::string> bytes = profile::ReplaceSection(doc, section, *entries);
            if (bytes) edited.emplace(std::move(*bytes));
        }
        std::optional<std::string> bytes =
            profile::SetValue(edited ? *edited : doc, valueSection, key, value);
        if (bytes) edited.emplace(std::move(*bytes));
        if (!edited) return std::nullopt;
        return edited->Bytes();
    });
}

void NoteFailedProfileWrite(std::string_view file, std::uint32_t error) {
    const std::lock_guard<std::mutex> hold(WatchLock());
    for (ProfileWriteWatch* watch : Watches())
        watch->failures_.push_back({std::string(file), error});
}

ProfileWriteWatch::ProfileWriteWatch() {
    const std::lock_guard<std::mutex> hold(WatchLock());
    Watches().push_back(this);
}

ProfileWriteWatch::~ProfileWriteWatch() {
    const std::lock_guard<std::mutex> hold(WatchLock());
    std::erase(Watches(), this);
}

} // namespace plat
