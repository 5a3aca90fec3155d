#include "host_files.h"

#include "platform/host_io.h"

#include <fstream>
#include <iterator>

namespace tavo::test {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

Files FilesOf(const TempPrefix& machine) {
    Files files;
    const fs::path root = fs::path(machine.host()) / "drive_c";
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || plat::host::IsTemporaryName(entry.path().filename().string()))
            continue;
        files[fs::relative(entry.path(), root).generic_string()] = ReadFile(entry.path());
    }
    return files;
}

} // namespace tavo::test
