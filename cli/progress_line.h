#pragma once
// The progress bar of tavoctl on stderr. On a terminal it is one line redrawn in place whenever the
// whole percentage changes; elsewhere (a log file, a pipe) it is a plain line at every tenth of the
// range. Either way a run prints a bounded amount, however many steps it takes. An empty range
// shows nothing.
#include <cstdio>

namespace tavo::cli {

class ProgressLine {
  public:
    ProgressLine(std::FILE* stream, bool redrawInPlace);

    void Show(bool visible);
    void Range(int low, int high);
    void Position(int position);

    // Takes a drawn line off the terminal so that other output starts on a clean line; Resume puts
    // it back.
    void Suspend();
    void Resume();

  private:
    int Percent() const;
    int Done() const;
    void Draw();
    void Erase();

    std::FILE* stream_;
    bool redrawInPlace_;
    bool visible_ = false;
    bool drawn_ = false; // a redrawn line is on the terminal now
    int low_ = 0;
    int high_ = 0;
    int position_ = 0;
    int lastShown_ = -1; // percentage (terminal) or tenth (plain) last printed
};

} // namespace tavo::cli
