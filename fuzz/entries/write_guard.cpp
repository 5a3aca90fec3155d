#include "fuzz/entries/write_guard.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <filesystem>

namespace tavo::fuzz {

namespace {

struct GuardState {
    std::vector<std::string> allowed;
    std::vector<std::string> refused;
};

GuardState* armed = nullptr;
// Set while the guard itself runs, so that what it calls is never checked.
thread_local bool inGuard = false;

template <class Function> Function Real(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

std::string FolderOf(int dirfd) {
    if (dirfd == AT_FDCWD) {
        char cwd[4096];
        return getcwd(cwd, sizeof cwd) ? cwd : "";
    }
    std::error_code ec;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(dirfd), ec).string();
}

bool Under(const std::string& path, const std::string& folder) {
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

// True when the call may go ahead; otherwise it is recorded and errno is EACCES.
bool Allowed(const char* call, int dirfd, const char* path) {
    if (!armed || inGuard || !path) return true;
    inGuard = true;
    std::filesystem::path full(path);
    if (full.is_relative()) full = std::filesystem::path(FolderOf(dirfd)) / full;
    const std::string normal = full.lexically_normal().string();
    bool allowed = false;
    for (const std::string& folder : armed->allowed)
        allowed = allowed || Under(normal, folder);
    if (!allowed) armed->refused.push_back(std::string(call) + " " + normal);
    inGuard = false;
    if (!allowed) errno = EACCES;
    return allowed;
}

bool Writes(int flags) {
    return (flags & (O_WRONLY | O_RDWR | O_CREAT | O_TRUNC)) != 0;
}

bool WritesMode(const char* mode) {
    for (; mode && *mode; ++mode)
        if (*mode == 'w' || *mode == 'a' || *mode == '+') return true;
    return false;
}

} // namespace

WriteGuard::WriteGuard(std::vector<std::string> allowedFolders) {
    armed = new GuardState{std::move(allowedFolders), {}};
}

WriteGuard::~WriteGuard() {
    delete armed;
    armed = nullptr;
}

const std::vector<std::string>& WriteGuard::Refused() const {
    return armed->refused;
}

} // namespace tavo::fuzz

using tavo::fuzz::Allowed;
using tavo::fuzz::Real;
using tavo::fuzz::Writes;
using tavo::fuzz::WritesMode;

// The C library's entry points, each checked and then passed on to the library's own.
extern "C" {

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if (Writes(flags) && !Allowed("open", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, int, ...)>("open");
    return real(path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if (Writes(flags) && !Allowed("open64", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, int, ...)>("open64");
    return real(path, flags, mode);
}

int openat(int dirfd, const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & (O_CREAT | O_TMPFILE)) ? va_arg(args, mode_t) : 0;
    va_end(args);
    if (Writes(flags) && !Allowed("openat", dirfd, path)) return -1;
    static auto real = Real<int (*)(int, const char*, int, ...)>("openat");
    return real(dirfd, path, flags, mode);
}

int creat(const char* path, mode_t mode) {
    if (!Allowed("creat", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, mode_t)>("creat");
    return real(path, mode);
}

FILE* fopen(const char* path, const char* mode) {
    if (WritesMode(mode) && !Allowed("fopen", AT_FDCWD, path)) return nullptr;
    static auto real = Real<FILE* (*)(const char*, const char*)>("fopen");
    return real(path, mode);
}

FILE* fopen64(const char* path, const char* mode) {
    if (WritesMode(mode) && !Allowed("fopen64", AT_FDCWD, path)) return nullptr;
    static auto real = Real<FILE* (*)(const char*, const char*)>("fopen64");
    return real(path, mode);
}

int mkdir(const char* path, mode_t mode) {
    if (!Allowed("mkdir", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, mode_t)>("mkdir");
    return real(path, mode);
}

int mkdirat(int dirfd, const char* path, mode_t mode) {
    if (!Allowed("mkdirat", dirfd, path)) return -1;
    static auto real = Real<int (*)(int, const char*, mode_t)>("mkdirat");
    return real(dirfd, path, mode);
}

int rename(const char* from, const char* to) {
    if (!Allowed("rename", AT_FDCWD, from) || !Allowed("rename", AT_FDCWD, to)) return -1;
    static auto real = Real<int (*)(const char*, const char*)>("rename");
    return real(from, to);
}

int renameat(int fromDir, const char* from, int toDir, const char* to) {
    if (!Allowed("renameat", fromDir, from) || !Allowed("renameat", toDir, to)) return -1;
    static auto real = Real<int (*)(int, const char*, int, const char*)>("renameat");
    return real(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char* from, int toDir, const char* to, unsigned flags) {
    if (!Allowed("renameat2", fromDir, from) || !Allowed("renameat2", toDir, to)) return -1;
    static auto real = Real<int (*)(int, const char*, int, const char*, unsigned)>("renameat2");
    return real(fromDir, from, toDir, to, flags);
}

int unlink(const char* path) {
    if (!Allowed("unlink", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*)>("unlink");
    return real(path);
}

int unlinkat(int dirfd, const char* path, int flags) {
    if (!Allowed("unlinkat", dirfd, path)) return -1;
    static auto real = Real<int (*)(int, const char*, int)>("unlinkat");
    return real(dirfd, path, flags);
}

int rmdir(const char* path) {
    if (!Allowed("rmdir", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*)>("rmdir");
    return real(path);
}

int link(const char* from, const char* to) {
    if (!Allowed("link", AT_FDCWD, to)) return -1;
    static auto real = Real<int (*)(const char*, const char*)>("link");
    return real(from, to);
}

int symlink(const char* target, const char* path) {
    if (!Allowed("symlink", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, const char*)>("symlink");
    return real(target, path);
}

int chmod(const char* path, mode_t mode) {
    if (!Allowed("chmod", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, mode_t)>("chmod");
    return real(path, mode);
}

int fchmodat(int dirfd, const char* path, mode_t mode, int flags) {
    if (!Allowed("fchmodat", dirfd, path)) return -1;
    static auto real = Real<int (*)(int, const char*, mode_t, int)>("fchmodat");
    return real(dirfd, path, mode, flags);
}

int truncate(const char* path, off_t length) {
    if (!Allowed("truncate", AT_FDCWD, path)) return -1;
    static auto real = Real<int (*)(const char*, off_t)>("truncate");
    return real(path, length);
}
} // extern "C"
