#pragma once
// The view of one product's selection tree: it owns the SelectionTree model, draws its items with
// their check images, expand buttons and labels, tells a press on the check image from one on the
// label, the expand button or the rest of the row, and hands presses and keys to the model.
//
//   auto* tree = new SelectionTreeView(kProductDvr, dialog);
//   LoadCatalogues({&tree->Model(), ...});
//   tree->ItemsLoaded();
//   connect(tree, &SelectionTreeView::nextEnabled, dialog, &...::EnableNext);
//
// An item's description goes to the introduction view. In a right-to-left window (STYLE_RTL) the
// rows are mirrored and the check marks too.
#include "app/tree_rows.h"
#include "catalogue/selection_tree.h"

#include <QAbstractScrollArea>
#include <QPixmap>

#include <array>
#include <vector>

namespace tavo::app {

class SelectionTreeView : public QAbstractScrollArea, private SelectionTreeHost {
    Q_OBJECT

  public:
    SelectionTreeView(int productCode, QWidget* parent = nullptr);

    SelectionTree& Model() { return model_; }
    const SelectionTree& Model() const { return model_; }
    // After the model was filled: the rows are laid out again and scrolled to the top.
    void ItemsLoaded();

    // The selected item, or kNoItem.
    ItemHandle Caret() const { return caret_; }
    // Where a point of the viewport falls: the item (kNoItem below the last row) and the part.
    std::pair<ItemHandle, HitPart> HitTest(const QPoint& point) const;
    // Where a part of a shown item is in the viewport; empty for a hidden item or HitPart::Row.
    QRect PartRect(ItemHandle item, HitPart part) const;

  signals:
    // The Next button is to be enabled or disabled.
    void nextEnabled(bool enable);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // SelectionTreeHost
    void EnableNext(bool enable) override;
    void ShowDescription(std::string_view text) override;
    void SelectItem(ItemHandle item) override;
    void ExpandItem(ItemHandle item, bool expanded) override;
    void ImageChanged(ItemHandle item) override;

    void LayOutRows();
    int RowOf(ItemHandle item) const;
    int LabelTextWidth(ItemHandle item) const;
    // A rectangle of row `row` measured from the leading edge, turned into viewport coordinates.
    QRect Visual(int row, int left, int width) const;
    void Press(const QPoint& point);

    SelectionTree model_;
    TreeRowMetrics metrics_;
    std::vector<TreeRow> rows_;
    std::array<QPixmap, 4> checkImages_;
    ItemHandle caret_ = kNoItem;
};

} // namespace tavo::app
