#pragma once
// The module INI files of the DVR that name the machine they belong to: the remote I/O module INI
// ("ORVRIOM.INI") and the wiegand/terminal import INI ("ORVWT.INI"). A package carries a
// placeholder GUID (and, in the module INI, a placeholder computer name); these functions put this
// machine's in their place.
#include "platform/system.h"

#include <string_view>

namespace tavo {

// The machine GUID of "GUID" in section "MAIN" of "GUID.ini", created and stored on first use.
// 1, or 0 when no GUID could be stored (a GUID that is not kept would differ at every restore).
int GetMachineGuid(plat::Guid* guid);

// "Setup": the placeholder GUID in each "Import%d" value, 1 to "ImportNumber", becomes the machine
// GUID. 1, or 0 when the machine GUID is not known (file unchanged) or a write fails (the file may
// hold part of the change).
int RegisterImports(std::string_view path);

// "RIOM": in "SetupStr" of the sections "Modual%d", "nLocal" to "ModualCnt" - 1, the placeholder
// GUID and the placeholder computer name between commas become this machine's. 1, or 0 when the
// machine GUID or the computer name is not known (file unchanged) or a write fails (the file may
// hold part of the change).
int RegisterModules(std::string_view path);

// Whether a package path names one of the two module INI files (without regard to case).
bool IsModuleFile(std::string_view package);

// The restore of a module INI file: the package's copy is registered to this machine in a work copy
// in the temporary folder, which then replaces the live file. The live file is thus wholly the old
// one or wholly the registered one, and the package keeps its placeholders for the next machine. A
// registration that fails leaves the live file as it was and is recorded as the entry's failure.
void RestoreModuleFile(std::string_view package, std::string_view live);

} // namespace tavo
