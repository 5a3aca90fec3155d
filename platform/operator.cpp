#include "platform/operator.h"

#include <atomic>

namespace plat {

namespace {
// Set once by the host program; read from worker threads that step the progress bar.
std::atomic<Operator*> g_mainOperator{nullptr};
} // namespace

Operator* MainOperator() {
    return g_mainOperator.load();
}

void SetMainOperator(Operator* op) {
    g_mainOperator.store(op);
}

} // namespace plat
