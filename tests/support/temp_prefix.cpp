#include "support/temp_prefix.h"

#include "platform/paths.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tavo::test {

TempPrefix::TempPrefix(const std::string& parent) {
    std::string pattern =
        ((parent.empty() ? fs::temp_directory_path() : fs::path(parent)) / "tavo-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    host_ = pattern;
    plat::SetPrefixFolder(host_);
}

TempPrefix::~TempPrefix() {
    std::error_code ec;
    // Read-only fixtures must not stop the clean-up.
    for (auto it = fs::recursive_directory_iterator(host_, ec); it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        if (!it->is_symlink()) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
    fs::remove_all(host_, ec);
}

std::string TempPrefix::HostOf(std::string_view windowsPath) const {
    std::string rest(windowsPath.substr(windowsPath.size() >= 3 ? 3 : windowsPath.size()));
    for (char& c : rest)
        if (c == '\\') c = '/';
    char drive = static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath.empty() ? 'c' : windowsPath[0])));
    return host_ + "/drive_" + drive + (rest.empty() ? "" : "/" + rest);
}

void TempPrefix::WriteHost(std::string_view windowsPath, std::string_view bytes) const {
    fs::path p = HostOf(windowsPath);
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempPrefix::ReadHost(std::string_view windowsPath) const {
    std::ifstream in(HostOf(windowsPath), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace tavo::test
