#include "app/btn_view.h"

#include "app/ansi_text.h"
#include "app/dib_image.h"
#include "app/introduction_view.h"
#include "app/leading_edge_placement.h"
#include "app/qt_colour.h"
#include "app/startup_state.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace tavo::app {

namespace {

// The text colour of a disabled Next button.
constexpr Colour kDisabledText = 192 | 192 << 8 | 192 << 16;

Colour TextColour(ButtonTextColour role) {
    const StartupState& state = Startup();
    switch (role) {
    case ButtonTextColour::Down:
        return state.colorDown;
    case ButtonTextColour::Focus:
        return state.colorFocus;
    case ButtonTextColour::Disabled:
        return kDisabledText;
    default:
        return state.colorNormal;
    }
}

} // namespace

CBtnView::CBtnView(const Rect& rect, QWidget* parent, const std::string& caption)
    : QWidget(parent), caption_(caption) {
    if (Startup().rightToLeft) setLayoutDirection(Qt::RightToLeft);
    setMouseTracking(true);
    QWidget::setVisible(false);
    placement_ = new LeadingEdgePlacement(this, ToQRect(rect));
}

void CBtnView::LoadLook(std::string_view section) {
    ButtonLook look = ReadButtonLook(section, Startup().programFolder);
    introduction_ = std::move(look.introduction);
    images_.reset();
    if (look.images) {
        images_.emplace();
        for (std::size_t i = 0; i < images_->size(); ++i)
            (*images_)[i] = MaskedPixmap((*look.images)[i], look.maskColour);
    }
}

void CBtnView::setVisible(bool visible) {
    ResetState();
    QWidget::setVisible(visible);
}

void CBtnView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!sizePending_) return;
    // Sized once, when first shown: the picture's size, or the caption's extent and a margin of 2.
    sizePending_ = false;
    if (images_) {
        placement_->SetSize((*images_)[kImageNormal].size());
    } else {
        const QFontMetrics metrics(font());
        placement_->SetSize(QSize(metrics.horizontalAdvance(FromAnsi(caption_)) + 2, metrics.height() + 2));
    }
}

void CBtnView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool disabledOrHidden = !isEnabled() || !isVisible();
    if (images_) {
        painter.drawPixmap(0, 0, (*images_)[static_cast<std::size_t>(state_.Image(disabledOrHidden))]);
        return;
    }
    painter.setPen(ToQColor(TextColour(state_.TextColour(GreysDisabledText(), disabledOrHidden))));
    const QRect text = QStyle::visualRect(layoutDirection(), rect(), rect().adjusted(2, 2, 0, 0));
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, FromAnsi(caption_));
}

void CBtnView::ResetState() {
    ButtonReaction reaction = state_.Reset();
    reaction.changed = true;
    Apply(reaction);
}

void CBtnView::Apply(const ButtonReaction& reaction) {
    if (reaction.capture && isVisible()) grabMouse();
    if (reaction.release && mouseGrabber() == this) releaseMouse();
    if (reaction.changed) repaint();
}

void CBtnView::HandleMove(bool inside) {
    const ButtonReaction reaction = state_.MouseMove(inside);
    if (reaction.changed) {
        window()->setWindowTitle(FromAnsi(Startup().title));
        if (CIntroductionView* view = CIntroductionView::Current()) view->SetText(introduction_);
    }
    Apply(reaction);
}

void CBtnView::mouseMoveEvent(QMouseEvent* event) {
    HandleMove(rect().contains(event->position().toPoint()));
}

void CBtnView::leaveEvent(QEvent* event) {
    // The pointer left the whole window, where the mouse cannot follow it.
    HandleMove(false);
    QWidget::leaveEvent(event);
}

void CBtnView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    window()->setWindowTitle(FromAnsi(Startup().title));
    Apply(state_.ButtonDown());
}

void CBtnView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    Apply(state_.ButtonUp());
}

} // namespace tavo::app
