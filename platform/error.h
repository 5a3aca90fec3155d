#pragma once
// Win32 result codes and the per-thread "last error" that the platform functions set.
#include <cstdint>

namespace plat {

enum : std::uint32_t {
    kErrorSuccess = 0,
    kErrorFileNotFound = 2,
    kErrorPathNotFound = 3,
    kErrorAccessDenied = 5,
    kErrorInvalidHandle = 6,
    kErrorNotEnoughMemory = 8,
    kErrorNotSameDevice = 17,
    kErrorNoMoreFiles = 18,
    kErrorWriteFault = 29,
    kErrorSharingViolation = 32,
    kErrorHandleDiskFull = 39,
    kErrorFileExists = 80,
    kErrorInvalidParameter = 87,
    kErrorBufferOverflow = 111,
    kErrorInsufficientBuffer = 122,
    kErrorInvalidName = 123,
    kErrorBadPathname = 161,
    kErrorAlreadyExists = 183,
    kErrorFilenameExcedRange = 206,
    kErrorMoreData = 234,
    kErrorNoMoreItems = 259,
    kErrorNotOwner = 288,
    kErrorDiskFull = 112,
    kErrorNoAccess = 998,
    kErrorBadDb = 1009,
    kErrorBadKey = 1010,
    kErrorRegistryIoFailed = 1016,
    kErrorNotRegistryFile = 1017,
    kErrorKeyDeleted = 1018,
    kErrorCancelled = 1223,
    kErrorNotAllAssigned = 1300,
    kErrorNoSuchPrivilege = 1313,
    kErrorPrivilegeNotHeld = 1314,
};

std::uint32_t LastError();
void SetLastError(std::uint32_t code);

// Maps a POSIX errno value to the Win32 code a file function reports for it.
std::uint32_t ErrorFromErrno(int err);

} // namespace plat
