#include "app/introduction_view.h"

#include "app/leading_edge_placement.h"
#include "app/painter_text.h"
#include "app/qt_colour.h"
#include "app/startup_state.h"

#include <QPainter>

namespace tavo::app {

namespace {

CIntroductionView* current = nullptr;

} // namespace

CIntroductionView::CIntroductionView(const Rect& rect, QWidget* parent) : QWidget(parent) {
    if (Startup().rightToLeft) setLayoutDirection(Qt::RightToLeft);
    // Moves over the view belong to the window behind it, whose caption guard watches them.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    new LeadingEdgePlacement(this, ToQRect(rect));
    current = this;
}

CIntroductionView::~CIntroductionView() {
    if (current == this) current = nullptr;
}

CIntroductionView* CIntroductionView::Current() {
    return current;
}

void CIntroductionView::SetText(const std::string& text) {
    text_ = text;
    // At once: the text follows the pointer while the mouse is captured elsewhere.
    repaint();
}

void CIntroductionView::paintEvent(QPaintEvent*) {
    if (text_.empty()) return;
    QPainter painter(this);
    painter.setPen(ToQColor(Startup().colorIntroduction));
    PaintWrappedText(painter, text_, 0, 0, width(), height());
}

} // namespace tavo::app
