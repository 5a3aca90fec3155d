#pragma once
// The operator of the window program: message boxes, folder and file prompts and pop-up menus of
// the toolkit, owned by a window, and the progress bar of the main dialog.
#include "platform/operator.h"

#include <QPointer>
#include <QProgressBar>
#include <QWidget>

namespace tavo::app {

class QtOperator : public plat::Operator {
  public:
    // `owner` owns the prompts (null: they have none); `progress` is the bar runs move (null: none).
    QtOperator(QWidget* owner, QProgressBar* progress);

    int ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                    plat::MessageButtons buttons) override;
    std::optional<std::string> PromptFolder(std::string_view caption, std::string_view initialFolder,
                                            const std::function<bool(std::string_view)>& acceptable) override;
    std::optional<std::string> PromptFile(std::string_view caption, std::string_view initialFolder,
                                          std::string_view filter) override;
    int PopupMenu(const std::vector<std::string>& entries) override;
    void ProgressShow(bool visible) override;
    void ProgressRange(int low, int high) override;
    void ProgressPosition(int position) override;
    void ShowWaitCursor(int milliseconds) override;

  private:
    QPointer<QWidget> owner_;
    QPointer<QProgressBar> progress_;
};

} // namespace tavo::app
