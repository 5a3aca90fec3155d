// The library's start and end in a process: set up when the library is loaded, released when it
// is unloaded.
#include "platform/module_file.h"
#include "platform/system.h"
#include "sentrix.h"
#include "tandril/core/library_state.h"
#include "tandril/gui/dialog_font.h"

namespace {

// An object inside the library, whose address names the library's own file.
const char kInsideTheLibrary = 0;

class LibraryLifetime {
  public:
    LibraryLifetime() {
        plat::DebugTrace("Tandril.dll Initial\n");
        tandril::InitialiseLibrary(plat::ModuleFileNameOf(&kInsideTheLibrary));
    }
    ~LibraryLifetime() {
        PassFreeLibrary();
        tandril::gui::ReleaseDialogFont();
        plat::DebugTrace("Tandril.dll Uninitial\n");
    }
    LibraryLifetime(const LibraryLifetime&) = delete;
    LibraryLifetime& operator=(const LibraryLifetime&) = delete;
};

const LibraryLifetime lifetime;

} // namespace
