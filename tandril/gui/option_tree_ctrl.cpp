#include "tandril/gui/option_tree_ctrl.h"

#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/check_state_icons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

namespace tandril::gui {

namespace {

constexpr int kIndexRole = Qt::UserRole;

} // namespace

OptionTreeCtrl::OptionTreeCtrl(OptionTree& tree, QWidget* parent) : QTreeWidget(parent), tree_(tree) {
    setObjectName(QStringLiteral("1000"));
    setHeaderHidden(true);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setExpandsOnDoubleClick(true);
}

void OptionTreeCtrl::Build() {
    clear();
    items_.clear();
    const std::vector<OptionItem>& items = tree_.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto* row = new QTreeWidgetItem(QStringList(FromAnsi(items[i].text)));
        row->setData(0, kIndexRole, static_cast<int>(i));
        if (items[i].parent < 0)
            addTopLevelItem(row);
        else
            items_[static_cast<std::size_t>(items[i].parent)]->addChild(row);
        items_.push_back(row);
    }
    Refresh();
    scrollToTop();
    horizontalScrollBar()->setValue(horizontalScrollBar()->minimum());
}

void OptionTreeCtrl::Refresh() {
    const std::vector<OptionItem>& items = tree_.items();
    for (std::size_t i = 0; i < items_.size(); ++i)
        items_[i]->setIcon(0, CheckStateIcon(items[i].image));
}

QStyleOptionViewItem OptionTreeCtrl::ItemOption(QTreeWidgetItem* item) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(item);
    option.index = indexFromItem(item);
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.icon = item->icon(0);
    option.text = item->text(0);
    option.decorationSize = iconSize();
    return option;
}

QRect OptionTreeCtrl::IconRect(QTreeWidgetItem* item) const {
    const QStyleOptionViewItem option = ItemOption(item);
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

QRect OptionTreeCtrl::LabelRect(QTreeWidgetItem* item) const {
    const QStyleOptionViewItem option = ItemOption(item);
    // The text's own width, not the rest of the row: a click beyond the text is no click on the label.
    const QRect cell = style()->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    const int width = std::min(cell.width(), option.fontMetrics.horizontalAdvance(option.text) + 2 * margin);
    const int left = isRightToLeft() ? cell.right() + 1 - width : cell.left();
    return QRect(left, cell.top(), width, cell.height());
}

bool OptionTreeCtrl::OnExpandButton(QTreeWidgetItem* item, const QPoint& point) const {
    // The button stands in the last indentation step before the item's cell, on items with children.
    if (item->childCount() == 0 || (!item->parent() && !rootIsDecorated())) return false;
    const QRect cell = visualItemRect(item);
    const int left = isRightToLeft() ? cell.right() + 1 : cell.left() - indentation();
    return QRect(left, cell.top(), indentation(), cell.height()).contains(point);
}

void OptionTreeCtrl::Press(const QPoint& point) {
    QTreeWidgetItem* item = itemAt(point);
    if (!item || OnExpandButton(item, point)) return;
    // The selection as it stands before this click moves it.
    if (IconRect(item).contains(point) || (item->isSelected() && LabelRect(item).contains(point))) {
        tree_.Click(item->data(0, kIndexRole).toInt());
        Refresh();
    }
    ShowDescription(item);
}

void OptionTreeCtrl::mousePressEvent(QMouseEvent* event) {
    // The view hands some double clicks on to this handler; those were taken as clicks already.
    if (event->button() == Qt::LeftButton && event->type() == QEvent::MouseButtonPress)
        Press(event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
}

void OptionTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
    QTreeWidget::mouseDoubleClickEvent(event);
}

void OptionTreeCtrl::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    // After the key has moved the selection, so the box describes the item now selected.
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty()) ShowDescription(selected.first());
}

void OptionTreeCtrl::ShowDescription(QTreeWidgetItem* item) {
    const int index = item->data(0, kIndexRole).toInt();
    emit DescriptionShown(FromAnsi(tree_.items()[static_cast<std::size_t>(index)].description));
}

} // namespace tandril::gui
