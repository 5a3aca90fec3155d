#include "catalogue/program_probes.h"

namespace tavo {

namespace {

constexpr std::string_view kProbeNames[] = {
    "XOrvMultiSingleInstanceMutex",     "_ORV_Nodera_Server_LC",
    "XOrvWatchdeckSingleInstanceMutex", "_ORV_PULSEWATCH_S",
    "XOrvBalanceSingleInstanceMutex",
};

// 0 DVR, 1 Nodera, 2 Watchdeck, 3 Pulsewatch, 4 Relay server; -1 for another code.
int ProbeIndex(int productCode) {
    for (int index = 0; index < 5; ++index)
        if (productCode == 1 << index) return index;
    return -1;
}

} // namespace

bool TryAcquireMutex(plat::Handle mutex, std::uint32_t milliseconds) {
    const std::uint32_t result = plat::WaitForObject(mutex, milliseconds);
    if (result == plat::kWaitObject0) return true;
    if (result != plat::kWaitAbandoned) return false;
    if (plat::WaitForObject(mutex, milliseconds) != plat::kWaitObject0) return false;
    plat::ReleaseMutexHandle(mutex);
    return true;
}

std::string_view ProductProbes::ProbeName(int productCode) {
    const int index = ProbeIndex(productCode);
    return index < 0 ? std::string_view() : kProbeNames[index];
}

ProductProbes::ProductProbes() {
    for (std::size_t i = 0; i < probes_.size(); ++i)
        probes_[i] = plat::CreateMutexNamed(kProbeNames[i], false);
}

ProductProbes::~ProductProbes() {
    for (plat::Handle probe : probes_)
        if (probe) plat::CloseObjectHandle(probe);
}

bool ProductProbes::TryTake(int productCode) {
    const int index = ProbeIndex(productCode);
    return index >= 0 && probes_[static_cast<unsigned>(index)] &&
           TryAcquireMutex(probes_[static_cast<unsigned>(index)], 0);
}

void ProductProbes::Release(int productCode) {
    const int index = ProbeIndex(productCode);
    if (index >= 0 && probes_[static_cast<unsigned>(index)])
        plat::ReleaseMutexHandle(probes_[static_cast<unsigned>(index)]);
}

} // namespace tavo
