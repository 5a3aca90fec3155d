#include "app/leading_edge_placement.h"

#include <QEvent>
#include <QStyle>
#include <QWidget>

namespace tavo::app {

LeadingEdgePlacement::LeadingEdgePlacement(QWidget* child, const QRect& logical)
    : QObject(child), child_(child), logical_(logical) {
    if (QWidget* parent = child->parentWidget()) parent->installEventFilter(this);
    Place();
}

void LeadingEdgePlacement::SetSize(const QSize& size) {
    logical_.setSize(size);
    Place();
}

bool LeadingEdgePlacement::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::LayoutDirectionChange) Place();
    return QObject::eventFilter(watched, event);
}

void LeadingEdgePlacement::Place() {
    const QWidget* parent = child_->parentWidget();
    child_->setGeometry(parent ? QStyle::visualRect(parent->layoutDirection(), parent->rect(), logical_)
                               : logical_);
}

} // namespace tavo::app
