#include "platform/files.h"

#include "platform/error.h"
#include "platform/file_lookup.h"
#include "platform/folder_index.h"
#include "platform/host_io.h"
#include "platform/io_faults.h"

#include <fcntl.h>
#include <stdio.h> // renameat2
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <utility>
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
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void Adopt(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Closes now, so that a failing close (a full disk on some file systems) is seen.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

  private:
    int fd_;
};

// Copies all of `in` (`size` bytes when it was opened) to `out` in chunks: in the kernel where the
// file system can (which may share the data blocks), else through a buffer. Never holds a whole
// large file in memory.
bool CopyData(int in, int out, off_t size) {
    constexpr std::size_t kKernelChunk = std::size_t{1} << 30;
    for (off_t copied = 0;;) {
        ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, kKernelChunk, 0);
        // A file that reports its size is copied as it stood when opened, without asking again for
        // the end; one that reports none (a size of 0) is read to its end.
        if (n > 0 && (copied += n) == size) return true;
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

// A copy's source opened and its destination checked, as CopyFile does before it writes.
struct CopyPlan {
    Descriptor in{-1};
    struct stat sourceStat {};
    std::string target; // the host file to write: a link's target when the destination is a link
    bool replacing = false;
    dev_t targetDevice = 0; // the file system of the file replaced, when replacing
};

// Opens the source and checks the destination; false with the last error set.
bool PlanCopy(std::string_view source, std::string_view destination, bool failIfExists, CopyPlan& plan) {
    // The source is opened before the destination is looked at, as CopyFile does.
    auto from = host::NameEntry(source);
    if (!from) return false;
    // Non-blocking, so that a pipe named as the source cannot hang the copy.
    plan.in.Adopt(::open(from->hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (plan.in.get() < 0) return Fail(host::MissingEntryError(from->hostPath, errno));
    if (::fstat(plan.in.get(), &plan.sourceStat) != 0) return Fail(ErrorFromErrno(errno));
    if (!S_ISREG(plan.sourceStat.st_mode)) return Fail(kErrorAccessDenied); // a folder or a device
    if (from->folderOnly) return Fail(kErrorInvalidName);

    auto to = host::NameEntry(destination);
    if (!to) return false;
    plan.target = to->hostPath;
    struct stat targetStat {};
    if (host::LinkStat(*to, targetStat) == 0) {
        plan.replacing = true;
        if (S_ISLNK(targetStat.st_mode) && ::stat(plan.target.c_str(), &targetStat) == 0)
            plan.target = ThroughLink(plan.target);
        if (S_ISDIR(targetStat.st_mode)) return Fail(kErrorAccessDenied);
        plan.targetDevice = targetStat.st_dev;
        if (to->folderOnly) return Fail(kErrorInvalidName);
        if (failIfExists) return Fail(kErrorFileExists);
        if (targetStat.st_dev == plan.sourceStat.st_dev && targetStat.st_ino == plan.sourceStat.st_ino)
            return Fail(kErrorSharingViolation);
        if (!S_ISLNK(targetStat.st_mode) && host::IsReadOnlyMode(targetStat.st_mode))
            return Fail(kErrorAccessDenied);
    } else if (errno != ENOENT) {
        return Fail(ErrorFromErrno(errno)); // a file on the way: 3
    } else if (to->folderOnly) {
        return Fail(kErrorInvalidName);
    }
    return true;
}

// Writes the source's data, permission bits and last-write time to a new temporary file in the
// target's folder, flushed to disk when `flush`. False with the last error set and no file left.
bool WriteTemporary(const CopyPlan& plan, bool flush, std::string& temporary) {
    Descriptor out(host::OpenTemporaryIn(host::HostFolderOf(plan.target), temporary));
    if (out.get() < 0) return Fail(errno == ENOENT ? kErrorPathNotFound : ErrorFromErrno(errno));
    struct timespec times[2] = {{0, UTIME_OMIT}, plan.sourceStat.st_mtim};
    bool ok = io::Proceed(io::Step::Copy) && CopyData(plan.in.get(), out.get(), plan.sourceStat.st_size) &&
              ::fchmod(out.get(), plan.sourceStat.st_mode & 0777) == 0 && ::futimens(out.get(), times) == 0 &&
              (!flush || ::fdatasync(out.get()) == 0);
    int err = errno;
    if (!out.Close() && ok) {
        ok = false;
        err = errno;
    }
    if (ok) return true;
    ::unlink(temporary.c_str());
    return Fail(ErrorFromErrno(err));
}

// Renames a written temporary over its target, or removes it; false with the last error set.
bool PutInPlace(const std::string& temporary, const std::string& target, bool failIfExists) {
    // Without overwrite the rename must not replace a file that appeared meanwhile.
    int renamed = !io::Proceed(io::Step::Rename) ? -1
                  : failIfExists
                      ? ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE)
                      : ::rename(temporary.c_str(), target.c_str());
    if (renamed != 0 && errno == EINVAL && failIfExists) {
        // A file system without that rename: the destination was missing a moment ago.
        renamed = ::rename(temporary.c_str(), target.c_str());
    }
    if (renamed != 0) {
        int err = errno;
        ::unlink(temporary.c_str());
        return Fail(err == EEXIST ? kErrorFileExists : ErrorFromErrno(err));
    }
    host::NoteEntryAdded(target);
    return true;
}

// Extra disk space a batch may hold in temporaries beside the files they replace, and how many.
constexpr std::uint64_t kBatchBytes = std::uint64_t{64} << 20;
constexpr std::size_t kBatchFiles = 4096;

} // namespace

bool CopyFileTo(std::string_view source, std::string_view destination, bool failIfExists) {
    CopyPlan plan;
    if (!PlanCopy(source, destination, failIfExists, plan)) return false;
    // A replaced file's old data is gone once the rename lands: the new data must be on disk first.
    std::string temporary;
    return WriteTemporary(plan, plan.replacing, temporary) &&
           PutInPlace(temporary, plan.target, failIfExists);
}

struct ReplacingCopies::State {
    struct Waiting {
        std::string temporary;
        std::string target;
        std::size_t fileSystem; // index into fileSystems
    };
    struct FileSystem {
        dev_t device;
        // Opened before any temporary on it is written, so that its flush reports every write-back
        // error of their data.
        Descriptor folder;
        bool written; // holds temporaries of the current batch
    };
    std::vector<Waiting> waiting;
    std::vector<FileSystem> fileSystems;
    std::uint64_t bytes = 0;

    // The file system `device` (that of the file a copy replaces), opened through the folder of its
    // temporaries on first use; false with the last error set.
    bool FileSystemOf(dev_t device, const std::string& folder, std::size_t& index) {
        for (index = 0; index < fileSystems.size(); ++index)
            if (fileSystems[index].device == device) return true;
        int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0) return Fail(ErrorFromErrno(errno));
        fileSystems.push_back({device, Descriptor(fd), false});
        return true;
    }
};

