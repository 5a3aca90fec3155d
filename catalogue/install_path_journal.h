#pragma once
// A DVR restore brings back "OrvMulti.ini" with the install path of the machine the package came
// from, and writes the live path back only at its end. A restore killed in between would leave the
// foreign path, and every later run would work on the wrong folder. The live path is therefore
// noted first in "TavoRestore.ini" of the Windows folder, and put back from there before the next
// run prepares its folders; the note goes when the restore has written the path back itself.
#include <string_view>

namespace tavo {

void NoteDvrInstallPath(std::string_view installPath);
// Writes a noted path back into "OrvMulti.ini"; nothing when no restore was interrupted.
void RecoverDvrInstallPath();
void ForgetDvrInstallPath();

} // namespace tavo
