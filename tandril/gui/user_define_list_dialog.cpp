#include "tandril/gui/user_define_list_dialog.h"

#include "tandril/core/menu_select.h"
#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/dialog_font.h"
#include "tandril/gui/user_define_edit_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

namespace tandril::gui {

namespace {

QString Text(std::string_view section, std::string_view key) {
    return FromAnsi(MenuSelectText(section, key));
}

QPushButton* Button(const char* id, const QString& text, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(id));
    return button;
}

QStringList RowTexts(const UserDefineEntry& entry) {
    return {FromAnsi(entry.application), FromAnsi(entry.file), FromAnsi(entry.param)};
}

} // namespace

UserDefineListDialog::UserDefineListDialog(plat::Operator* prompts, QWidget* parent)
    : QDialog(parent), ownPrompts_(this), prompts_(prompts ? *prompts : ownPrompts_),
      view_(new QTreeWidget(this)), add_(Button("3", Text("UserDefine", "Text_X81_BTN_Add"), this)),
      modify_(Button("4", Text("UserDefine", "Text_X81_BTN_Modify"), this)),
      remove_(Button("5", Text("UserDefine", "Text_X81_BTN_Remove"), this)) {
    int rightToLeft = 0;
    std::string unused;
    ReadMenuSelectValue("General", "STYLE_RTL", kMenuSelectInteger, unused, rightToLeft, 0);
    if (rightToLeft != 0) setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(Text("General", "Text_X81_Title_UserDefine"));

    view_->setObjectName(QStringLiteral("2000"));
    view_->setFont(DialogFont());
    view_->setRootIsDecorated(false);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setHeaderLabels({Text("UserDefine", "Text_X81_Header_1"), Text("UserDefine", "Text_X81_Header_2"),
                            Text("UserDefine", "Text_X81_Header_3")});
    view_->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view_->header()->setStretchLastSection(false);
    for (const UserDefineEntry& entry : list_.entries())
        view_->addTopLevelItem(new QTreeWidgetItem(RowTexts(entry)));
    view_->viewport()->installEventFilter(this);

    auto* ok = Button("1", Text("General", "Text_BTN_OK"), this);
    auto* cancel = Button("2", Text("General", "Text_BTN_CANCEL"), this);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {add_, modify_, remove_})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_);
    layout->addLayout(buttons);
    resize(520, 300);

    connect(view_, &QTreeWidget::itemSelectionChanged, this, &UserDefineListDialog::FollowSelection);
    connect(add_, &QPushButton::clicked, this, &UserDefineListDialog::Add);
    connect(modify_, &QPushButton::clicked, this, &UserDefineListDialog::Modify);
    connect(remove_, &QPushButton::clicked, this, &UserDefineListDialog::Remove);
    connect(ok, &QPushButton::clicked, this, &UserDefineListDialog::Commit);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowSelection();
}

bool UserDefineListDialog::eventFilter(QObject* watched, QEvent* event) {
    // A click on no row takes the selection away, as the system's list does.
    if (watched == view_->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (!view_->itemAt(press->position().toPoint())) view_->clearSelection();
    }
    return QDialog::eventFilter(watched, event);
}

void UserDefineListDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    SizeColumns();
}

void UserDefineListDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    SizeColumns();
}

void UserDefineListDialog::SizeColumns() {
    const int width = view_->viewport()->width();
    view_->setColumnWidth(0, width * 25 / 100);
    view_->setColumnWidth(1, width * 50 / 100);
    view_->setColumnWidth(2, width * 24 / 100);
}

std::optional<UserDefineEntry> UserDefineListDialog::RunEdit(EditMode mode, UserDefineEntry values) {
    UserDefineEditDialog dialog(mode, std::move(values), prompts_, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.values();
}

void UserDefineListDialog::Add() {
    if (!list_.CanAdd()) return;
    const std::optional<UserDefineEntry> entry = RunEdit(EditMode::Add, {});
    if (!entry || !list_.Add(*entry)) return;
    view_->addTopLevelItem(new QTreeWidgetItem(RowTexts(*entry)));
    ShowSelection();
}

void UserDefineListDialog::Modify() {
    const int row = list_.selection();
    if (row < 0) return;
    const std::optional<UserDefineEntry> entry =
        RunEdit(EditMode::Modify, list_.entries()[static_cast<std::size_t>(row)]);
    if (!entry || !list_.Modify(*entry)) return;
    const QStringList texts = RowTexts(*entry);
    for (int column = 0; column < texts.size(); ++column)
        view_->topLevelItem(row)->setText(column, texts[column]);
}

void UserDefineListDialog::Remove() {
    const int row = list_.selection();
    if (!list_.Remove()) return;
    const QSignalBlocker blocker(view_);
    delete view_->takeTopLevelItem(row);
    ShowSelection();
}

void UserDefineListDialog::Commit() {
    list_.Commit(&prompts_);
    accept();
}

void UserDefineListDialog::FollowSelection() {
    const QList<QTreeWidgetItem*> selected = view_->selectedItems();
    list_.Select(selected.isEmpty() ? -1 : view_->indexOfTopLevelItem(selected.first()));
    ShowSelection();
}

void UserDefineListDialog::ShowSelection() {
    const QSignalBlocker blocker(view_);
    const int row = list_.selection();
    view_->clearSelection();
    if (row >= 0) {
        view_->setCurrentItem(view_->topLevelItem(row));
        view_->topLevelItem(row)->setSelected(true);
    }
    add_->setEnabled(list_.CanAdd());
    modify_->setEnabled(list_.CanModify());
    remove_->setEnabled(list_.CanRemove());
}

} // namespace tandril::gui
