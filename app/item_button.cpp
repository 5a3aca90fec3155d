#include "app/item_button.h"

#include "app/ansi_text.h"
#include "app/dib_image.h"
#include "app/introduction_view.h"
#include "app/leading_edge_placement.h"
#include "app/startup_state.h"

#include <QMouseEvent>
#include <QPainter>

namespace tavo::app {

CItemButton::CItemButton(int itemNumber, const ItemButtonLayout& layout, QWidget* parent)
    : QAbstractButton(parent), itemNumber_(itemNumber), introduction_(PressIntroduction(layout)),
      tooltipEnabled_(TooltipWanted(layout.tip)) {
    if (Startup().rightToLeft) setLayoutDirection(Qt::RightToLeft);
    const ItemPictures pictures = LoadItemPictures(layout, Startup().programFolder);
    for (std::size_t state = 0; state < pictures.size(); ++state)
        if (pictures[state]) pictures_[state] = DibImage(*pictures[state]);
    if (tooltipEnabled_) setToolTip(FromAnsi(layout.tip));
    setMouseTracking(true);
    new LeadingEdgePlacement(this, ToQRect(layout.rect));
    show();
}

void CItemButton::paintEvent(QPaintEvent*) {
    const QWidget* grabber = mouseGrabber();
    drawnState_ = state_.DrawState(!isEnabled(), grabber == this, grabber && grabber != this);
    const QImage& picture = pictures_[static_cast<std::size_t>(drawnState_)];
    if (picture.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture);
}

void CItemButton::Apply(const ButtonReaction& reaction) {
    if (reaction.capture && isVisible()) grabMouse();
    if (reaction.release && mouseGrabber() == this) releaseMouse();
    if (reaction.changed || reaction.capture || reaction.release) update();
}

void CItemButton::mouseMoveEvent(QMouseEvent* event) {
    Apply(state_.MouseMove(rect().contains(event->position().toPoint()), mouseGrabber() == this));
    QAbstractButton::mouseMoveEvent(event);
}

void CItemButton::leaveEvent(QEvent* event) {
    // The pointer left the whole window, where the mouse cannot follow it.
    Apply(state_.MouseMove(false, mouseGrabber() == this));
    QAbstractButton::leaveEvent(event);
}

void CItemButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QAbstractButton::mousePressEvent(event);
    const ItemButtonState::Press press = state_.ButtonDown(itemNumber_);
    if (CIntroductionView* view = CIntroductionView::Current()) view->SetText(introduction_);
    if (press.release && mouseGrabber() == this) releaseMouse();
    QAbstractButton::mousePressEvent(event);
    if (press.openMenu) {
        emit itemMenuRequested(itemNumber_);
        // The menu took the release; the button must not stay down after it.
        setDown(false);
    }
    update();
}

void CItemButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) Apply(state_.ButtonUp());
    QAbstractButton::mouseReleaseEvent(event);
}

void CItemButton::hideEvent(QHideEvent* event) {
    // A hidden button gets no more moves, so it cannot keep the mouse.
    if (mouseGrabber() == this) releaseMouse();
    QAbstractButton::hideEvent(event);
}

} // namespace tavo::app
