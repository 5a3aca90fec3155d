#pragma once
// The engine's file delete: DeleteUnlessProgram, with the outcome recorded in the run log.
#include <string_view>

namespace tavo {

// Deletes a file unless it is a program file. Records Deleted, Kept (a program file that is there),
// Skipped (nothing there to delete) or Failed (with the Win32 error); `reason` says why the file
// goes. Returns DeleteUnlessProgram's result.
int DeleteRecorded(std::string_view path, std::string_view reason);

} // namespace tavo
