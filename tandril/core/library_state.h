#pragma once
// The values every part of the library shares, one set per process: where the library's own files
// are and the Windows folder. Filled when the library is loaded (or, for a program that links the
// library's logic directly, when it starts).
#include "tandril/core/option_tree.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tandril {

// The extra option names of the option trees: per position a number (-1: unused), a text and a
// description. Holds kOptionNameSlots empty entries from load until a tree stores its names.
struct OptionNameTable {
    std::vector<int> numbers;
    std::vector<std::string> texts;
    std::vector<std::string> descriptions;
};
inline constexpr int kOptionNameSlots = 50;

// What the schedule database file names for the schedule service to start.
struct ProgramLaunchRecord {
    std::string program;
    std::string parameter;
    std::string value;
};
// A function of the calling program handed to the library, which keeps it and calls it never.
using SelectionCallback = void (*)();

struct LibraryState {
    std::string libraryFolder; // the folder of the library file, ending in '\'
    std::string textFilePath;  // libraryFolder + "MenuSelect.ini": texts and layout switches
    std::string windowsFolder; // no trailing '\'
    std::string treeName;      // the option tree named by the last option-tree export
    OptionNameTable optionNames;
    std::string scheduleProduct;      // named by the last schedule export; kept, read by nothing
    ProgramLaunchRecord launchRecord; // set by the schedule dialog

    // The option trees of the exports. The current dialog's tree is the one the state exports ask;
    // empty until a dialog or GetItemStateFromIni makes one current, and kept after its window has
    // gone. The spare tree has no window: it answers GetItemStateFromIni for a tree no dialog holds.
    std::shared_ptr<OptionTree> currentOptionTree;
    std::shared_ptr<OptionTree> spareOptionTree = std::make_shared<OptionTree>();
    SelectionCallback selectionCallback = nullptr;
};

LibraryState& Library();

// The load-time set-up from the library's own file path (a Windows path): the library folder is
// the path up to and including its last '\'. The Windows folder is filled only while still empty.
void InitialiseLibrary(std::string_view libraryFile);

} // namespace tandril
