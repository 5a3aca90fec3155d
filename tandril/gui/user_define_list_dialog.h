#pragma once
// The list dialog of user-defined applications: add, modify and remove entries; OK writes the list
// and brings the launcher button into line, Cancel writes nothing.
#include "tandril/core/user_define_edit.h"
#include "tandril/core/user_define_list.h"
#include "tandril/gui/library_operator.h"

#include <QDialog>

#include <optional>

class QPushButton;
class QTreeWidget;

namespace tandril::gui {

class UserDefineListDialog : public QDialog {
    Q_OBJECT
  public:
    // `prompts` asks for files and folders (null: the dialog's own toolkit prompts).
    explicit UserDefineListDialog(plat::Operator* prompts = nullptr, QWidget* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    std::optional<UserDefineEntry> RunEdit(EditMode mode, UserDefineEntry values);
    void Add();
    void Modify();
    void Remove();
    void Commit();
    void FollowSelection();
    void ShowSelection();
    void SizeColumns();

    UserDefineList list_;
    LibraryOperator ownPrompts_;
    plat::Operator& prompts_;
    QTreeWidget* view_;
    QPushButton* add_;
    QPushButton* modify_;
    QPushButton* remove_;
};

} // namespace tandril::gui
