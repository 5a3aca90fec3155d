#pragma once
// Starting a user-defined application from the launcher button.
namespace plat {
class Operator;
}

namespace tandril {

// Nothing without entries; the only entry is started at once; with more, the operator picks one
// from a pop-up menu of their names (dismissing it starts nothing). An entry without a file is not
// started. `owner` shows the menu; null means the main operator, and with neither no menu shows.
void DoUserDefine(plat::Operator* owner);

} // namespace tandril
