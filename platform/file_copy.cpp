#include "platform/files.h"

#include "platform/error.h"
#include "platform/file_lookup.h"
#include "platform/folder_index.h"
#include "platform/host_io.h"

#include <fcntl.h>
#include <stdio.h> // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace plat {

namespace {

bool Fail(std::uint32_t code) {
    SetLastError(code);
    return false;
}

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close (a full disk on some file systems) is seen.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Copies all of `in` to `out` in chunks: in the kernel where the file system can (which may share
// the data blocks), else through a buffer. Never holds a whole large file in memory.
bool CopyData(int in, int out) {
    constexpr std::size_t kKernelChunk = std::size_t{1} << 30;
    for (;;) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kKernelChunk, 0);
        if (n > 0) continue;
        if (n == 0) return true;
        if (errno == EINTR) continue;
        if (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP || errno == EPERM)
            break;
        return false;
    }
    std::vector<char> buffer(std::size_t{1} << 18);
    for (;;) {
        ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n == 0) return true;
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (ssize_t done = 0; done < n;) {
            ssize_t w = ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            done += w;
        }
    }
}

// The real host path behind a link to an existing file: a copy onto a link writes its target, as
// Windows opens the target of a link.
std::string ThroughLink(const std::string& hostPath) {
    char* real = ::realpath(hostPath.c_str(), nullptr);
    if (!real) return hostPath;
    std::string result = real;
    std::free(real);
    return result;
}

} // namespace

bool CopyFileTo(std::string_view source, std::string_view destination, bool failIfExists) {
    // The source is opened before the destination is looked at, as CopyFile does.
    auto from = host::NameEntry(source);
    if (!from) return false;
    // Non-blocking, so that a pipe named as the source cannot hang the copy.
    Descriptor in(::open(from->hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.get() < 0) return Fail(host::MissingEntryError(from->hostPath, errno));
    struct stat sourceStat {};
    if (::fstat(in.get(), &sourceStat) != 0) return Fail(ErrorFromErrno(errno));
    if (!S_ISREG(sourceStat.st_mode)) return Fail(kErrorAccessDenied); // a folder or a device
    if (from->folderOnly) return Fail(kErrorInvalidName);

    auto to = host::NameEntry(destination);
    if (!to) return false;
    std::string target = to->hostPath;
    bool replacing = false;
    struct stat targetStat {};
    if (::lstat(target.c_str(), &targetStat) == 0) {
        replacing = true;
        if (S_ISLNK(targetStat.st_mode) && ::stat(target.c_str(), &targetStat) == 0)
            target = ThroughLink(target);
        if (S_ISDIR(targetStat.st_mode)) return Fail(kErrorAccessDenied);
        if (to->folderOnly) return Fail(kErrorInvalidName);
        if (failIfExists) return Fail(kErrorFileExists);
        if (targetStat.st_dev == sourceStat.st_dev && targetStat.st_ino == sourceStat.st_ino)
            return Fail(kErrorSharingViolation);
        if (!S_ISLNK(targetStat.st_mode) && host::IsReadOnlyMode(targetStat.st_mode))
            return Fail(kErrorAccessDenied);
    } else if (errno != ENOENT) {
        return Fail(ErrorFromErrno(errno)); // a file on the way: 3
    } else if (to->folderOnly) {
        return Fail(kErrorInvalidName);
    }

    std::string temporary;
    Descriptor out(host::OpenTemporaryIn(host::HostFolderOf(target), temporary));
    if (out.get() < 0) return Fail(errno == ENOENT ? kErrorPathNotFound : ErrorFromErrno(errno));
    struct timespec times[2] = {{0, UTIME_OMIT}, sourceStat.st_mtim};
    // A replaced file's old data is gone once the rename lands: the new data must be on disk first.
    bool ok = CopyData(in.get(), out.get()) && ::fchmod(out.get(), sourceStat.st_mode & 0777) == 0 &&
              ::futimens(out.get(), times) == 0 && (!replacing || ::fdatasync(out.get()) == 0);
    int err = errno;
    if (!out.Close() && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        // Without overwrite the rename must not replace a file that appeared meanwhile.
        int renamed = failIfExists ? ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(),
                                                 RENAME_NOREPLACE)
                                   : ::rename(temporary.c_str(), target.c_str());
        if (renamed != 0 && errno == EINVAL && failIfExists) {
            // A file system without that rename: the destination was missing a moment ago.
            renamed = ::rename(temporary.c_str(), target.c_str());
        }
        if (renamed != 0) {
            ok = false;
            err = errno;
        }
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return Fail(err == EEXIST ? kErrorFileExists : ErrorFromErrno(err));
    }
    host::NoteEntryAdded(target);
    return true;
}

} // namespace plat