ReplacingCopies::ReplacingCopies() : state_(std::make_unique<State>()) {}

ReplacingCopies::~ReplacingCopies() {
    for (const State::Waiting& waiting : state_->waiting)
        ::unlink(waiting.temporary.c_str());
}

ReplacingCopies::Result ReplacingCopies::Add(std::string_view source, std::string_view destination) {
    CopyPlan plan;
    if (!PlanCopy(source, destination, false, plan)) return Result::Failed;
    std::string temporary;
    if (!plan.replacing)
        return WriteTemporary(plan, false, temporary) && PutInPlace(temporary, plan.target, false)
                   ? Result::Copied
                   : Result::Failed;
    std::size_t fileSystem = 0;
    if (!state_->FileSystemOf(plan.targetDevice, host::HostFolderOf(plan.target), fileSystem) ||
        !WriteTemporary(plan, false, temporary))
        return Result::Failed;
    state_->waiting.push_back({std::move(temporary), std::move(plan.target), fileSystem});
    state_->fileSystems[fileSystem].written = true;
    state_->bytes += static_cast<std::uint64_t>(plan.sourceStat.st_size);
    return Result::Waiting;
}

bool ReplacingCopies::Full() const {
    return state_->bytes >= kBatchBytes || state_->waiting.size() >= kBatchFiles;
}

std::vector<std::uint32_t> ReplacingCopies::Commit() {
    // One flush of each file system puts every waiting temporary on disk; only then may a rename
    // drop the old data.
    std::vector<std::uint32_t> flushErrors(state_->fileSystems.size(), kErrorSuccess);
    for (std::size_t i = 0; i < state_->fileSystems.size(); ++i) {
        State::FileSystem& fileSystem = state_->fileSystems[i];
        if (fileSystem.written && (!io::Proceed(io::Step::Flush) || ::syncfs(fileSystem.folder.get()) != 0))
            flushErrors[i] = ErrorFromErrno(errno);
        fileSystem.written = false;
    }
    std::vector<std::uint32_t> results;
    results.reserve(state_->waiting.size());
    for (const State::Waiting& waiting : state_->waiting) {
        if (flushErrors[waiting.fileSystem] != kErrorSuccess) {
            ::unlink(waiting.temporary.c_str());
            results.push_back(flushErrors[waiting.fileSystem]);
        } else {
            results.push_back(PutInPlace(waiting.temporary, waiting.target, false) ? kErrorSuccess
                                                                                   : LastError());
        }
    }
    state_->waiting.clear();
    state_->bytes = 0;
    return results;
}

} // namespace plat
