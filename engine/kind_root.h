#pragma once
// The root folder a kind's relative values hang from.
#include <string>

namespace tavo {

enum class KindRoot { Program, Windows, ActiveProduct, DvrInstall };

// The root as it stands now (empty when it is not known).
const std::string& RootFolder(KindRoot root);

} // namespace tavo
