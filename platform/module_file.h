#pragma once
// GetModuleFileName for a module other than the program: the file of the shared library that holds
// a given address (the library's own instance handle on Windows).
#include <string>

namespace plat {

// Windows path of the library or program file that contains `address`; empty when the address is
// in no loaded file or the file has no Windows form.
std::string ModuleFileNameOf(const void* address);

} // namespace plat
