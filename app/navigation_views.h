#pragma once
// The three skinned buttons of the main window, each dressed from its own section of the
// settings INI ("Exit", "Back", "Next") and placed from ReadButtonPlacement of that section:
//
//   const ButtonPlacement exit = ReadButtonPlacement("Exit");
//   auto* exitView = new CExitView(exit.rect, dialog, exit.text);
//   connect(exitView, &CBtnView::clicked, dialog, ...);
//
// CExitView   shown when created; clicked() on a release over the button (a release elsewhere
//             after pressing it does nothing): the program ends.
// CGoBackView hidden when created; clicked() on every release, wherever the pointer is: back to
//             the item page (ShowDvrPage(0), ShowProductPage(0, 255)).
// CNextView   hidden when created; clicked() on every release, after the button has let the mouse
//             go and redrawn itself: the restore of the shown product. While disabled it draws
//             its text grey (or its disabled picture) and gets no clicks.
#include "app/btn_view.h"

namespace tavo::app {

class CExitView : public CBtnView {
    Q_OBJECT

  public:
    CExitView(const Rect& rect, QWidget* parent, const std::string& caption);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class CGoBackView : public CBtnView {
    Q_OBJECT

  public:
    CGoBackView(const Rect& rect, QWidget* parent, const std::string& caption);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

class CNextView : public CBtnView {
    Q_OBJECT

  public:
    CNextView(const Rect& rect, QWidget* parent, const std::string& caption);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool GreysDisabledText() const override { return true; }
};

} // namespace tavo::app
