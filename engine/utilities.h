#pragma once
// Small free functions the engine and the user interface share: making folders, deleting files
// and file trees, reading the settings and catalogue INI files, the Windows version code and the
// free room of a drive.
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

// 1 when the folder exists afterwards (created with all missing levels), else 0.
int EnsureDirectory(std::string_view folder);
// For a folder path ending in '\': 1 when it exists afterwards, else 0.
int EnsurePathFolders(std::string_view folder);
// A program file: a name ending in ".exe" in any case. The engine never deletes or writes one.
bool IsProgramFile(std::string_view path);
// 1 for a program file that is kept; else 0 when removed, -1 on failure.
int DeleteUnlessProgram(std::string_view path);
// Deletes every file below a folder path ending in '\' (program files kept, folders kept):
// 1, or 0 when the path is not a folder or cannot be listed. Each file goes to `deleteFile`:
// DeleteUnlessProgram, or a run's wrapper of it that records what it deleted.
using FileDeleter = int (*)(std::string_view path);
int DeleteFolderFiles(std::string_view folder, FileDeleter deleteFile = DeleteUnlessProgram);

// Where ReadSettingValue and ReadCatalogueValue read from; set at start-up and by the catalogue.
void SetSettingsIniPath(std::string path);
const std::string& SettingsIniPath();
void SetCatalogueIniPath(std::string path);
const std::string& CatalogueIniPath();

enum ValueKind : int { kValueInteger = 0, kValueString = 1 };
// Kind 0 reads an integer (profile-integer rule) into outInt; kind 1 empties outText, then reads a
// string with an empty default; any other kind does nothing.
void ReadSettingValue(std::string_view section, std::string_view key, int kind, std::string& outText,
                      int& outInt, int defaultInt);
void ReadCatalogueValue(std::string_view section, std::string_view key, int kind, std::string& outText,
                        int& outInt, int defaultInt);

// The Windows version code of the system (0 when the version cannot be queried).
int WindowsVersionCode();
// Free room in bytes of the drive of `root` ("C:\"); all bits set for a read-only drive with room.
std::uint64_t GetFreeSpace(std::string_view root);

} // namespace tavo
