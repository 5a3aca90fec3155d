#pragma once
// A DVR restore brings back "OrvMulti.ini" with the install path of the machine the package came
// from, and writes the live path back only at its end; a reset to defaults removes "OrvMulti.ini"
// and "OrvPal.ini" and writes the install path and the video standard back at its end. A run killed
// in between, or a write-back that fails, would leave the foreign path or none, and every later run
// would work on the wrong folder. The live values are therefore noted first in "TavoRestore.ini"
// of the Windows folder, and put back from there before the next run prepares its folders; the note
// goes when the run has written every value back itself.
#include <optional>
#include <string_view>

namespace tavo {

// Notes the install path, and the video standard when given.
void NoteDvrSettings(std::string_view installPath, std::optional<int> pal = std::nullopt);
// Writes noted values back into "OrvMulti.ini" and "OrvPal.ini"; nothing when no run was cut short.
void RecoverDvrSettings();
// The end of a run: writes the install path (when not empty) and the video standard (when given)
// back, records each write that fails as the run's failure, and drops the note once every value is
// back. True when every value is back.
bool WriteBackDvrSettings(std::string_view installPath, std::optional<int> pal = std::nullopt);

} // namespace tavo
