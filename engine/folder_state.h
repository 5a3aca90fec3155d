#pragma once
// Whether a path is a folder, and making one that must be a folder afterwards (EnsureDirectory also
// accepts a plain file of that name, which no copy can go into).
#include <string_view>

namespace tavo {

bool IsFolder(std::string_view path);
// True when the path is a folder afterwards.
bool MakeFolder(std::string_view path);

} // namespace tavo
