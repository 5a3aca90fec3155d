#pragma once
// The tree of an option-tree dialog: shows the items of an OptionTree with their check-state
// pictures and turns clicks on an icon, or on the label of the item already selected, into the
// tree's clicks. Any other click or a key only shows the item's description.
#include "tandril/core/option_tree.h"

#include <QTreeWidget>

#include <vector>

namespace tandril::gui {

class OptionTreeCtrl : public QTreeWidget {
    Q_OBJECT
  public:
    OptionTreeCtrl(OptionTree& tree, QWidget* parent);

    // Inserts every item of the tree, collapsed.
    void Build();
    // Brings every picture into line with the tree's states.
    void Refresh();
    QTreeWidgetItem* ItemAt(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // Where the item's check-state picture is drawn, in viewport coordinates.
    QRect IconRect(QTreeWidgetItem* item) const;

  signals:
    void DescriptionShown(const QString& text);

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Press(const QPoint& point);
    void ShowDescription(QTreeWidgetItem* item);

    OptionTree& tree_;
    std::vector<QTreeWidgetItem*> items_;
};

} // namespace tandril::gui
