#pragma once
// Which page the main window shows: the item page, or one product's page with its selection tree,
// Back and Next. One page flag per product holds the show command its page was shown with (0: not
// shown); the item page shows while every flag is 0. The window implements PageView.
#include <array>

namespace tavo::app {

// Show commands: 5 shows a page, 0 hides it.
inline constexpr int kShowPage = 5;
inline constexpr int kHidePage = 0;
// With ShowProductPage, this code stands for every server at once.
inline constexpr int kAllServers = 255;

class PageView {
  public:
    virtual ~PageView() = default;
    virtual void ShowItemButtons(bool show) = 0;
    // index: 0 DVR, 1 Nodera, 2 Watchdeck, 3 Pulsewatch, 4 Relay server.
    virtual void ShowTree(int index, bool show) = 0;
    virtual void ShowBackAndNext(bool show) = 0;
    virtual void EnableNext(bool enable) = 0;
    virtual int SelectionCounter(int index) const = 0;
};

class ProductPages {
  public:
    explicit ProductPages(PageView& view) : view_(view) {}

    // 5 shows the DVR page, 0 goes back to the item page; a command equal to the page flag does
    // nothing.
    void ShowDvrPage(int command);
    // The same for the servers (2, 4, 8, 16). kAllServers with a command other than 5 closes every
    // server page at once; other codes do nothing.
    void ShowProductPage(int command, int productCode);
    // The show command of a product's page, 0 when it is not shown.
    int PageFlag(int productCode) const;
    bool ItemPageShown() const;

  private:
    void ShowPage(int index, int command);

    PageView& view_;
    std::array<int, 5> flags_{};
};

// The index of a single product code (1, 2, 4, 8, 16), or -1.
int ProductIndex(int productCode);

} // namespace tavo::app
