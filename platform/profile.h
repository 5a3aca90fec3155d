#pragma once
// The Win32 profile (INI) functions with whole results. `file` is a Windows path; a bare name is in
// the Windows folder. Reads of an unchanged file are served from a per-process cache that costs one
// stat; every write replaces the file atomically under a cross-process lock and changes only the
// lines it must. Each function sets the last error: 2 missing file, 3 missing folder, 5 a folder in
// place of the file or an empty file name.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plat {

// GetPrivateProfileString with a key: the whole value, trimmed and with matching quotes removed;
// the default (quotes removed, trailing spaces cut) for a missing file, section or key, or a key
// line without '='.
std::string ProfileString(std::string_view file, std::string_view section, std::string_view key,
                          std::string_view defaultValue = {});

// GetPrivateProfileInt: the profile-integer rule, wrapped modulo 2^32.
std::uint32_t ProfileInt(std::string_view file, std::string_view section, std::string_view key,
                         std::int32_t defaultValue);

// The key list (NULL key): every key name of the first matching section in file order, duplicates
// and empty names included, comments and lines without '=' left out.
std::vector<std::string> ProfileKeys(std::string_view file, std::string_view section);

// The section-name list (NULL section): every named section in file order with its own spelling,
// duplicates included; empty-named sections are not listed.
std::vector<std::string> ProfileSectionNames(std::string_view file);

// GetPrivateProfileSection: the entries of the first matching section ("key=value" as written,
// bare lines as text), comments left out.
std::vector<std::string> ProfileSection(std::string_view file, std::string_view section);

// WritePrivateProfileString: a value writes the key; no value deletes the key; no key deletes the
// section. Refuses (false, file unchanged, last error 87) any name or value that would change the
// file's structure.
bool WriteProfileString(std::string_view file, std::string_view section, std::optional<std::string_view> key,
                        std::optional<std::string_view> value);

// Several WriteProfileString calls with values in one section, made as one replacement of the file:
// a reader, a kill or a failure sees every key written or none. For entries whose keys belong
// together; not a Win32 function.
bool WriteProfileValues(std::string_view file, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values);

// WritePrivateProfileSection: replaces the entries of the first matching section; no data deletes
// the section.
bool WriteProfileSection(std::string_view file, std::string_view section,
                         std::optional<std::vector<std::string>> entries);

// A WriteProfileSection and a WriteProfileString of one file made as one replacement of the file,
// for a section and a key elsewhere that belong together: a reader, a kill or a failure sees both
// written or neither. An absent `entries` leaves the section alone. Not a Win32 function.
bool WriteProfileSectionAndValue(std::string_view file, std::string_view section,
                                 std::optional<std::vector<std::string>> entries,
                                 std::string_view valueSection, std::string_view key, std::string_view value);

// Collects, while it lives, the profile writes of this process that could not be made (the file
// could not be read, locked or replaced), with the last error of each: for a caller that hands work
// to code with no failure result of its own, such as the shared library's launcher-button writer.
// Watches nest; each write that fails is noted in every watch alive.
class ProfileWriteWatch {
  public:
    struct Failure {
        std::string file; // as the writer named it
        std::uint32_t error;
    };
    ProfileWriteWatch();
    ~ProfileWriteWatch();
    ProfileWriteWatch(const ProfileWriteWatch&) = delete;
    ProfileWriteWatch& operator=(const ProfileWriteWatch&) = delete;
    // Read it on the thread that made the writes, once they are done.
    const std::vector<Failure>& failures() const { return failures_; }

  private:
    friend void NoteFailedProfileWrite(std::string_view file, std::uint32_t error);
    std::vector<Failure> failures_;
};

} // namespace plat
