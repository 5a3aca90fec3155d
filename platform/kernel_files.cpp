#include "platform/kernel_files.h"

#include "platform/error.h"
#include "platform/io_faults.h"
#include "platform/paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace plat::kernel_files {

namespace {

constexpr std::string_view kGlobalSpace = "Global\\";
constexpr std::string_view kLocalSpace = "Local\\";
constexpr std::size_t kMaxName = 260; // MAX_PATH: the longest object name Windows takes
constexpr std::size_t kMaxHostName = 255;
constexpr std::size_t kFolderPart = 240;

void FailWithErrno() {
    SetLastError(ErrorFromErrno(errno));
}

std::string KernelFolder() {
    return PrefixFolder() + "/kernel";
}

// A byte goes into the host name as itself unless it is '/', the escape '%', a control character
// or outside ASCII: those become "%XX". Letters keep their case, so names stay case-sensitive.
std::string EncodeName(std::string_view name) {
    std::string encoded;
    for (char c : name) {
        auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x7F || c == '/' || c == '%') {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", u);
            encoded += escape;
        } else {
            encoded += c;
        }
    }
    return encoded;
}

bool LockByte(int fd, off_t byte, short type, bool wait) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    for (;;) {
        if (::fcntl(fd, wait ? F_OFD_SETLKW : F_OFD_SETLK, &lock) == 0) return true;
        if (errno != EINTR) return false;
    }
}

constexpr off_t kStateByte = 0;
constexpr off_t kPresenceByte = 1;

// Holds the lock that serialises creating and opening objects in the kernel folder. The folder is
// made on first use, open to every account (sticky, like /tmp) so that any user's processes meet
// in it.
class FolderGuard {
  public:
    explicit FolderGuard(const std::string& folder) {
        fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0 && errno == ENOENT) {
            if (::mkdir(folder.c_str(), 0777) == 0) ::chmod(folder.c_str(), 01777);
            fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (fd_ < 0) {
            SetLastError(ErrorFromErrno(errno));
            return;
        }
        while (::flock(fd_, LOCK_EX) != 0) {
            if (errno != EINTR) {
                SetLastError(ErrorFromErrno(errno));
                ::close(fd_);
                fd_ = -1;
                return;
            }
        }
    }
    ~FolderGuard() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderGuard(const FolderGuard&) = delete;
    FolderGuard& operator=(const FolderGuard&) = delete;
    bool held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

// Makes the folders a long name continues in, open to every account like the kernel folder.
bool MakeFolders(const std::string& path) {
    for (std::size_t slash = KernelFolder().size() + 1; (slash = path.find('/', slash)) != std::string::npos;
         ++slash) {
        std::string folder = path.substr(0, slash);
        if (::mkdir(folder.c_str(), 0777) == 0) {
            ::chmod(folder.c_str(), 01777);
        } else if (errno != EEXIST) {
            FailWithErrno();
            return false;
        }
    }
    return true;
}

// Gives a file no live process holds its fresh contents: kind and state, readable and writable
// by every account.
bool Initialise(int fd, Kind kind, char state) {
    const char bytes[2] = {static_cast<char>(kind), state};
    if (!io::Proceed(io::Step::KernelObject) || ::ftruncate(fd, 0) != 0 ||
        ::pwrite(fd, bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
        FailWithErrno();
        return false;
    }
    ::fchmod(fd, 0666); // fails harmlessly on a file another account made: it is 0666 already
    return true;
}

std::optional<Attached> Fail(int fd) {
    ::close(fd);
    return std::nullopt;
}

std::optional<Attached> AttachPrivate(Kind kind, char initialState, bool takeOwnership) {
    int fd = ::memfd_create("tavo-kernel-object", MFD_CLOEXEC);
    if (fd < 0) {
        FailWithErrno();
        return std::nullopt;
    }
    if (!Initialise(fd, kind, initialState)) return Fail(fd);
    if (takeOwnership && !LockState(fd, false)) {
        FailWithErrno();
        return Fail(fd);
    }
    return Attached{fd, true};
}

} // namespace

std::optional<std::string> ObjectPath(std::string_view name) {
    if (name.empty()) return std::string();
    if (name.size() > kMaxName) {
        SetLastError(kErrorFilenameExcedRange);
        return std::nullopt;
    }
    char space = 'l';
    std::string_view rest = name;
    if (rest.starts_with(kGlobalSpace)) {
        space = 'g';
        rest.remove_prefix(kGlobalSpace.size());
    } else if (rest.starts_with(kLocalSpace)) {
        rest.remove_prefix(kLocalSpace.size());
    }
    if (rest.empty()) {
        SetLastError(kErrorInvalidName);
        return std::nullopt;
    }
    if (rest.find('\\') != std::string_view::npos) {
        SetLastError(kErrorPathNotFound);
        return std::nullopt;
    }
    // A name too long for one host name continues in folders. A folder's name ends in a bare '%',
    // which an encoded name never does, so a folder never takes the place of an object's file.
    std::string file = std::string(1, space) + "-" + EncodeName(rest);
    std::string_view left = file;
    std::string path = KernelFolder();
    for (; left.size() > kMaxHostName; left.remove_prefix(kFolderPart))
        path += "/" + std::string(left.substr(0, kFolderPart)) + "%";
    return path + "/" + std::string(left);
}

std::optional<Attached> Attach(const std::string& path, Kind kind, bool create, char initialState,
                               bool takeOwnership) {
    if (path.empty()) return AttachPrivate(kind, initialState, takeOwnership);

    FolderGuard guard(KernelFolder());
    if (!guard.held()) return std::nullopt;
    if (create && !MakeFolders(path)) return std::nullopt;
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd < 0) {
        FailWithErrno();
        return std::nullopt;
    }

    // Only the guard holder ever write-locks the presence byte, so failing to get it means that a
    // live process holds the object.
    if (LockByte(fd, kPresenceByte, F_WRLCK, false)) {
        if (!create) {
            SetLastError(kErrorFileNotFound);
            return Fail(fd);
        }
        if (!Initialise(fd, kind, initialState)) return Fail(fd);
        if ((takeOwnership && !LockState(fd, false)) || !LockByte(fd, kPresenceByte, F_RDLCK, false)) {
            FailWithErrno();
            return Fail(fd);
        }
        return Attached{fd, true};
    }
    if (errno != EAGAIN && errno != EACCES) {
        FailWithErrno();
        return Fail(fd);
    }
    if (!LockByte(fd, kPresenceByte, F_RDLCK, false)) {
        FailWithErrno();
        return Fail(fd);
    }
    char stored = 0;
    if (::pread(fd, &stored, 1, 0) != 1 || stored != static_cast<char>(kind)) {
        SetLastError(kErrorInvalidHandle);
        return Fail(fd);
    }
    return Attached{fd, false};
}

bool LockState(int fd, bool wait) {
    return LockByte(fd, kStateByte, F_WRLCK, wait);
}

void UnlockState(int fd) {
    LockByte(fd, kStateByte, F_UNLCK, false);
}

bool ReadState(int fd, char& state) {
    ssize_t n = ::pread(fd, &state, 1, 1);
    if (n < 0) {
        FailWithErrno();
        return false;
    }
    if (n == 0) state = kClear;
    return true;
}

bool WriteState(int fd, char state) {
    if (!io::Proceed(io::Step::KernelObject) || ::pwrite(fd, &state, 1, 1) != 1) {
        FailWithErrno();
        return false;
    }
    return true;
}

} // namespace plat::kernel_files
