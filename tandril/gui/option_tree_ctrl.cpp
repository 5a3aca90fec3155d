#include "tandril/gui/option_tree_ctrl.h"

#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/check_state_icons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

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
}

void OptionTreeCtrl::Refresh() {
    const std::vector<OptionItem>& items = tree_.items();
    for (std::size_t i = 0; i < items_.size(); ++i)
        items_[i]->setIcon(0, CheckStateIcon(items[i].image));
}

QRect OptionTreeCtrl::IconRect(QTreeWidgetItem* item) const {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualItemRect(item);
    option.index = indexFromItem(item);
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.icon = item->icon(0);
    option.text = item->text(0);
    option.decorationSize = iconSize();
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

void OptionTreeCtrl::Press(const QPoint& point) {
    QTreeWidgetItem* item = itemAt(point);
    if (!item) return;
    // The expand button stands beside the item's cell; a click there only opens or closes it.
    const QRect cell = visualItemRect(item);
    if (point.x() < cell.left() || point.x() > cell.right()) return;
    const bool onIcon = IconRect(item).contains(point);
    if (onIcon || item == currentItem()) {
        tree_.Click(item->data(0, kIndexRole).toInt());
        Refresh();
    }
    ShowDescription(item);
}

void OptionTreeCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
    QTreeWidget::mousePressEvent(event);
}

void OptionTreeCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
    QTreeWidget::mouseDoubleClickEvent(event);
}

void OptionTreeCtrl::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    // After the key moved the selection: the description of the item now selected.
    if (QTreeWidgetItem* item = currentItem()) ShowDescription(item);
}

void OptionTreeCtrl::ShowDescription(QTreeWidgetItem* item) {
    const int index = item->data(0, kIndexRole).toInt();
    emit DescriptionShown(FromAnsi(tree_.items()[static_cast<std::size_t>(index)].description));
}

} // namespace tandril::gui
