#pragma once
// The central single-file copy and the recursive folder copy that every file-moving kind uses.
#include <string_view>

namespace tavo {

// Non-zero on success, 0 when the final copy failed. A missing source with removeOnFailure set
// deletes the destination (never a program file). A failed copy leaves no partial destination
// and the previous destination intact. A copy of a file onto itself changes nothing and succeeds.
int CopyOneFile(std::string_view source, std::string_view destination, int failIfExists, int removeOnFailure);

// Both folders end in '\'. 1 when the listing ran; 0 when the source is not a folder, the
// destination cannot be created, or a listing cannot start.
int CopyFolderTree(std::string_view destination, std::string_view source);

} // namespace tavo
