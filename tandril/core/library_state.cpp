#include "tandril/core/library_state.h"

#include "platform/paths.h"

namespace tandril {

LibraryState& Library() {
    static LibraryState state;
    return state;
}

void InitialiseLibrary(std::string_view libraryFile) {
    LibraryState& state = Library();
    const std::size_t cut = libraryFile.rfind('\\');
    state.libraryFolder =
        cut == std::string_view::npos ? std::string() : std::string(libraryFile.substr(0, cut + 1));
    state.textFilePath = state.libraryFolder + "MenuSelect.ini";
    if (state.windowsFolder.empty()) state.windowsFolder = plat::WindowsFolder();
    state.optionNames.numbers.assign(kOptionNameSlots, -1);
    state.optionNames.texts.assign(kOptionNameSlots, std::string());
    state.optionNames.descriptions.assign(kOptionNameSlots, std::string());
}

} // namespace tandril
