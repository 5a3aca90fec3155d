#include "tandril/gui/schedule_setting_dialog.h"

#include "tandril/core/menu_select.h"
#include "tandril/core/schedule_texts.h"
#include "tandril/gui/ansi_qt.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

namespace tandril::gui {

namespace {

template <typename Widget> Widget* Named(Widget* widget, const char* id) {
    widget->setObjectName(QLatin1String(id));
    return widget;
}

QLineEdit* LoginField(const char* id, std::size_t limit, QWidget* parent) {
    auto* field = Named(new QLineEdit(parent), id);
    field->setMaxLength(static_cast<int>(limit));
    return field;
}

// Puts the model's text into a field only when it differs, so typing keeps its cursor.
void ShowText(QLineEdit* field, const std::string& text) {
    const QString shown = FromAnsi(text);
    if (field->text() != shown) field->setText(shown);
}

} // namespace

ScheduleSettingDialog::ScheduleSettingDialog(PrivilegeCheck getPrivilege, plat::Operator* prompts,
                                             QWidget* parent)
    : QDialog(parent), setting_(std::move(getPrivilege)), ownPrompts_(this),
      prompts_(prompts ? *prompts : ownPrompts_),
      active_(Named(new QCheckBox(QStringLiteral("Active Schedule"), this), "2021")),
      types_{Named(new QRadioButton(QStringLiteral("Daily Schedule")), "2002"),
             Named(new QRadioButton(QStringLiteral("Weekly Schedule")), "2003"),
             Named(new QRadioButton(QStringLiteral("Monthly Schedule")), "2004")},
      weekDay_(Named(new QComboBox, "2005")), monthDay_(Named(new QComboBox, "2006")),
      categories_{Named(new QCheckBox(QStringLiteral("Password")), "2011"),
                  Named(new QCheckBox(QStringLiteral("General")), "2010"),
                  Named(new QCheckBox(QStringLiteral("Schedule")), "2012"),
                  Named(new QCheckBox(QStringLiteral("POS/KW-Wiegand")), "2013"),
                  Named(new QCheckBox(QStringLiteral("Network")), "2014")},
      userId_(LoginField("2017", kUserIdLimit, this)), password_(LoginField("2020", kPasswordLimit, this)),
      savePath_(Named(new QLineEdit(this), "2023")) {
    setFont(QFont(QStringLiteral("Arial"), 9));
    int rightToLeft = 0;
    std::string unused;
    ReadMenuSelectValue("General", "STYLE_RTL", kMenuSelectInteger, unused, rightToLeft, 0);
    if (rightToLeft != 0) setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QStringLiteral("Tavo Schedule Setting"));

    for (const char* day : kWeekDayNames)
        weekDay_->addItem(QLatin1String(day));
    for (int day = 1; day <= kMonthDays; ++day)
        monthDay_->addItem(QString::number(day));
    password_->setEchoMode(QLineEdit::Password);
    savePath_->setReadOnly(true);

    auto* typeBox = Named(new QGroupBox(QStringLiteral("Schedule Type"), this), "2001");
    auto* typeGrid = new QGridLayout(typeBox);
    for (int row = 0; row < 3; ++row)
        typeGrid->addWidget(types_[static_cast<std::size_t>(row)], row, 0);
    typeGrid->addWidget(weekDay_, 1, 1);
    typeGrid->addWidget(monthDay_, 2, 1);

    auto* backupBox = Named(new QGroupBox(QStringLiteral("Backup Setting"), this), "2007");
    auto* backupRow = new QHBoxLayout(backupBox);
    backupRow->addWidget(Named(new QLabel(QStringLiteral("DVR:")), "2009"));
    for (QCheckBox* category : categories_)
        backupRow->addWidget(category);
    backupRow->addStretch();

    auto* loginBox = Named(new QGroupBox(QStringLiteral("Login Information"), this), "2008");
    auto* loginGrid = new QGridLayout(loginBox);
    loginGrid->addWidget(Named(new QLabel(QStringLiteral("User ID :")), "2018"), 0, 0);
    loginGrid->addWidget(userId_, 0, 1);
    loginGrid->addWidget(Named(new QLabel(QStringLiteral("Password :")), "2019"), 1, 0);
    loginGrid->addWidget(password_, 1, 1);

    auto* saveBox = Named(new QGroupBox(QStringLiteral("Save Path"), this), "2022");
    auto* saveRow = new QHBoxLayout(saveBox);
    auto* browse = Named(new QPushButton(QStringLiteral("...")), "2025");
    saveRow->addWidget(savePath_, 1);
    saveRow->addWidget(browse);

    auto* ok = Named(new QPushButton(QStringLiteral("OK"), this), "1");
    auto* cancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "2");
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(active_);
    layout->addWidget(typeBox);
    layout->addWidget(backupBox);
    layout->addWidget(loginBox);
    layout->addWidget(saveBox);
    layout->addLayout(buttons);

    // Only the operator's actions reach the model (clicked, activated, textEdited); Draw's own
    // changes emit none of these.
    connect(active_, &QCheckBox::clicked, this, [this] {
        setting_.ToggleActive();
        Draw();
    });
    for (int type = 0; type < 3; ++type) {
        connect(types_[static_cast<std::size_t>(type)], &QRadioButton::clicked, this, [this, type] {
            setting_.ChooseType(type);
            Draw();
        });
    }
    connect(weekDay_, &QComboBox::activated, this, [this](int index) { setting_.SelectWeekDay(index); });
    connect(monthDay_, &QComboBox::activated, this, [this](int index) { setting_.SelectMonthDay(index); });
    for (int k = 0; k < kBackupCategories; ++k) {
        connect(categories_[static_cast<std::size_t>(k)], &QCheckBox::clicked, this,
                [this, k](bool checked) { setting_.SetCategory(k, checked); });
    }
    connect(userId_, &QLineEdit::textEdited, this, [this](const QString& text) {
        setting_.SetUserId(ToAnsi(text));
        Draw();
    });
    connect(password_, &QLineEdit::textEdited, this, [this](const QString& text) {
        setting_.SetPassword(ToAnsi(text));
        Draw();
    });
    connect(browse, &QPushButton::clicked, this, [this] {
        if (setting_.ChooseSavePath(prompts_)) Draw();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        if (setting_.Confirm(prompts_)) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Draw();
}

void ScheduleSettingDialog::Draw() {
    const ScheduleControls& shown = setting_.controls();
    active_->setChecked(shown.active);
    for (int type = 0; type < 3; ++type) {
        QRadioButton* button = types_[static_cast<std::size_t>(type)];
        button->setChecked(shown.type == type);
        button->setEnabled(shown.enabled);
    }
    weekDay_->setCurrentIndex(shown.weekDay);
    weekDay_->setEnabled(shown.weekDayEnabled);
    monthDay_->setCurrentIndex(shown.monthDay);
    monthDay_->setEnabled(shown.monthDayEnabled);
    for (std::size_t k = 0; k < categories_.size(); ++k) {
        categories_[k]->setChecked(shown.categories[k]);
        categories_[k]->setEnabled(shown.enabled);
    }
    userId_->setEnabled(shown.enabled);
    password_->setEnabled(shown.enabled);
    ShowText(userId_, shown.userId);
    ShowText(password_, shown.password);
    ShowText(savePath_, shown.savePath);
}

} // namespace tandril::gui
