#pragma once
// The engine steps the progress bar through the main operator; a command's run owns it for its
// length and puts the previous one back.
#include "platform/operator.h"

namespace tavo::cli {

class MainOperatorScope {
  public:
    explicit MainOperatorScope(plat::Operator& op) : previous_(plat::MainOperator()) {
        plat::SetMainOperator(&op);
    }
    ~MainOperatorScope() { plat::SetMainOperator(previous_); }
    MainOperatorScope(const MainOperatorScope&) = delete;
    MainOperatorScope& operator=(const MainOperatorScope&) = delete;

  private:
    plat::Operator* previous_;
};

} // namespace tavo::cli
