// The C interface of the library: checks the arguments it is handed, runs the store's operation
// and turns everything into a result code, so no exception leaves the library.
#include "sentrix.h"

#include "password_store.h"
#include "store_backup.h"

#include "platform/error.h"

#include <cstring>
#include <new>
#include <optional>
#include <string_view>

namespace {

// Room of the package-folder buffer the programs pass.
constexpr std::size_t kFolderBufferSize = 260;

// The text of a NUL-terminated field of fixed room, read no further than the room; nullopt when
// the room holds no NUL.
std::optional<std::string_view> FieldText(const char* field, std::size_t room) {
    std::size_t length = strnlen(field, room);
    if (length == room) return std::nullopt;
    return std::string_view(field, length);
}

std::optional<std::string_view> Text(const char* text) {
    if (!text) return std::nullopt;
    return std::string_view(text);
}

template <typename Operation> std::uint32_t Guarded(Operation operation) noexcept {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        return plat::kErrorNotEnoughMemory;
    } catch (...) {
        return sentrix::kErrorInternalError;
    }
}

// Every code this library reports fits the 16-bit results.
short Short(std::uint32_t code) {
    return static_cast<short>(code);
}

std::uint32_t PackageOperation(const char* packageFolder, std::uint32_t (*operation)(std::string_view)) {
    std::optional<std::string_view> folder =
        packageFolder ? FieldText(packageFolder, kFolderBufferSize) : std::nullopt;
    if (!folder || folder->empty()) return plat::kErrorInvalidParameter;
    return Guarded([&] { return operation(*folder); });
}

} // namespace

extern "C" {

short CheckOptionDlg(int, int, short, int, int, int, int, int, int, int) {
    return Short(
        Guarded([] { return sentrix::StartupRefused() ? plat::kErrorAccessDenied : plat::kErrorSuccess; }));
}

short PassBackupExport(const char* packageFolder, int) {
    return Short(PackageOperation(packageFolder, sentrix::ExportStore));
}

short PassBackupImport(const char* packageFolder, int) {
    return Short(PackageOperation(packageFolder, sentrix::ImportStore));
}

short GetPrivilege(int privilege, void* loginRecord) {
    if (!loginRecord) return Short(plat::kErrorInvalidParameter);
    char* record = static_cast<char*>(loginRecord);
    std::optional<std::string_view> userId =
        FieldText(record + SENTRIX_USER_ID_OFFSET, SENTRIX_USER_ID_FIELD);
    std::optional<std::string_view> password =
        FieldText(record + SENTRIX_PASSWORD_OFFSET, SENTRIX_PASSWORD_FIELD);
    std::uint32_t code = userId && password
                             ? Guarded([&] { return sentrix::CheckLogin(*userId, *password, privilege); })
                             : plat::kErrorInvalidParameter;
    if (code != plat::kErrorSuccess) std::memset(record + SENTRIX_GRANTED_OFFSET, 0, 2);
    return Short(code);
}

void PassFreeLibrary(void) {
    // Nothing is held between calls, so there is nothing to release.
}

int SentrixAddUser(const char* userId, const char* password) {
    std::optional<std::string_view> id = Text(userId);
    std::optional<std::string_view> secret = Text(password);
    if (!id || !secret) return static_cast<int>(plat::kErrorInvalidParameter);
    return static_cast<int>(Guarded([&] { return sentrix::AddUser(*id, *secret); }));
}

int SentrixGrantPrivilege(const char* userId, int privilege) {
    std::optional<std::string_view> id = Text(userId);
    if (!id) return static_cast<int>(plat::kErrorInvalidParameter);
    return static_cast<int>(Guarded([&] { return sentrix::GrantPrivilege(*id, privilege); }));
}

int SentrixRevokePrivilege(const char* userId, int privilege) {
    std::optional<std::string_view> id = Text(userId);
    if (!id) return static_cast<int>(plat::kErrorInvalidParameter);
    return static_cast<int>(Guarded([&] { return sentrix::RevokePrivilege(*id, privilege); }));
}

int SentrixSetStartupRefused(int refused) {
    return static_cast<int>(Guarded([&] { return sentrix::SetStartupRefused(refused != 0); }));
}

} // extern "C"
