#include "tandril/gui/gui_application.h"

#include <QApplication>

namespace tandril::gui {

bool EnsureGuiApplication() {
    if (QCoreApplication::instance())
        return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
    // The object lives until the process ends: the program may show the library's windows again at
    // any time, and tearing the toolkit down while unloading would run after its plug-ins are gone.
    static int argc = 1;
    static char name[] = "Tandril";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    return true;
}

} // namespace tandril::gui
