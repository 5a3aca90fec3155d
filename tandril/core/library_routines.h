#pragma once
// Small routines the library's parts share: the named event that tells a service of a change, the
// program launcher and the folder maker.
#include "platform/kernel.h"

#include <string_view>

namespace tandril {

// An auto-reset event, created so that any account may use it. Without `global`, or with an empty
// name, the event is created under the name as given (an empty name makes an unnamed event). With
// `global`, the event "Global\<name>" is opened when it exists and created otherwise. 0 when it can
// be neither opened nor created.
plat::Handle CreateNamedEvent(bool initiallySignalled, std::string_view name, bool global);

// Starts a program with parameters through the shell; whether it started is not examined.
void LaunchProgram(std::string_view file, std::string_view parameters);

// True when the folder exists afterwards: an existing folder is taken as it is; otherwise the
// whole chain is created, and "already exists" (as the shell answers for a file of that name)
// counts as success.
bool EnsureDirectory(std::string_view path);

} // namespace tandril
