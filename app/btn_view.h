#pragma once
// A skinned button of the main window: a bitmap button with normal, focus, down and disabled
// pictures, or a text button drawn in the normal, focus and down colours. Its look comes from a
// section of the settings INI (see button_look.h). While the pointer is over it the button holds
// the mouse; while it is pressed it keeps it, so the release comes back here wherever it happens.
// Every change of hover or press sets the main window's caption back to the title and shows the
// button's introduction text in the introduction view.
//
// The three buttons the main window uses are the subclasses CExitView, CGoBackView and CNextView
// (navigation_views.h); each emits clicked() when it acts.
#include "app/button_look.h"
#include "app/button_state.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace tavo::app {

class LeadingEdgePlacement;

class CBtnView : public QWidget {
    Q_OBJECT

  public:
    // rect: in the parent's client coordinates, from its leading edge; its size is replaced by the
    // picture's or the caption's size when the button is first shown. caption: cp1252.
    CBtnView(const Rect& rect, QWidget* parent, const std::string& caption);

    // Reads the look from a section of the settings INI.
    void LoadLook(std::string_view section);

    bool BitmapStyle() const { return images_.has_value(); }
    const std::string& Introduction() const { return introduction_; }
    const ButtonState& State() const { return state_; }

    // Showing or hiding gives any held mouse back and clears hover and press.
    void setVisible(bool visible) override;

  signals:
    // The button acted (see the subclass).
    void clicked();

  protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // The Next button greys its text while disabled or hidden.
    virtual bool GreysDisabledText() const { return false; }
    // Gives any held mouse back, clears hover and press, and repaints at once.
    void ResetState();

  private:
    // Takes or gives back the mouse as the state machine says; repaints at once on a change.
    void Apply(const ButtonReaction& reaction);
    void HandleMove(bool inside);

    std::string caption_;
    std::string introduction_;
    ButtonState state_;
    std::optional<std::array<QPixmap, 4>> images_;
    bool sizePending_ = true;
    LeadingEdgePlacement* placement_;
};

} // namespace tavo::app
