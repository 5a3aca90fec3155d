#include "tandril/gui/option_tree_dialog.h"

#include "tandril/core/menu_select.h"
#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/dialog_font.h"
#include "tandril/gui/option_tree_ctrl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace tandril::gui {

namespace {

QString Text(std::string_view key) {
    return FromAnsi(MenuSelectText("General", key));
}

template <typename Widget> Widget* Named(Widget* widget, const char* id) {
    widget->setObjectName(QLatin1String(id));
    return widget;
}

} // namespace

OptionTreeDialog::OptionTreeDialog(OptionTree& tree, const std::string& name, QWidget* parent)
    : QDialog(parent), tree_(tree), view_(new OptionTreeCtrl(tree, this)) {
    setFont(QFont(QStringLiteral("Arial"), 8));
    int rightToLeft = 0;
    std::string unused;
    ReadMenuSelectValue("General", "STYLE_RTL", kMenuSelectInteger, unused, rightToLeft, 0);
    if (rightToLeft != 0) setLayoutDirection(Qt::RightToLeft);

    auto* description = Named(new QPlainTextEdit(this), "1001");
    description->setReadOnly(true);
    if (rightToLeft != 0) {
        // The reading order of the text itself, which the layout direction leaves to the text.
        QTextOption order = description->document()->defaultTextOption();
        order.setTextDirection(Qt::RightToLeft);
        description->document()->setDefaultTextOption(order);
    }
    description->setFont(DialogFont());
    view_->setFont(DialogFont());
    setWindowTitle(Text("Text_Title_Dialog"));
    auto* optionLabel = Named(new QLabel(Text("Text_Title_Option"), this), "1003");
    auto* descriptionLabel = Named(new QLabel(Text("Text_Title_Description"), this), "1002");
    auto* ok = Named(new QPushButton(Text("Text_BTN_OK"), this), "1");
    ok->setDefault(true);
    auto* cancel = Named(new QPushButton(Text("Text_BTN_CANCEL"), this), "2");
    auto* defaults = Named(new QPushButton(Text("Text_BTN_DEFAULT"), this), "1005");

    tree_.Load(name, true);
    tree_.ApplyGroups();
    view_->Build();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(defaults);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optionLabel);
    layout->addWidget(view_, 3);
    layout->addWidget(descriptionLabel);
    layout->addWidget(description, 1);
    layout->addLayout(buttons);
    resize(360, 420);

    connect(view_, &OptionTreeCtrl::DescriptionShown, description, &QPlainTextEdit::setPlainText);
    connect(defaults, &QPushButton::clicked, this, [this] {
        tree_.Defaults();
        view_->Refresh();
    });
    connect(ok, &QPushButton::clicked, this, [this] { done(tree_.Commit() ? Accepted : kNotWritten); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

OptionTreeDialog::~OptionTreeDialog() {
    tree_.ClearGroups();
}

} // namespace tandril::gui
