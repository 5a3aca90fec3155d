#pragma once
// The tree of an option-tree dialog: shows the items of an OptionTree with their check-state
// pictures and turns clicks on an icon, or on the label of the item already selected, into the
// tree's clicks. A click elsewhere on an item, or a key, only shows an item's description.
#include "tandril/core/option_tree.h"

#include <QTreeWidget>

#include <vector>

namespace tandril::gui {

class OptionTreeCtrl : public QTreeWidget {
    Q_OBJECT
  public:
    OptionTreeCtrl(OptionTree& tree, QWidget* parent);

    // Inserts every item of the tree, collapsed, and scrolls to the top left.
    void Build();
    // Brings every picture into line with the tree's states.
    void Refresh();
    QTreeWidgetItem* ItemAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Where the item's check-state picture and its label are drawn, in viewport coordinates.
    QRect IconRect(QTreeWidgetItem* item) const;
    QRect LabelRect(QTreeWidgetItem* item) const;

  signals:
    void DescriptionShown(const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QStyleOptionViewItem ItemOption(QTreeWidgetItem* item) const;
    bool OnExpandButton(QTreeWidgetItem* item, const QPoint& point) const;
    void Press(const QPoint& point);
    void ShowDescription(QTreeWidgetItem* item);

    OptionTree& tree_;
    std::vector<QTreeWidgetItem*> items_;
};

} // namespace tandril::gui
