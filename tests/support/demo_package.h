#pragma once
// The built demo package copied for a test, without its two programs, where a packup may change it.
#include <filesystem>

namespace tavo::test {

void CopyDemoPackage(const std::filesystem::path& builtPackage, const std::filesystem::path& to);

} // namespace tavo::test
