#include "fuzz/entries/sandbox.h"

#include "fuzz/entries/fuzz_check.h"
#include "platform/paths.h"
#include "platform/registry.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace tavo::fuzz {

namespace {

void RemoveProcessFolder() {
    std::error_code ec;
    fs::remove_all(ProcessFolder(), ec);
}

} // namespace

const std::string& ProcessFolder() {
    // Never destroyed: the removal at exit runs after the destructors of function statics.
    static const std::string* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "tavo-fuzz-XXXXXX").string();
        Check(mkdtemp(pattern.data()) != nullptr, "cannot make the sandbox folder");
        std::atexit(RemoveProcessFolder);
        return new std::string(pattern);
    }();
    return *folder;
}

void UseMachine(const std::string& prefix) {
    plat::SetPrefixFolder(prefix);
    // The registry store follows the prefix at its first use: a query makes that happen here.
    std::uint32_t size = 0;
    plat::RegQueryValueEx(plat::kHkeyCurrentUser, "", nullptr, nullptr, &size);
}

std::string FreshFolder(std::string_view name) {
    UseMachine(ProcessFolder() + "/idle");
    const fs::path folder = fs::path(ProcessFolder()) / name;
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder, ec);
    Check(!ec, "cannot make a sandbox folder");
    return folder.string();
}

void WriteHostFile(const std::string& hostPath, std::string_view bytes) {
    fs::create_directories(fs::path(hostPath).parent_path());
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    Check(out.good(), "cannot write a sandbox file");
}

std::string ReadHostFile(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    Check(in.good(), "cannot read " + hostPath);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string DemoFolder() {
    return TAVO_DEMO_SOURCE;
}

int SilentOperator::ShowMessage(std::string_view, std::string_view, plat::MessageIcon,
                                plat::MessageButtons buttons) {
    return buttons == plat::MessageButtons::YesNo ? plat::kIdYes : plat::kIdOk;
}

std::optional<std::string> SilentOperator::PromptFolder(std::string_view, std::string_view,
                                                        const std::function<bool(std::string_view)>&) {
    return std::nullopt;
}

std::optional<std::string> SilentOperator::PromptFile(std::string_view, std::string_view, std::string_view) {
    return std::nullopt;
}

} // namespace tavo::fuzz
