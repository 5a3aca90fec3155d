#pragma once
// The introduction view: a see-through area of the main window that shows, word-wrapped in the
// introduction colour, the help text of whatever the mouse last pointed at.
//
//   auto* view = new CIntroductionView(ReadIntroductionRect(), dialog);
//   view->show();
//
// The view created last is the one the skinned buttons, the item buttons and the selection trees
// give their texts to (CIntroductionView::Current()), so nothing needs connecting.
#include "app/item_texts.h"

#include <QWidget>

#include <string>

namespace tavo::app {

class LeadingEdgePlacement;

class CIntroductionView : public QWidget {
    Q_OBJECT

  public:
    // rect: in the parent's client coordinates, from its leading edge.
    CIntroductionView(const Rect& rect, QWidget* parent);
    ~CIntroductionView() override;

    // The view texts go to; null when there is none.
    static CIntroductionView* Current();

    // Shows a text (cp1252); an empty text shows nothing.
    void SetText(const std::string& text);
    const std::string& Text() const { return text_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::string text_;
};

} // namespace tavo::app
