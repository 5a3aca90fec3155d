#pragma once
// What the edit dialog of one user-defined application does, without its window: the three
// values within their lengths, and choosing the program file through the operator.
#include "tandril/core/user_define_file.h"

#include <string>
#include <string_view>

namespace plat {
class Operator;
}

namespace tandril {

enum class EditMode { Add, Modify };

class UserDefineEdit {
  public:
    static constexpr std::string_view kFileFilter = "Exe file (*.exe)|*.exe|All files (*.*)|*.*||";

    UserDefineEdit(EditMode mode, UserDefineEntry values);

    EditMode mode() const { return mode_; }
    const UserDefineEntry& values() const { return values_; }
    // Text beyond a field's length is not taken.
    void SetApplication(std::string_view name);
    void SetParam(std::string_view param);
    // OK needs a file.
    bool CanAccept() const { return !values_.file.empty(); }

    // "...": an open-file prompt titled with the entry's name as it was when the dialog opened, on
    // the current file's folder. A chosen path becomes the file; one longer than the file field can
    // hold is refused, as a path cut short would start another program. True when the file changed.
    bool ChooseFile(plat::Operator& op);

  private:
    EditMode mode_;
    UserDefineEntry values_;
    std::string openingName_;
};

} // namespace tandril
