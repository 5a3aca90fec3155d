#pragma once
// The whole-file and folder kinds. Each procedure runs one kind of an action file in one direction,
// entry by entry: (action file, package folder). The defaults procedures work on the live side only
// and take the empty package folder the defaults driver passes.
#include <string_view>

namespace tavo {

// "INI_EXE_PATH_ALL": files of the program folder.
void PackupIniExePathAll(std::string_view actionFile, std::string_view packageFolder);
// "ALL_FILE_IN_EXE_PATH": folders of the program folder.
void PackupAllFileInExePath(std::string_view actionFile, std::string_view packageFolder);

// "INI_WINDOW_PATH_ALL": files of the Windows folder.
void PackupIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder);
void RestoreIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder);
void DefaultsIniWindowPathAll(std::string_view actionFile, std::string_view packageFolder);
// "INI_WINDOW_PATH_ALL_PNR": files of the Windows folder that are packed up only.
void PackupIniWindowPathAllPnr(std::string_view actionFile, std::string_view packageFolder);

// "INI_KW_PATH_ALL": files of the active product folder.
void PackupIniKwPathAll(std::string_view actionFile, std::string_view packageFolder);
void RestoreIniKwPathAll(std::string_view actionFile, std::string_view packageFolder);
void DefaultsIniKwPathAll(std::string_view actionFile, std::string_view packageFolder);

// "ALL_FILE_IN_KW_PATH": folders of the active product folder.
void PackupAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder);
void RestoreAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder);
void DefaultsAllFileInKwPath(std::string_view actionFile, std::string_view packageFolder);
// "ALL_FILE_IN_KW_PATH_PNR": folders of the active product folder that are packed up only.
void PackupAllFileInKwPathPnr(std::string_view actionFile, std::string_view packageFolder);

} // namespace tavo
