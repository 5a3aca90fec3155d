#pragma once
// One owner-drawn item button of the item page, dressed from section "Restore_Item<n>" of the
// settings INI (see item_button_look.h):
//
//   const ItemButtonLayout layout = ReadItemButtonLayout(n);
//   auto* button = new CItemButton(n, layout, dialog);
//   connect(button, &CItemButton::itemMenuRequested, dialog, &...::OpenItemMenu);
//
// It draws its normal picture, the focus picture while the pointer is over it, the down picture
// while it is pressed over it and the disabled picture while disabled; a state without a picture
// draws nothing. Items 1 and 2 act on the press: itemMenuRequested(n) comes while the button is
// down, so the menu opens at once. A press shows the tip text in the introduction view (the
// introduction when there is no tip). The tip is the button's tooltip unless it is "NULL" in any
// case.
#include "app/item_button_look.h"
#include "app/item_button_state.h"

#include <QAbstractButton>
#include <QImage>

#include <array>

namespace tavo::app {

class CItemButton : public QAbstractButton {
    Q_OBJECT

  public:
    // Loads the pictures, cropped to the layout's size, and creates the visible button on its
    // rectangle (client coordinates of the parent, from its leading edge).
    CItemButton(int itemNumber, const ItemButtonLayout& layout, QWidget* parent);

    int ItemNumber() const { return itemNumber_; }
    bool HasPicture(int state) const { return !pictures_[static_cast<std::size_t>(state)].isNull(); }
    bool TooltipEnabled() const { return tooltipEnabled_; }
    const ItemButtonState& State() const { return state_; }
    // The picture state the button draws now (see ItemState).
    int DrawnState() const { return drawnState_; }

  signals:
    void itemMenuRequested(int itemNumber);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Apply(const ButtonReaction& reaction);

    int itemNumber_;
    std::string introduction_; // what a press shows in the introduction view
    std::array<QImage, 5> pictures_;
    bool tooltipEnabled_;
    ItemButtonState state_;
    int drawnState_ = kItemNormal;
};

} // namespace tavo::app
