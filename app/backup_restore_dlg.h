#pragma once
// The program's only top-level window: the modal main dialog. It owns the progress bar that runs
// move, publishes its window number in "WHnd.INI" while it is up, and comes to the front when a
// second start asks it to.
#include "app/activation_listener.h"
#include "app/qt_operator.h"

#include <QDialog>
#include <QProgressBar>

#include <memory>
#include <vector>

namespace tavo::app {

class CBackupRestoreDlg : public QDialog {
    Q_OBJECT

  public:
    // Control ids of the dialog's template, also the controls' object names.
    enum ControlId : int { kIdProgress = 1006 };

    explicit CBackupRestoreDlg(QWidget* parent = nullptr);
    ~CBackupRestoreDlg() override;

    // The operator that shows the prompts over this window and moves its progress bar: the main
    // operator while the dialog runs.
    QtOperator& Operator() { return operator_; }
    QProgressBar* progressBar() const { return progress_; }

    // Adds 1 to the progress counter and moves the bar to it at once.
    void StepProgress();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    // A control placed from the template's dialog units, measured from the leading edge.
    struct PlacedControl {
        QWidget* widget;
        QRect logical;
    };

    void PlaceControl(QWidget* control, int x, int y, int width, int height);
    void PlaceControls();
    void ComeToFront();

    std::vector<PlacedControl> controls_;
    QProgressBar* progress_;
    QtOperator operator_;
    bool firstShow_ = true;
    std::unique_ptr<ActivationListener> activation_;
};

} // namespace tavo::app
