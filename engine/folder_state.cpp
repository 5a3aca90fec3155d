#include "engine/folder_state.h"

#include "engine/utilities.h"
#include "platform/files.h"

namespace tavo {

bool IsFolder(std::string_view path) {
    const std::uint32_t attributes = plat::FileAttributes(path);
    return attributes != plat::kInvalidAttributes && (attributes & plat::kAttrDirectory) != 0;
}

bool MakeFolder(std::string_view path) {
    return IsFolder(path) || (EnsureDirectory(path) != 0 && IsFolder(path));
}

} // namespace tavo
