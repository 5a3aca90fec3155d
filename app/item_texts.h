#pragma once
// The texts of the item page: a bold title and a one-line introduction beside each item button,
// with the rectangles they are drawn from. There are four slots, one per item button.
#include <array>
#include <string>
#include <vector>

namespace tavo::app {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

class ItemTexts {
  public:
    static constexpr int kSlots = 4;

    // clientRight: the right edge of the window's client area, which bounds both rectangles.
    explicit ItemTexts(int clientRight) : clientRight_(clientRight) {}

    // Appends the title and the introduction and lays out the slot's two rectangles beside the
    // button: the title 5 pixels right of it, 16 high; the introduction 10 below the title, 10
    // high; both end 5 pixels before the client's right edge. A slot outside 0 to 3 keeps its
    // texts but gets no rectangles.
    void AddItemText(const std::string& title, const std::string& introduction, const Rect& button, int slot);

    const std::vector<std::string>& Titles() const { return titles_; }
    const std::vector<std::string>& Introductions() const { return introductions_; }
    const Rect& TitleRect(int slot) const { return titleRects_[static_cast<unsigned>(slot)]; }
    const Rect& IntroductionRect(int slot) const { return introductionRects_[static_cast<unsigned>(slot)]; }
    // How many texts have a slot to be drawn from: at most kSlots.
    int DrawableCount() const;

    void Clear();

  private:
    int clientRight_;
    std::vector<std::string> titles_;
    std::vector<std::string> introductions_;
    std::array<Rect, kSlots> titleRects_{};
    std::array<Rect, kSlots> introductionRects_{};
};

} // namespace tavo::app
