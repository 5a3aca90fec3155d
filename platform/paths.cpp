#include "platform/paths.h"

#include "platform/error.h"

#include <dirent.h>
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

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
    return true;
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

// The host entry of `folder` whose name equals `name` without regard to case: the exact spelling
// when it exists, else the first in byte order among the names Windows could hold.
std::optional<std::string> FindEntryNoCase(const std::string& folder, const std::string& name) {
    std::string exact = folder + "/" + name;
    struct stat st {};
    if (lstat(exact.c_str(), &st) == 0) return name;
    DIR* dir = opendir(folder.empty() ? "/" : folder.c_str());
    if (!dir) return std::nullopt;
    std::optional<std::string> best;
    while (dirent* entry = readdir(dir)) {
        std::string_view candidate = entry->d_name;
        if (candidate == "." || candidate == "..") continue;
        if (!EqualNoCase(candidate, name) || !IsValidWindowsName(candidate)) continue;
        if (!best || candidate < *best) best = std::string(candidate);
    }
    closedir(dir);
    return best;
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

bool IsValidWindowsName(std::string_view name) {
    if (name.empty() || name == "." || name == "..") return false;
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

std::string FullWindowsPath(std::string_view path) {
    std::string p(path);
    for (char& c : p)
        if (c == '/') c = '\\';

    std::string drive;
    std::string rest;
    if (p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == ':') {
        drive = std::string(1, UpperAscii(p[0])) + ":";
        rest = p.substr(2);
    } else if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') {
        return p; // a network path: no drive to map it to
    } else if (!p.empty() && p[0] == '\\') {
        drive = CurrentFolder().substr(0, 2);
        rest = p;
    } else {
        std::string current = CurrentFolder();
        drive = current.substr(0, 2);
        rest = current.substr(2) + "\\" + p;
    }

    std::vector<std::string_view> parts;
    std::string_view view = rest;
    std::size_t start = 0;
    while (start <= view.size()) {
        std::size_t end = view.find('\\', start);
        if (end == std::string_view::npos) end = view.size();
        std::string_view part = view.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }

    std::string full = drive + "\\";
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) full += '\\';
        full += parts[i];
    }
    bool trailing = !p.empty() && p.back() == '\\';
    if (trailing && !parts.empty()) full += '\\';
    return full;
}

std::optional<std::string> ToHostPath(std::string_view windowsPath) {
    std::string full = FullWindowsPath(windowsPath);
    if (full.size() < 3 || !IsDriveLetter(full[0]) || full[1] != ':') {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    std::string host = DriveRoot(full[0]);
    if (!IsHostFolder(host)) {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }

    bool resolving = true; // once a component is missing, the rest is kept as written
    std::size_t start = 3;
    while (start < full.size()) {
        std::size_t end = full.find('\\', start);
        if (end == std::string::npos) end = full.size();
        std::string part = full.substr(start, end - start);
        if (!IsValidWindowsName(part)) {
            SetLastError(kErrorInvalidName);
            return std::nullopt;
        }
        if (resolving) {
            if (auto found = FindEntryNoCase(host, part)) {
                part = *found;
            } else {
                resolving = false;
            }
        }
        host += "/" + part;
        start = end + 1;
    }
    if (full.size() > 3 && full.back() == '\\') host += '/';
    if (host.empty()) host = "/";
    return host;
}

std::string ToWindowsPath(std::string_view hostPath) {
    std::string host(hostPath);
    bool trailing = host.size() > 1 && host.back() == '/';
    host = TrimTrailingSlashes(host);

    std::string drivePrefix = PrefixFolder() + "/drive_";
    std::string windows;
    if (host.compare(0, drivePrefix.size(), drivePrefix) == 0 && host.size() > drivePrefix.size() &&
        IsDriveLetter(host[drivePrefix.size()]) && UpperAscii(host[drivePrefix.size()]) != 'Z' &&
        (host.size() == drivePrefix.size() + 1 || host[drivePrefix.size() + 1] == '/')) {
        windows = std::string(1, UpperAscii(host[drivePrefix.size()])) + ":" + host.substr(drivePrefix.size() + 1);
    } else {
        windows = "Z:" + host;
    }
    for (char& c : windows)
        if (c == '/') c = '\\';
    if (windows.size() == 2) windows += '\\';
    if (trailing && windows.back() != '\\') windows += '\\';
    return windows;
}

namespace {
// A folder of drive C: that the system expects to exist, created on first use.
std::string EnsureSystemFolder(const char* windowsFolder) {
    if (auto host = ToHostPath(windowsFolder)) MakeHostFolders(TrimTrailingSlashes(*host));
    return windowsFolder;
}
} // namespace

std::string WindowsFolder() {
    static unsigned madeFor = 0;
    if (madeFor != PrefixGeneration()) {
        EnsureSystemFolder("C:\\WINDOWS");
        madeFor = PrefixGeneration();
    }
    return "C:\\WINDOWS";
}

std::string TempFolder() {
    static unsigned madeFor = 0;
    if (madeFor != PrefixGeneration()) {
        EnsureSystemFolder("C:\\Temp");
        madeFor = PrefixGeneration();
    }
    return "C:\\Temp\\";
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
