#include "app/navigation_views.h"

#include <QMouseEvent>

namespace tavo::app {

CExitView::CExitView(const Rect& rect, QWidget* parent, const std::string& caption)
    : CBtnView(rect, parent, caption) {
    LoadLook("Exit");
    show();
}

void CExitView::mouseReleaseEvent(QMouseEvent* event) {
    CBtnView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

CGoBackView::CGoBackView(const Rect& rect, QWidget* parent, const std::string& caption)
    : CBtnView(rect, parent, caption) {
    LoadLook("Back");
}

void CGoBackView::mouseReleaseEvent(QMouseEvent* event) {
    CBtnView::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton) emit clicked();
}

CNextView::CNextView(const Rect& rect, QWidget* parent, const std::string& caption)
    : CBtnView(rect, parent, caption) {
    LoadLook("Next");
}

void CNextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    // The run that follows may take a while: the button looks idle again before it starts.
    ResetState();
    emit clicked();
    CBtnView::mouseReleaseEvent(event);
}

} // namespace tavo::app
