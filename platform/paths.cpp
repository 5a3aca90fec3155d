#include "platform/paths.h"

#include "platform/ascii_case.h"
#include "platform/error.h"
#include "platform/file_lookup.h"
#include "platform/folder_index.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace plat {

namespace {

struct PathState {
    std::string prefix; // host folder; empty until first use
    unsigned generation = 0;
    std::string moduleFolder;  // Windows folder set for this process, or empty
    std::string currentFolder; // Windows folder, or empty for the host's working folder
};

PathState& State() {
    static PathState state;
    return state;
}

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Creates a host folder and its parents; existing folders are fine.
void MakeHostFolders(const std::string& host) {
    for (std::size_t pos = 1; pos <= host.size(); ++pos) {
        if (pos == host.size() || host[pos] == '/') {
            std::string part = host.substr(0, pos);
            if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return;
        }
    }
}

std::string TrimTrailingSlashes(std::string s) {
    while (s.size() > 1 && s.back() == '/') s.pop_back();
    return s;
}

// Host folder standing for a drive: C: and other letters live in the prefix, Z: is the host root
// (empty string, so "Z:\x" maps to "/x").
std::string DriveRoot(char letter) {
    char upper = UpperAscii(letter);
    if (upper == 'Z') return {};
    return PrefixFolder() + "/drive_" + LowerAscii(upper);
}

bool IsHostFolder(const std::string& host) {
    struct stat st {};
    return stat(host.empty() ? "/" : host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string HostWorkingFolder() {
    std::vector<char> buffer(PATH_MAX);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE) return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

} // namespace

std::string PrefixFolder() {
    PathState& state = State();
    if (state.prefix.empty()) {
        const char* env = std::getenv("TAVO_PREFIX");
        std::string folder;
        if (env && *env) {
            folder = env;
        } else {
            const char* home = std::getenv("HOME");
            folder = std::string(home && *home ? home : "/tmp") + "/.local/share/tavo";
        }
        SetPrefixFolder(folder);
    }
    return state.prefix;
}

void SetPrefixFolder(const std::string& hostFolder) {
    PathState& state = State();
    std::string folder = TrimTrailingSlashes(hostFolder);
    if (!folder.empty() && folder[0] != '/') folder = HostWorkingFolder() + "/" + folder;
    state.prefix = folder;
    ++state.generation;
    MakeHostFolders(folder + "/drive_c");
    MakeHostFolders(folder + "/locks");
}

unsigned PrefixGeneration() {
    PrefixFolder();
    return State().generation;
}

namespace {
// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices on Windows, with or without an extension.
bool IsDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
        if (EqualNoCaseAscii(stem, device)) return true;
    if (stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9')
        return EqualNoCaseAscii(stem.substr(0, 3), "COM") || EqualNoCaseAscii(stem.substr(0, 3), "LPT");
    return false;
}
} // namespace

bool IsValidWindowsName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || IsDeviceName(name)) return false;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20) return false;
        switch (c) {
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return false;
        default: break;
        }
    }
    return true;
}

namespace {
// True when FullWindowsPath would give the path back as it is: a drive path with an upper-case
// letter whose components are all plain names. Most paths the engine hands on are full already.
bool IsFullAlready(std::string_view p) {
    if (p.size() < 3 || p[0] < 'A' || p[0] > 'Z' || p[1] != ':' || p[2] != '\\') return false;
    std::size_t start = 3;
    while (start < p.size()) {
        std::size_t end = p.find('\\', start);
        const bool last = end == std::string_view::npos;
        if (last) end = p.size();
        std::string_view part = p.substr(start, end - start);
        if (part.empty() || part.find('/') != std::string_view::npos || part == "." || part == "..") return false;
        // A closing period goes from any name, trailing periods and spaces from the last one.
        if (part.back() == '.' || (part.back() == ' ' && last)) return false;
        start = end + 1;
    }
    return true;
}
} // namespace

std::string FullWindowsPath(std::string_view path) {
    if (IsFullAlready(path)) return std::string(path);
    std::string p(path);
    for (char& c : p)
        if (c == '/') c = '\\';

    std::string current;
    std::string drive;
    std::string rest;
    if (p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == ':') {
        drive = std::string(1, UpperAscii(p[0])) + ":";
        rest = p.substr(2);
        if (rest.empty() || rest[0] != '\\') {
            // "C:name" is relative to the current folder when that is on C:, else to C:'s root.
            current = CurrentFolder();
            if (EqualNoCaseAscii(current.substr(0, 2), drive)) rest = current.substr(2) + "\\" + rest;
        }
    } else if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        return p; // a network path: no drive to map it to
    } else if (!p.empty() && p[0] == '\\') {
        drive = CurrentFolder().substr(0, 2);
        rest = p;
    } else {
        current = CurrentFolder();
        drive = current.substr(0, 2);
        rest = current.substr(2) + "\\" + p;
    }

    bool trailing = !p.empty() && p.back() == '\\';
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            // Windows drops one period that ends a name ("a." is "a"; "..." stays a name).
            if (part.size() >= 2 && part.back() == '.' && part[part.size() - 2] != '.') part.pop_back();
            parts.push_back(std::move(part));
        }
        start = end + 1;
    }
    // Without a closing separator, trailing periods and spaces of the last name go too.
    if (!trailing && !parts.empty()) {
        std::string& last = parts.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
        if (last.empty()) parts.pop_back();
    }

    std::string full = drive + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) full += '\\';
        full += parts[i];
    }
    if (trailing && !parts.empty()) full += '\\';
    return full;
}

