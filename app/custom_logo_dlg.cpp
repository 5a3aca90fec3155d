#include "app/custom_logo_dlg.h"

#include "app/ansi_text.h"
#include "app/leading_edge_placement.h"
#include "app/logo_state_icons.h"
#include "app/startup_state.h"
#include "app/template_font.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>

namespace tavo::app {

namespace {

constexpr int kTemplateWidth = 303;
constexpr int kTemplateHeight = 121;

// State image 1 marks a row; image 2 a row whose file this opening accepted, which OK stores.
constexpr int kRowImage = 1;
constexpr int kChangedRowImage = 2;

QPushButton* Button(int id, const std::string& text, QWidget* parent) {
    auto* button = new QPushButton(FromAnsi(text), parent);
    button->setObjectName(QString::number(id));
    return button;
}

} // namespace

CCustomLogoDlg::CCustomLogoDlg(QWidget* parent, plat::Operator* prompts)
    : QDialog(parent), ownPrompts_(this, nullptr), prompts_(prompts ? *prompts : ownPrompts_),
      list_(new QTreeWidget(this)) {
    if (Startup().rightToLeft) setLayoutDirection(Qt::RightToLeft);
    setFont(TemplateFont());
    const PixelRect size =
        DialogRectToPixels(BaseUnitsOf(fontMetrics()), 0, 0, kTemplateWidth, kTemplateHeight);
    setFixedSize(size.width, size.height);

    model_.Open();
    setWindowTitle(FromAnsi(model_.Title()));
    QPushButton* ok = Button(kIdOk, model_.OkText(), this);
    QPushButton* cancel = Button(kIdCancel, model_.CancelText(), this);
    ok->setDefault(true);
    PlaceControl(ok, 182, 104, 50, 14);
    PlaceControl(cancel, 242, 104, 54, 14);

    // A report list: one selected row at a time, shown also while the list has no focus; the
    // headers do not sort.
    list_->setObjectName(QString::number(kIdList));
    list_->setRootIsDecorated(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSortingEnabled(false);
    list_->header()->setSectionsClickable(false);
    list_->header()->setStretchLastSection(false);
    list_->header()->setDefaultAlignment(Qt::AlignLeading | Qt::AlignVCenter);
    list_->setIconSize(QSize(16, 16));
    QPalette palette = list_->palette();
    palette.setBrush(QPalette::Inactive, QPalette::Highlight,
                     palette.brush(QPalette::Active, QPalette::Highlight));
    palette.setBrush(QPalette::Inactive, QPalette::HighlightedText,
                     palette.brush(QPalette::Active, QPalette::HighlightedText));
    list_->setPalette(palette);
    PlaceControl(list_, 7, 7, 287, 94);

    QStringList headers;
    for (const CustomLogo::Column& column : model_.Columns())
        headers << FromAnsi(column.header);
    list_->setColumnCount(static_cast<int>(headers.size()));
    list_->setHeaderLabels(headers);
    for (std::size_t row = 0; row < model_.Rows().size(); ++row) {
        list_->addTopLevelItem(new QTreeWidgetItem);
        ShowRow(static_cast<int>(row));
    }

    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CCustomLogoDlg::ChooseFile);
    connect(ok, &QPushButton::clicked, this, &CCustomLogoDlg::Save);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CCustomLogoDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (columnsSized_) return;
    columnsSized_ = true;
    // Shares of the client width as the list has it when the dialog opens.
    const int width = list_->viewport()->width();
    for (std::size_t k = 0; k < model_.Columns().size(); ++k)
        list_->setColumnWidth(static_cast<int>(k), static_cast<int>(width * model_.Columns()[k].widthShare));
}

void CCustomLogoDlg::PlaceControl(QWidget* control, int x, int y, int width, int height) {
    const PixelRect pixels = DialogRectToPixels(BaseUnitsOf(fontMetrics()), x, y, width, height);
    new LeadingEdgePlacement(control, QRect(pixels.left, pixels.top, pixels.width, pixels.height));
}

void CCustomLogoDlg::ShowRow(int row) {
    const CustomLogo::Row& logo = model_.Rows()[static_cast<std::size_t>(row)];
    QTreeWidgetItem* item = list_->topLevelItem(row);
    item->setText(0, FromAnsi(logo.title));
    item->setIcon(0, LogoStateIcon(logo.changed ? kChangedRowImage : kRowImage));
    item->setText(1, FromAnsi(logo.path));
}

void CCustomLogoDlg::ChooseFile(QTreeWidgetItem* item) {
    const int row = list_->indexOfTopLevelItem(item);
    if (row >= 0 && model_.ChooseFile(row, prompts_)) ShowRow(row);
}

void CCustomLogoDlg::Save() {
    const bool stored = model_.Save(prompts_);
    for (int row = 0; row < list_->topLevelItemCount(); ++row)
        ShowRow(row);
    // A file that could not be written keeps the dialog open with its choices.
    if (stored) accept();
}

} // namespace tavo::app
