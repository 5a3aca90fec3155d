#include "platform/host_io.h"

#include "platform/error.h"
#include "platform/folder_index.h"
#include "platform/io_faults.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <stdio.h> // renameat2
#include <functional>
#include <random>

namespace plat::host {

namespace {

constexpr std::string_view kTempStart = ".~tavo-";
constexpr std::string_view kTempEnd = ".tmp";

void FailWithErrno() { SetLastError(ErrorFromErrno(errno)); }

bool WriteFully(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

std::optional<std::string> ReadAll(const std::string& hostPath, std::size_t limit) {
    int fd = ::open(hostPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        FailWithErrno();
        return std::nullopt;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        SetLastError(kErrorAccessDenied);
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    data.reserve(std::min(static_cast<std::size_t>(st.st_size), limit));
    char buffer[65536];
    while (data.size() < limit) {
        ssize_t n = ::read(fd, buffer, std::min(sizeof buffer, limit - data.size()));
        if (n < 0) {
            if (errno == EINTR) continue;
            FailWithErrno();
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        data.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    SetLastError(kErrorSuccess);
    return data;
}

int OpenTemporaryIn(const std::string& folder, std::string& hostPath) {
    static std::atomic<unsigned> counter{0};
    static const unsigned long long seed = std::random_device{}();
    for (int attempt = 0; attempt < 100; ++attempt) {
        char unique[80];
        std::snprintf(unique, sizeof unique, "%s%d-%u-%llx%s", kTempStart.data(), static_cast<int>(getpid()),
                      counter++, seed, kTempEnd.data());
        hostPath = (folder.empty() ? std::string() : folder) + "/" + unique;
        int fd = ::open(hostPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

namespace {

// Writes the bytes to a temporary file in the target's folder, flushes them and renames the file
// into place; `replace` false never replaces a file that is there (EEXIST).
bool WriteThroughTemporary(const std::string& hostPath, std::string_view bytes, unsigned mode, bool replace) {
    std::size_t slash = hostPath.rfind('/');
    std::string temp;
    int fd = OpenTemporaryIn(slash == std::string::npos ? std::string(".") : hostPath.substr(0, slash), temp);
    if (fd < 0) {
        FailWithErrno();
        return false;
    }
    bool ok = io::Proceed(io::Step::Write) && WriteFully(fd, bytes) &&
              ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fdatasync(fd) == 0;
    int savedErrno = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    if (ok) {
        int renamed = !io::Proceed(io::Step::Rename) ? -1
                      : replace
                          ? ::rename(temp.c_str(), hostPath.c_str())
                          : ::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, hostPath.c_str(), RENAME_NOREPLACE);
        // A file system without that rename: a hard link is made only where no name is.
        if (renamed != 0 && errno == EINVAL && !replace &&
            (renamed = ::link(temp.c_str(), hostPath.c_str())) == 0)
            ::unlink(temp.c_str());
        if (renamed != 0) {
            ok = false;
            savedErrno = errno;
        }
    }
    if (!ok) {
        ::unlink(temp.c_str());
        SetLastError(ErrorFromErrno(savedErrno));
        return false;
    }
    NoteEntryAdded(hostPath);
    SetLastError(kErrorSuccess);
    return true;
}

} // namespace

bool WriteAtomic(const std::string& hostPath, std::string_view bytes, unsigned mode) {
    return WriteThroughTemporary(hostPath, bytes, mode, true);
}

bool WriteNewAtomic(const std::string& hostPath, std::string_view bytes, unsigned mode) {
    return WriteThroughTemporary(hostPath, bytes, mode, false);
}

bool IsTemporaryName(std::string_view name) {
    return name.size() > kTempStart.size() + kTempEnd.size() && name.substr(0, kTempStart.size()) == kTempStart &&
           name.substr(name.size() - kTempEnd.size()) == kTempEnd;
}

PathLock::PathLock(const std::string& hostPath) {
    char name[32];
    std::snprintf(name, sizeof name, "%016zx.lock", std::hash<std::string>{}(hostPath));
    std::string lockFile = PrefixFolder() + "/locks/" + name;
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd_ < 0) return; // no lock folder: writes still replace files atomically
    ::fchmod(fd_, 0666);
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

PathLock::~PathLock() {
    if (fd_ >= 0) ::close(fd_); // closing the descriptor drops the lock
}

} // namespace plat::host
