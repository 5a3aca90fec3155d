#include "engine/progress.h"

#include "platform/operator.h"

#include <atomic>
#include <climits>

namespace tavo {

namespace {
std::atomic<int> counter{0};
}

void StepProgress() {
    StepProgress(1);
}

void StepProgress(int steps) {
    // The bar belongs to the main window: without one, nothing counts.
    plat::Operator* op = plat::MainOperator();
    if (!op || steps <= 0) return;
    // The range is capped at the largest int, and so is the bar.
    const int now = counter.load();
    counter = steps > INT_MAX - now ? INT_MAX : now + steps;
    op->ProgressPosition(counter);
}

int ProgressCounter() {
    return counter;
}

void SetProgressCounter(int value) {
    counter = value;
}

} // namespace tavo
