#pragma once
// The operator of the library's windows: message boxes, prompts and pop-up menus of the toolkit,
// owned by a window of the calling program or of the library. The library has no progress bar.
#include "platform/operator.h"

#include <QPointer>
#include <QWidget>

namespace tandril::gui {

class LibraryOperator : public plat::Operator {
  public:
    explicit LibraryOperator(QWidget* owner) : owner_(owner) {}

    int ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                    plat::MessageButtons buttons) override;
    std::optional<std::string> PromptFolder(std::string_view caption, std::string_view initialFolder,
                                            const std::function<bool(std::string_view)>& acceptable) override;
    std::optional<std::string> PromptFile(std::string_view caption, std::string_view initialFolder,
                                          std::string_view filter) override;
    int PopupMenu(const std::vector<std::string>& entries) override;
    void ProgressShow(bool) override {}
    void ProgressRange(int, int) override {}
    void ProgressPosition(int) override {}
    void ShowWaitCursor(int milliseconds) override;

  private:
    QPointer<QWidget> owner_;
};

} // namespace tandril::gui
