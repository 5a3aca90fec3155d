#include "support/demo_package.h"

namespace tavo::test {

namespace fs = std::filesystem;

void CopyDemoPackage(const fs::path& builtPackage, const fs::path& to) {
    fs::create_directories(to);
    for (const auto& entry : fs::recursive_directory_iterator(builtPackage)) {
        const fs::path relative = fs::relative(entry.path(), builtPackage);
        if (relative == "tavoctl" || relative == "Tavo") continue;
        if (entry.is_directory())
            fs::create_directories(to / relative);
        else
            fs::copy_file(entry.path(), to / relative);
    }
}

} // namespace tavo::test
