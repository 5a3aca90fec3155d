#pragma once
// How a path on tavoctl's command line names a file of the machine: "X:" followed by anything is a
// Windows path (made full as Windows does); anything else is a host path, taken relative to the
// host's working folder and mapped to its Windows form ("C:\..." under the prefix's drives, else
// "Z:\..."). A host file whose name starts with a drive letter and ':' is named as "./c:name".
#include <optional>
#include <string>
#include <string_view>

namespace tavo::cli {

// The Windows form of a path argument; nullopt when it is empty or a host name on the way cannot
// be a Windows name. Call after the machine prefix is set: host paths inside it map to its drives.
std::optional<std::string> WindowsPathArgument(std::string_view argument);

// With exactly one trailing '\'.
std::string WithTrailingBackslash(std::string folder);
// Without trailing '\' (a folder as a prompt returns it).
std::string WithoutTrailingBackslash(std::string folder);

} // namespace tavo::cli
