#include "tandril/core/user_define_launch.h"

#include "platform/operator.h"
#include "tandril/core/library_routines.h"
#include "tandril/core/user_define_file.h"

#include <string>
#include <vector>

namespace tandril {

namespace {

void Start(int number) {
    const UserDefineEntry entry = ReadUserDefine(number);
    if (!entry.file.empty()) LaunchProgram(entry.file, entry.param);
}

} // namespace

void DoUserDefine(plat::Operator* owner) {
    const int count = GetUserDefineCount();
    if (count < 1) return;
    if (count == 1) {
        Start(1);
        return;
    }
    plat::Operator* op = owner ? owner : plat::MainOperator();
    if (!op) return;
    std::vector<std::string> names;
    for (int number = 1; number <= count; ++number)
        names.push_back(ReadUserDefine(number).application);
    const int chosen = op->PopupMenu(names);
    if (chosen >= 0 && chosen < count) Start(chosen + 1);
}

} // namespace tandril
