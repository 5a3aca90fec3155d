#pragma once
// The path roots every action kind resolves against. Process-wide; each is empty until it is first
// filled and then ends with '\'; once filled a root is not recomputed during the process.
#include <array>
#include <cstdint>
#include <string>

namespace tavo {

struct PathRoots {
    std::string programFolder;        // filled at start-up: the folder of the running program
    std::string windowsFolder;        // the Windows folder + "\"
    std::string tempFolder;           // the system's temporary folder
    std::array<std::string, 5> installFolders; // DVR, Nodera, Watchdeck, Pulsewatch, Relay
    std::string activeProductFolder;  // the install folder of the current run's product
    std::string packageFolder;        // the program folder unless set before preparation
    std::string registryFolder;       // package folder + "Reg\", empty when it cannot be made
    // The "InstallPath" value the first preparation of the DVR read (or the folder chosen at its
    // prompt): a DVR restore writes it back, so a restored "OrvMulti.ini" keeps the live path.
    std::string dvrInstallPath;
};

PathRoots& Roots();

// The install folder of a product code (1, 2, 4, 8, 16); every other code names the DVR's.
std::string& InstallFolder(int productCode);

// The four 64-bit counters of the package space accounting; the engine stores the free room of the
// temporary folder's drive in the fourth. The commands set all four to 0 before a run.
std::array<std::uint64_t, 4>& SpaceCounters();

} // namespace tavo
