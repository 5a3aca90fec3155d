#include "platform/error.h"

#include <cerrno>

namespace plat {

namespace {
thread_local std::uint32_t lastError = kErrorSuccess;
}

std::uint32_t LastError() { return lastError; }

void SetLastError(std::uint32_t code) { lastError = code; }

std::uint32_t ErrorFromErrno(int err) {
    switch (err) {
    case 0: return kErrorSuccess;
    case ENOENT: return kErrorFileNotFound;
    case ENOTDIR:
    case ELOOP: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ENOTEMPTY: return kErrorAccessDenied;
    case EEXIST: return kErrorAlreadyExists;
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case ENAMETOOLONG: return kErrorFilenameExcedRange;
    case EBUSY:
    case ETXTBSY: return kErrorSharingViolation;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EINVAL: return kErrorInvalidParameter;
    case EBADF: return kErrorInvalidHandle;
    case EXDEV: return kErrorNotSameDevice;
    default: return kErrorWriteFault;
    }
}

} // namespace plat
