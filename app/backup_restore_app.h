#pragma once
// The application object: what Tavo does before and after its main dialog. It finds its files,
// keeps to one copy per machine (a second start brings the first copy's window to the front),
// asks the password library whether the run may go on, reads the look-and-feel settings, runs the
// main dialog modally and tidies up.
#include "app/single_instance.h"

namespace tavo::app {

class CBackupRestoreApp {
  public:
    // Runs the start-up sequence and the main dialog. Always false: the program ends once it
    // returns. Needs the toolkit's application object.
    bool InitInstance();
    // The exit code of the program.
    int ExitInstance();

  private:
    void RunMainDialog();

    // Created with the application object, when the program loads, and closed with it.
    NamedObjects objects_;
};

} // namespace tavo::app
