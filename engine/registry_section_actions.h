#pragma once
// The registry-value kind "REGISTER_TREE_SECTION": single values, and the file or folder a value
// names. Its packup writes each value's type and content back into the action file it runs, under
// the entry's own keys, and its restore reads them from there.
#include "platform/registry.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

void PackupRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder);
void RestoreRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder);
void DefaultsRegisterTreeSection(std::string_view actionFile, std::string_view packageFolder);

// The workers, one entry each: 1 or 0 (the loops do not look). `type` and `content` receive the
// value's type and its content as the entry keeps it.
int PackupSectionValue(std::string_view section, int number, std::string_view actionFile,
                       std::string_view packageFolder, plat::HKey root, const std::string& subKey,
                       const std::string& valueName, std::uint32_t& type, std::string& content);
int RestoreSectionValue(std::string_view section, int number, std::string_view actionFile,
                        std::string_view packageFolder, plat::HKey root, const std::string& subKey,
                        const std::string& valueName, std::uint32_t& type, std::string& content);
int DefaultsSectionValue(std::string_view section, int number, std::string_view actionFile,
                         std::string_view packageFolder, plat::HKey root, const std::string& subKey,
                         const std::string& valueName, std::uint32_t& type, std::string& content);

} // namespace tavo
