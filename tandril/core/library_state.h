#pragma once
// The values every part of the library shares, one set per process: where the library's own files
// are and the Windows folder. Filled when the library is loaded (or, for a program that links the
// library's logic directly, when it starts).
#include <string>
#include <string_view>

namespace tandril {

struct LibraryState {
    std::string libraryFolder; // the folder of the library file, ending in '\'
    std::string textFilePath;  // libraryFolder + "MenuSelect.ini": texts and layout switches
    std::string windowsFolder; // no trailing '\'
};

LibraryState& Library();

// The load-time set-up from the library's own file path (a Windows path): the library folder is
// the path up to and including its last '\'. The Windows folder is filled only while still empty.
void InitialiseLibrary(std::string_view libraryFile);

} // namespace tandril
