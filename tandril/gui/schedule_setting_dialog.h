#pragma once
// The schedule dialog (template 1003): whether and when the routine backup of the DVR's settings
// runs, what it backs up, where to and under which login. OK checks the login and hands the
// schedule to the suite's schedule service; Cancel writes nothing.
#include "tandril/core/schedule_setting.h"
#include "tandril/gui/library_operator.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

namespace tandril::gui {

class ScheduleSettingDialog : public QDialog {
    Q_OBJECT
  public:
    // `getPrivilege` checks the login at OK; `prompts` shows the messages and the folder prompt
    // (null: the dialog's own).
    explicit ScheduleSettingDialog(PrivilegeCheck getPrivilege, plat::Operator* prompts = nullptr,
                                   QWidget* parent = nullptr);

    const ScheduleSetting& setting() const { return setting_; }

  private:
    void Draw();

    ScheduleSetting setting_;
    LibraryOperator ownPrompts_;
    plat::Operator& prompts_;
    QCheckBox* active_;
    std::array<QRadioButton*, 3> types_;
    QComboBox* weekDay_;
    QComboBox* monthDay_;
    std::array<QCheckBox*, kBackupCategories> categories_;
    QLineEdit* userId_;
    QLineEdit* password_;
    QLineEdit* savePath_;
};

} // namespace tandril::gui
