#include "engine/privilege.h"

#include "platform/error.h"

#include <string>

namespace tavo {

ProcessToken::ProcessToken() {
    if (!plat::OpenProcessToken(plat::kTokenAdjustPrivileges, &token_)) token_ = 0;
}

ProcessToken::~ProcessToken() {
    if (token_) plat::CloseTokenHandle(token_);
}

int SetPrivilege(plat::TokenHandle token, std::string_view privilegeName, bool enable) {
    plat::Luid luid;
    if (!plat::LookupPrivilegeValue(nullptr, std::string(privilegeName).c_str(), &luid)) return 0;
    plat::AdjustTokenPrivileges(token, false,
                                {{luid, enable ? std::uint32_t{plat::kSePrivilegeEnabled} : 0u}});
    return plat::LastError() == plat::kErrorSuccess ? 1 : 0;
}

} // namespace tavo
