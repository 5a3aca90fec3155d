#include "engine/kind_root.h"

#include "engine/path_roots.h"
#include "engine/product_code.h"

namespace tavo {

const std::string& RootFolder(KindRoot root) {
    PathRoots& roots = Roots();
    switch (root) {
    case KindRoot::Program: return roots.programFolder;
    case KindRoot::Windows: return roots.windowsFolder;
    case KindRoot::ActiveProduct: return roots.activeProductFolder;
    case KindRoot::DvrInstall: return InstallFolder(kProductDvr);
    }
    return roots.programFolder;
}

} // namespace tavo
