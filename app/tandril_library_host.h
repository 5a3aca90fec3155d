#pragma once
// The window program hands the launcher button over to the shared library through its C ABI.
namespace tavo::app {

// Sets the engine's launcher host for the rest of the process.
void UseTandrilLibrary();

} // namespace tavo::app
