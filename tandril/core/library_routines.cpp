#include "tandril/core/library_routines.h"

#include "platform/error.h"
#include "platform/files.h"
#include "platform/system.h"

#include <string>

namespace tandril {

plat::Handle CreateNamedEvent(bool initiallySignalled, std::string_view name, bool global) {
    if (!global || name.empty()) return plat::CreateEventNamed(name, initiallySignalled);
    const std::string globalName = "Global\\" + std::string(name);
    if (const plat::Handle existing = plat::OpenEventNamed(globalName)) return existing;
    return plat::CreateEventNamed(globalName, initiallySignalled);
}

void LaunchProgram(std::string_view file, std::string_view parameters) {
    plat::StartProgram(file, parameters, "");
}

bool EnsureDirectory(std::string_view path) {
    // A folder is there already. So, to the shell, is a plain file of that name ("already exists"),
    // where this host's chain creation would report it as in the way.
    if (plat::FileAttributes(path) != plat::kInvalidAttributes) return true;
    const std::uint32_t result = plat::CreateFolderChain(path);
    return result == plat::kErrorSuccess || result == plat::kErrorFileExists ||
           result == plat::kErrorAlreadyExists;
}

} // namespace tandril
