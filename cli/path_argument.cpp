#include "cli/path_argument.h"

#include "platform/paths.h"

#include <filesystem>
#include <system_error>

namespace tavo::cli {

namespace {

bool StartsWithDriveLetter(std::string_view path) {
    if (path.size() < 2 || path[1] != ':') return false;
    const char c = path[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

std::optional<std::string> WindowsPathArgument(std::string_view argument) {
    if (argument.empty()) return std::nullopt;
    if (StartsWithDriveLetter(argument)) return plat::FullWindowsPath(argument);
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(argument), ec);
    if (ec) return std::nullopt;
    std::string host = absolute.lexically_normal().string();
    // "dir/." normalises to "dir/": a folder keeps no trailing separator unless it is the root.
    while (host.size() > 1 && host.back() == '/')
        host.pop_back();
    std::string windows = plat::ToWindowsPath(host);
    if (windows.empty()) return std::nullopt;
    return windows;
}

std::string WithTrailingBackslash(std::string folder) {
    while (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    folder += '\\';
    return folder;
}

std::string WithoutTrailingBackslash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

} // namespace tavo::cli
