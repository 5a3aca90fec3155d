#pragma once
// Host files of the end-to-end tests: whole-file reads and writes, and the files of a machine.
#include "support/temp_prefix.h"

#include <filesystem>
#include <map>
#include <string>

namespace tavo::test {

std::string ReadFile(const std::filesystem::path& path);
// Replaces the file with `bytes`, creating its folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// The files of a machine's drive C: that a person would see (not the platform's temporary files),
// by their path below drive_c ("DVR/Setup.ini").
using Files = std::map<std::string, std::string>;
Files FilesOf(const TempPrefix& machine);

} // namespace tavo::test
