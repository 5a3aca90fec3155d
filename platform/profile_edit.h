#pragma once
// Edits of a parsed profile file that change only the lines they must. Each returns the whole new
// file, or nullopt when the edit changes nothing. Section and key names are matched trimmed and
// without regard to ASCII case; new names and values are stored with their leading blanks dropped.
// New lines are written in the file's encoding and end with CRLF; an open last line gets a line
// break only when a line is added after it. Arguments are cp1252 text already checked by the caller
// (no line breaks, no NUL, no key that would read back as something else).
#include "platform/profile_document.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plat::profile {

// Overwrites the value of the first matching key in place, or adds the key at the end of the first
// matching section (after its last line, before the blank lines that end it), or appends the
// section at the end of the file.
std::optional<std::string> SetValue(const Document& doc, std::string_view section, std::string_view key,
                                    std::string_view value);

// Removes the line of the first matching key of the first matching section.
std::optional<std::string> DeleteKey(const Document& doc, std::string_view section, std::string_view key);

// Removes the first matching section: its header and every line up to the next header.
std::optional<std::string> DeleteSection(const Document& doc, std::string_view section);

// Replaces the lines of the first matching section with "key=value" entries (entries without '='
// are left out), or appends the section at the end of the file.
std::optional<std::string> ReplaceSection(const Document& doc, std::string_view section,
                                          const std::vector<std::string>& entries);

} // namespace plat::profile
