#pragma once
// The folder chooser: a caption, an initial folder and the chosen folder. Both folders start as the
// process's current folder. Browse asks the operator and returns true when a folder was chosen.
#include <string>

namespace plat {

class Operator;

class FolderBrowser {
  public:
    FolderBrowser();

    // Trailing blanks and then one trailing '\' or '/' are removed from the initial folder; the
    // prompt cannot return a drive root (3 characters or fewer).
    bool Browse(Operator* owner);

    std::string caption;
    std::string initialFolder;
    std::string chosenFolder;
};

} // namespace plat
