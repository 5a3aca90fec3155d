#pragma once
// Windows-form paths on a host file system.
//
// All state of one emulated machine lives under the machine prefix (TAVO_PREFIX, or
// ~/.local/share/tavo). Drive C: is the prefix's "drive_c" folder, Z: is the host's "/", and any
// other letter X: is the prefix's "drive_x" folder. Names resolve without regard to (ASCII) case and
// keep the case they were created with; a host name that cannot exist on Windows is never matched.
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// Host folder of the machine prefix, without a trailing '/'. Read from TAVO_PREFIX on first use.
std::string PrefixFolder();
// Switches the process to another machine (tests, tavoctl --prefix); the folder is created.
void SetPrefixFolder(const std::string& hostFolder);
// Changes whenever the prefix changes, so caches keyed by Windows paths know to start again.
unsigned PrefixGeneration();

// Makes a full Windows path as Windows does: '/' becomes '\', a relative path is joined onto the
// current folder (a rooted "\x" onto its drive, "C:x" onto the current folder when it is on C:),
// "." and ".." components are resolved, runs of '\' collapse, a name loses one closing period and
// the last name its trailing periods and spaces. A trailing '\' is kept. Drive letters are upper-cased.
std::string FullWindowsPath(std::string_view path);

// Maps a Windows path to the host path it names. Existing components are matched without regard to
// case; missing ones are kept as written. Returns nullopt (last error 3 for an unknown drive or
// a non-drive path, 123 for a component that cannot be a Windows name).
std::optional<std::string> ToHostPath(std::string_view windowsPath);

// Maps an absolute host path to its Windows form: under the prefix's drive folders "C:\...", else
// "Z:\...". A trailing '/' becomes a trailing '\'. Empty when a name on the way cannot be a Windows
// name (it has no Windows form).
std::string ToWindowsPath(std::string_view hostPath);

// True when the name can be one component of a Windows path: not empty, not "." or "..", no control
// character, none of \ / : * ? " < > |, and not a device name (CON, NUL, COM1, LPT1.txt, ...).
bool IsValidWindowsName(std::string_view name);

// "C:\WINDOWS": no trailing '\', as the Windows-folder query returns it. Created on first use.
std::string WindowsFolder();
// The temporary folder, inside the prefix ("C:\Temp\"); always ends with '\'. Created on first use.
std::string TempFolder();

// Windows path of the running executable, or of the module folder set for this process.
std::string ModuleFileName();
// Makes the program folder another folder (tavoctl's package folder). The executable keeps its
// own file name inside it.
void SetModuleFolder(std::string_view windowsFolder);

// The process's current folder (Windows form, no trailing '\' unless a drive root).
std::string CurrentFolder();
void SetCurrentFolder(std::string_view windowsFolder);

// Where a profile-file name points: a name without '\' or '/' is in the Windows folder; any other
// name is made full with FullWindowsPath.
std::string ProfileFilePath(std::string_view name);

} // namespace plat
