#pragma once
// The Windows version code (WindowsVersionCode in utilities.h) as a table of version facts.
#include "platform/system.h"

namespace tavo {

// 1 Win32s; 5 Windows 95, 6 Windows 98, 7 Windows ME; 10 NT 4 or older, 11 Windows 2000, 12 XP
// (5.1 and later 5.x), 13 NT 6.0 and later; 0 for a version the table does not know.
int WindowsVersionCodeFor(const plat::OsVersion& version);

} // namespace tavo
