#pragma once
// Keeps a child window where the settings INI puts it: a rectangle measured from the leading edge
// of its parent's client area, so that in a right-to-left window it sits mirrored from the right
// edge and moves with it when the parent is resized.
#include "app/item_texts.h"

#include <QObject>
#include <QRect>

class QWidget;

namespace tavo::app {

// A rectangle of the settings INI (left, top, right, bottom) as the toolkit's.
inline QRect ToQRect(const Rect& rect) {
    return {QPoint(rect.left, rect.top), QSize(rect.right - rect.left, rect.bottom - rect.top)};
}

class LeadingEdgePlacement : public QObject {
  public:
    // Places `child` on its parent at `logical` now and whenever the parent changes size or
    // direction.
    LeadingEdgePlacement(QWidget* child, const QRect& logical);

    const QRect& Logical() const { return logical_; }
    // Resizes the child, keeping its leading-edge position.
    void SetSize(const QSize& size);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Place();

    QWidget* child_;
    QRect logical_;
};

} // namespace tavo::app
