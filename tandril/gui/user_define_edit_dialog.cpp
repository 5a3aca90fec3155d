#include "tandril/gui/user_define_edit_dialog.h"

#include "tandril/core/menu_select.h"
#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/dialog_font.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

namespace tandril::gui {

namespace {

QString Text(std::string_view section, std::string_view key) {
    return FromAnsi(MenuSelectText(section, key));
}

QLineEdit* Field(const char* id, std::size_t limit, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(id));
    field->setMaxLength(static_cast<int>(limit));
    field->setFont(DialogFont());
    return field;
}

} // namespace

UserDefineEditDialog::UserDefineEditDialog(EditMode mode, UserDefineEntry values, plat::Operator& prompts,
                                           QWidget* parent)
    : QDialog(parent), edit_(mode, std::move(values)), prompts_(prompts),
      name_(Field("1021", kApplicationLimit, this)), file_(Field("1022", kFileLimit, this)),
      param_(Field("1023", kParamLimit, this)), ok_(new QPushButton(Text("General", "Text_BTN_OK"), this)) {
    setWindowTitle(Text("General", mode == EditMode::Add ? "Text_X81_Title_Add" : "Text_X81_Title_Modify"));
    file_->setReadOnly(true);
    name_->setText(FromAnsi(edit_.values().application));
    file_->setText(FromAnsi(edit_.values().file));
    param_->setText(FromAnsi(edit_.values().param));

    auto* browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("1020"));
    ok_->setObjectName(QStringLiteral("1"));
    ok_->setDefault(true);
    ok_->setEnabled(edit_.CanAccept());
    auto* cancel = new QPushButton(Text("General", "Text_BTN_CANCEL"), this);
    cancel->setObjectName(QStringLiteral("2"));

    auto* grid = new QGridLayout;
    const std::pair<QLineEdit*, const char*> rows[] = {{name_, "1025"}, {file_, "1026"}, {param_, "1027"}};
    for (int row = 0; row < 3; ++row) {
        auto* label = new QLabel(Text("UserDefine", "Text_X81_Header_" + std::to_string(row + 1)), this);
        label->setObjectName(QLatin1String(rows[row].second));
        grid->addWidget(label, row, 0);
        grid->addWidget(rows[row].first, row, 1);
    }
    grid->addWidget(browse, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(browse, &QPushButton::clicked, this, &UserDefineEditDialog::ChooseFile);
    connect(ok_, &QPushButton::clicked, this, &UserDefineEditDialog::Take);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void UserDefineEditDialog::ChooseFile() {
    if (!edit_.ChooseFile(prompts_)) return;
    file_->setText(FromAnsi(edit_.values().file));
    ok_->setEnabled(edit_.CanAccept());
}

void UserDefineEditDialog::Take() {
    edit_.SetApplication(ToAnsi(name_->text()));
    edit_.SetParam(ToAnsi(param_->text()));
    accept();
}

} // namespace tandril::gui
