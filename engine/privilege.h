#pragma once
// Switching privileges of the process token for the length of one registry operation.
#include "platform/privileges.h"

#include <string_view>

namespace tavo {

// The current process token opened for privilege adjustment, closed when the object goes; 0 when
// it cannot be opened (every adjustment through it then fails).
class ProcessToken {
  public:
    ProcessToken();
    ~ProcessToken();
    ProcessToken(const ProcessToken&) = delete;
    ProcessToken& operator=(const ProcessToken&) = delete;
    plat::TokenHandle get() const { return token_; }

  private:
    plat::TokenHandle token_ = 0;
};

// Enables or disables one privilege by name: 1 only when the adjustment left no error, so a
// privilege the account does not hold gives 0.
int SetPrivilege(plat::TokenHandle token, std::string_view privilegeName, bool enable);

} // namespace tavo
