#pragma once
// The custom logo dialog: a list of the DVR's four pictures with the file each uses. A double-click
// on a row asks for a 24-bit bitmap of the row's size; OK stores the files accepted in "BMP_LOGO" of
// "OrvPal.ini", Cancel stores nothing. The rows and their rules are `CustomLogo`'s; this window
// draws them.
#include "app/qt_operator.h"
#include "catalogue/custom_logo.h"

#include <QDialog>

class QTreeWidget;
class QTreeWidgetItem;

namespace tavo::app {

class CCustomLogoDlg : public QDialog {
    Q_OBJECT

  public:
    // Control ids of the dialog's template, also the controls' object names.
    enum ControlId : int { kIdOk = 1, kIdCancel = 2, kIdList = 1007 };

    // `prompts` asks for the files and shows the warnings (null: the dialog's own toolkit prompts).
    explicit CCustomLogoDlg(QWidget* parent, plat::Operator* prompts = nullptr);

    QTreeWidget* List() const { return list_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void PlaceControl(QWidget* control, int x, int y, int width, int height);
    void ChooseFile(QTreeWidgetItem* item);
    void Save();
    void ShowRow(int row);

    CustomLogo model_;
    QtOperator ownPrompts_;
    plat::Operator& prompts_;
    QTreeWidget* list_;
    bool columnsSized_ = false;
};

} // namespace tavo::app
