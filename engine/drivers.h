#pragma once
// The engine's entry points: preparing the path roots of a product, the census that sizes the
// progress range, and the three drivers that run an action file.
#include <string>
#include <string_view>

namespace tavo {

// 1 when every root the run needs is ready; 0 when the operator cancelled a folder prompt or the
// package folder could not be created.
int PreparePaths(int productCode);

// Reads the DVR's install folder again from "InstallPath" of "OrvMulti.ini" and makes it the DVR's
// path root; returns it. Empty when the INI names no folder, so the next preparation asks for one.
const std::string& ReloadDvrInstallFolder();

// The number of entries a packup of this action file steps through.
int CountActions(std::string_view actionFile);

// direction non-zero: packup, zero: restore. 1, or 0 when a packup cannot create the package
// folder. The export file is accepted and not used.
int RunPackupRestore(std::string_view actionFile, std::string_view exportFile, int direction, int productCode);

// Always 1.
int RunDefaults(std::string_view actionFile);

} // namespace tavo
