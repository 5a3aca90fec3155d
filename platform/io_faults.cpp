#include "platform/io_faults.h"

namespace plat::io {

namespace detail {
std::atomic<bool> armed{false};
}

namespace {

struct Plan {
    std::uint64_t failAt = 0;
    int err = 0;
    std::uint32_t steps = 0;
    std::uint64_t counted = 0;
    bool fired = false;
};

Plan& ThePlan() {
    static Plan plan;
    return plan;
}

} // namespace

int detail::Reached(Step step) {
    Plan& plan = ThePlan();
    if ((static_cast<std::uint32_t>(step) & plan.steps) == 0) return 0;
    if (++plan.counted != plan.failAt) return 0;
    plan.fired = true;
    return plan.err;
}

void FailAt(std::uint64_t n, int err, std::uint32_t steps) {
    ThePlan() = Plan{n, err, steps, 0, false};
    detail::armed.store(true, std::memory_order_relaxed);
}

void Disarm() {
    detail::armed.store(false, std::memory_order_relaxed);
}

std::uint64_t StepsCounted() {
    return ThePlan().counted;
}

bool Fired() {
    return ThePlan().fired;
}

} // namespace plat::io
