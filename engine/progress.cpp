#include "engine/progress.h"

#include "platform/operator.h"

#include <atomic>

namespace tavo {

namespace {
std::atomic<int> counter{0};
}

void StepProgress() {
    // The bar belongs to the main window: without one, nothing counts.
    plat::Operator* op = plat::MainOperator();
    if (!op) return;
    op->ProgressPosition(++counter);
}

int ProgressCounter() {
    return counter;
}

void SetProgressCounter(int value) {
    counter = value;
}

} // namespace tavo