std::optional<std::string> ToHostPath(std::string_view windowsPath) {
    return host::ResolveHostPath(windowsPath, nullptr);
}

std::optional<std::string> host::ResolveHostPath(std::string_view windowsPath, EntryStatus* last) {
    if (last) *last = {};
    std::string full = FullWindowsPath(windowsPath);
    if (full.size() < 3 || !IsDriveLetter(full[0]) || full[1] != ':') {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    const bool trailing = full.size() > 3 && full.back() == '\\';
    if (trailing) full.pop_back();

    // The parent folder, when it was resolved before and is still there, spares the walk from the
    // drive's root.
    const std::size_t parentEnd = full.size() > 3 ? full.rfind('\\') : std::string::npos;
    const std::string parent = parentEnd != std::string::npos && parentEnd > 2 ? full.substr(0, parentEnd) : "";
    std::string host;
    std::size_t start = 3;
    bool parentKnown = false;
    struct stat parentStat {};
    if (!parent.empty()) {
        if (auto known = host::KnownFolder(parent, &parentStat)) {
            host = std::move(*known);
            start = parentEnd + 1;
            parentKnown = true;
        }
    }
    if (!parentKnown) {
        host = DriveRoot(full[0]);
        if (!IsHostFolder(host)) {
            SetLastError(kErrorPathNotFound);
            return std::nullopt;
        }
    }

    bool resolving = true; // once a component is missing, the rest is kept as written
    while (start < full.size()) {
        std::size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        std::string part = full.substr(start, end - start);
        if (!IsValidWindowsName(part)) {
            SetLastError(kErrorInvalidName);
            return std::nullopt;
        }
        if (resolving) {
            // The folder just checked need not be looked at again for its last entry.
            const bool lastPart = end == full.size();
            if (auto found = host::FindEntryNoCase(host, part, lastPart && parentKnown ? &parentStat : nullptr,
                                                   lastPart ? last : nullptr)) {
                part = *found;
            } else {
                resolving = false;
            }
        }
        host += "/" + part;
        if (end == parentEnd && resolving && !parentKnown) host::NoteKnownFolder(parent, host);
        start = end + 1;
    }
    if (trailing) host += '/';
    if (host.empty()) host = "/";
    return host;
}

std::string ToWindowsPath(std::string_view hostPath) {
    std::string host(hostPath);
    bool trailing = host.size() > 1 && host.back() == '/';
    host = TrimTrailingSlashes(host);

    // Drive folders are "drive_" and a lower-case letter; Z: is the host root itself.
    std::string drivePrefix = PrefixFolder() + "/drive_";
    std::size_t letterAt = drivePrefix.size();
    std::string windows;
    if (host.compare(0, letterAt, drivePrefix) == 0 && host.size() > letterAt && host[letterAt] >= 'a' &&
        host[letterAt] <= 'y' && (host.size() == letterAt + 1 || host[letterAt + 1] == '/')) {
        windows = std::string(1, UpperAscii(host[letterAt])) + ":" + host.substr(letterAt + 1);
    } else {
        windows = "Z:" + host;
    }
    // A host name that Windows cannot hold has no Windows form: splitting it at a '\' would name
    // another file.
    for (std::size_t start = 3; start < windows.size();) {
        std::size_t end = windows.find('/', start);
        if (end == std::string::npos) end = windows.size();
        if (!IsValidWindowsName(std::string_view(windows).substr(start, end - start))) return {};
        start = end + 1;
    }
    for (char& c : windows)
        if (c == '/') c = '\\';
    if (windows.size() == 2) windows += '\\';
    if (trailing && windows.back() != '\\') windows += '\\';
    return windows;
}

namespace {
// A folder of drive C: that the system expects to exist, created once for each prefix.
std::string SystemFolder(const char* windowsFolder, unsigned& madeFor) {
    if (madeFor != PrefixGeneration()) {
        if (auto host = ToHostPath(windowsFolder)) MakeHostFolders(TrimTrailingSlashes(*host));
        madeFor = PrefixGeneration();
    }
    return windowsFolder;
}
} // namespace

std::string WindowsFolder() {
    static unsigned madeFor = 0;
    return SystemFolder("C:\\WINDOWS", madeFor);
}

std::string TempFolder() {
    static unsigned madeFor = 0;
    return SystemFolder("C:\\Temp", madeFor) + "\\";
}

std::string ModuleFileName() {
    std::vector<char> buffer(PATH_MAX);
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    std::string exe = n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string("/tavo");
    std::string windows = ToWindowsPath(exe);
    const std::string& folder = State().moduleFolder;
    if (folder.empty()) return windows;
    std::string name = windows.substr(windows.rfind('\\') + 1);
    return folder.back() == '\\' ? folder + name : folder + "\\" + name;
}

void SetModuleFolder(std::string_view windowsFolder) {
    State().moduleFolder = windowsFolder.empty() ? std::string() : FullWindowsPath(windowsFolder);
}

std::string CurrentFolder() {
    const std::string& current = State().currentFolder;
    if (!current.empty()) return current;
    return ToWindowsPath(HostWorkingFolder());
}

void SetCurrentFolder(std::string_view windowsFolder) {
    std::string full = FullWindowsPath(windowsFolder);
    if (full.size() > 3 && full.back() == '\\') full.pop_back();
    State().currentFolder = full;
}

std::string ProfileFilePath(std::string_view name) {
    if (name.empty()) return {};
    if (name.find_first_of("\\/") == std::string_view::npos) return WindowsFolder() + "\\" + std::string(name);
    return FullWindowsPath(name);
}

} // namespace plat
