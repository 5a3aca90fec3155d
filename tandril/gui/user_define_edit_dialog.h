#pragma once
// The edit dialog of one user-defined application: its name, its program file (chosen with "...")
// and its parameters.
#include "tandril/core/user_define_edit.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace plat {
class Operator;
}

namespace tandril::gui {

class UserDefineEditDialog : public QDialog {
    Q_OBJECT
  public:
    // `prompts` asks for the file.
    UserDefineEditDialog(EditMode mode, UserDefineEntry values, plat::Operator& prompts, QWidget* parent);

    // The values as taken at OK.
    const UserDefineEntry& values() const { return edit_.values(); }

  private:
    void ChooseFile();
    void Take();

    UserDefineEdit edit_;
    plat::Operator& prompts_;
    QLineEdit* name_;
    QLineEdit* file_;
    QLineEdit* param_;
    QPushButton* ok_;
};

} // namespace tandril::gui
