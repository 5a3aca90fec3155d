#pragma once
// tavoctl hands the launcher button over to the library's logic directly, so prompts go to its
// terminal operator and no window ever opens.
namespace tavo::cli {

// Sets the engine's launcher host for the rest of the process.
void UseLibraryLogic();

} // namespace tavo::cli
