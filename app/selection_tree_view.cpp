#include "app/selection_tree_view.h"

#include "app/ansi_text.h"
#include "app/check_icons.h"
#include "app/introduction_view.h"
#include "app/startup_state.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <string>

namespace tavo::app {

namespace {

constexpr int kButtonBox = 9;

} // namespace

SelectionTreeView::SelectionTreeView(int productCode, QWidget* parent)
    : QAbstractScrollArea(parent), model_(productCode, this) {
    const bool rightToLeft = Startup().rightToLeft != 0;
    if (rightToLeft) setLayoutDirection(Qt::RightToLeft);
    for (int image = 0; image < 4; ++image)
        checkImages_[static_cast<std::size_t>(image)] = CheckIcon(CheckIconResource(image, rightToLeft));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    LayOutRows();
}

void SelectionTreeView::ItemsLoaded() {
    if (!model_.Contains(caret_)) caret_ = kNoItem;
    LayOutRows();
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void SelectionTreeView::LayOutRows() {
    metrics_.rowHeight = std::max(TreeRowMetrics::kImageSize, fontMetrics().height()) + 2;
    rows_ = VisibleRows(model_);
    int widest = 0;
    for (const TreeRow& row : rows_)
        widest =
            std::max(widest, metrics_.LabelLeft(row.depth) + metrics_.LabelWidth(LabelTextWidth(row.item)));
    const QSize page = viewport()->size();
    verticalScrollBar()->setRange(
        0, std::max(0, static_cast<int>(rows_.size()) * metrics_.rowHeight - page.height()));
    verticalScrollBar()->setPageStep(page.height());
    verticalScrollBar()->setSingleStep(metrics_.rowHeight);
    horizontalScrollBar()->setRange(0, std::max(0, widest - page.width()));
    horizontalScrollBar()->setPageStep(page.width());
    viewport()->update();
}

int SelectionTreeView::RowOf(ItemHandle item) const {
    const auto row =
        std::find_if(rows_.begin(), rows_.end(), [&](const TreeRow& r) { return r.item == item; });
    return row == rows_.end() ? -1 : static_cast<int>(row - rows_.begin());
}

int SelectionTreeView::LabelTextWidth(ItemHandle item) const {
    return fontMetrics().horizontalAdvance(FromAnsi(model_.Entry(item).label));
}

QRect SelectionTreeView::Visual(int row, int left, int width) const {
    const QRect logical(left - horizontalScrollBar()->value(),
                        row * metrics_.rowHeight - verticalScrollBar()->value(), width, metrics_.rowHeight);
    return QStyle::visualRect(layoutDirection(), viewport()->rect(), logical);
}

std::pair<ItemHandle, HitPart> SelectionTreeView::HitTest(const QPoint& point) const {
    const int y = point.y() + verticalScrollBar()->value();
    if (y < 0 || point.y() < 0) return {kNoItem, HitPart::Row};
    const auto row = static_cast<std::size_t>(y / metrics_.rowHeight);
    if (row >= rows_.size()) return {kNoItem, HitPart::Row};
    // Measured from the leading edge, which is the right one in a right-to-left window.
    const int fromEdge =
        (layoutDirection() == Qt::RightToLeft ? viewport()->width() - 1 - point.x() : point.x()) +
        horizontalScrollBar()->value();
    const TreeRow& hit = rows_[row];
    return {hit.item, HitTestRow(metrics_, hit.depth, !model_.Children(hit.item).empty(),
                                 LabelTextWidth(hit.item), fromEdge)};
}

QRect SelectionTreeView::PartRect(ItemHandle item, HitPart part) const {
    const int row = RowOf(item);
    if (row < 0) return {};
    const int depth = rows_[static_cast<std::size_t>(row)].depth;
    switch (part) {
    case HitPart::ExpandButton:
        return Visual(row, metrics_.ButtonLeft(depth), TreeRowMetrics::kIndent);
    case HitPart::Image: {
        // The image's square, centred in the row.
        const QRect cell = Visual(row, metrics_.ImageLeft(depth), TreeRowMetrics::kImageSize);
        return {cell.left(), cell.top() + (cell.height() - TreeRowMetrics::kImageSize) / 2,
                TreeRowMetrics::kImageSize, TreeRowMetrics::kImageSize};
    }
    case HitPart::Label:
        return Visual(row, metrics_.LabelLeft(depth), metrics_.LabelWidth(LabelTextWidth(item)));
    default:
        return {};
    }
}

void SelectionTreeView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const int first = verticalScrollBar()->value() / metrics_.rowHeight;
    const int last = (verticalScrollBar()->value() + viewport()->height()) / metrics_.rowHeight;
    for (int row = first; row <= last && row < static_cast<int>(rows_.size()); ++row) {
        const TreeRow& shown = rows_[static_cast<std::size_t>(row)];
        if (!model_.Children(shown.item).empty()) {
            const QRect cell = PartRect(shown.item, HitPart::ExpandButton);
            const QRect box(cell.center().x() - kButtonBox / 2, cell.center().y() - kButtonBox / 2,
                            kButtonBox, kButtonBox);
            painter.setPen(palette().color(QPalette::Mid));
            painter.setBrush(palette().color(QPalette::Base));
            painter.drawRect(box.adjusted(0, 0, -1, -1));
            painter.setPen(palette().color(QPalette::Text));
            const QPoint centre = box.center();
            painter.drawLine(centre.x() - 2, centre.y(), centre.x() + 2, centre.y());
            if (!model_.Expanded(shown.item))
                painter.drawLine(centre.x(), centre.y() - 2, centre.x(), centre.y() + 2);
        }
        painter.drawPixmap(PartRect(shown.item, HitPart::Image).topLeft(),
                           checkImages_[static_cast<std::size_t>(model_.Image(shown.item))]);
        const QRect label = PartRect(shown.item, HitPart::Label);
        const bool selected = shown.item == caret_;
        if (selected)
            painter.fillRect(label, palette().brush(hasFocus() ? QPalette::Active : QPalette::Inactive,
                                                    QPalette::Highlight));
        painter.setPen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(label.adjusted(TreeRowMetrics::kLabelPadding, 0, -TreeRowMetrics::kLabelPadding, 0),
                         Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         FromAnsi(model_.Entry(shown.item).label));
    }
}

void SelectionTreeView::Press(const QPoint& point) {
    setFocus(Qt::MouseFocusReason);
    const auto [item, part] = HitTest(point);
    model_.Click(item, part, caret_);
}

void SelectionTreeView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
}

void SelectionTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // A double-click is a second press: it toggles again.
    if (event->button() == Qt::LeftButton) Press(event->position().toPoint());
}

void SelectionTreeView::keyPressEvent(QKeyEvent* event) {
    model_.KeyPressed(caret_);
    const int row = RowOf(caret_);
    const auto rowItem = [&](int at) { return rows_[static_cast<std::size_t>(at)].item; };
    const int count = static_cast<int>(rows_.size());
    if (count == 0) return QAbstractScrollArea::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
        SelectItem(rowItem(std::max(row - 1, 0)));
        break;
    case Qt::Key_Down:
        SelectItem(rowItem(std::min(row + 1, count - 1)));
        break;
    case Qt::Key_Home:
        SelectItem(rowItem(0));
        break;
    case Qt::Key_End:
        SelectItem(rowItem(count - 1));
        break;
    case Qt::Key_Left:
        // Collapses an open item, else goes to its parent.
        if (row < 0) break;
        if (model_.Expanded(caret_) && !model_.Children(caret_).empty()) {
            ExpandItem(caret_, false);
        } else if (model_.Parent(caret_) != kNoItem) {
            SelectItem(model_.Parent(caret_));
        }
        break;
    case Qt::Key_Right:
        // Opens a closed item, else goes to its first child.
        if (row < 0 || model_.Children(caret_).empty()) break;
        if (!model_.Expanded(caret_)) {
            ExpandItem(caret_, true);
        } else {
            SelectItem(model_.Children(caret_).front());
        }
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void SelectionTreeView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    LayOutRows();
}

void SelectionTreeView::EnableNext(bool enable) {
    emit nextEnabled(enable);
}

void SelectionTreeView::ShowDescription(std::string_view text) {
    if (CIntroductionView* view = CIntroductionView::Current()) view->SetText(std::string(text));
}

void SelectionTreeView::SelectItem(ItemHandle item) {
    caret_ = item;
    // The selected row is scrolled into view.
    const int row = RowOf(item);
    if (row >= 0) {
        const int top = row * metrics_.rowHeight;
        QScrollBar* bar = verticalScrollBar();
        if (top < bar->value()) bar->setValue(top);
        if (top + metrics_.rowHeight > bar->value() + viewport()->height())
            bar->setValue(top + metrics_.rowHeight - viewport()->height());
    }
    viewport()->update();
}

void SelectionTreeView::ExpandItem(ItemHandle item, bool expanded) {
    model_.SetExpanded(item, expanded);
    // A caret inside a closed branch moves up to the closed item.
    for (ItemHandle up = caret_; up != kNoItem && !expanded; up = model_.Parent(up))
        if (model_.Parent(up) == item) caret_ = item;
    LayOutRows();
}

void SelectionTreeView::ImageChanged(ItemHandle) {
    viewport()->update();
}

} // namespace tavo::app
