#pragma once
// The kinds whose files are named inside another INI file: each entry names a referenced INI and a
// range of its sections or keys, and every value found there is a file to copy or delete. Each
// procedure runs one kind in one direction: (action file, package folder); the defaults
// procedures work on the live side only.
#include <string_view>

namespace tavo {

// "FILE_WINDOW_PATH_IN_INI": the referenced INI and its files are in the Windows folder.
void PackupFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder);
void RestoreFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder);
void DefaultsFileWindowPathInIni(std::string_view actionFile, std::string_view packageFolder);

// "FILE_KW_PATH_IN_INI": the referenced INI and its files are in the active product folder.
void PackupFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder);
void RestoreFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder);
void DefaultsFileKwPathInIni(std::string_view actionFile, std::string_view packageFolder);

// "FILE_FULLPATH_IN_INI": the referenced INI is in the Windows folder (style 12: the DVR install
// folder) and names its files by full path; a failed copy leaves the destination as it was.
void PackupFileFullpathInIni(std::string_view actionFile, std::string_view packageFolder);
void RestoreFileFullpathInIni(std::string_view actionFile, std::string_view packageFolder);

} // namespace tavo
