#pragma once
// The program's only top-level window: the modal main dialog. It shows the item page (one item
// button per configured item with its title and introduction, the description box, Exit and the
// introduction view) or one product's page (its selection tree, Back and Next). It owns the
// progress bar that runs move, publishes its window number in "WHnd.INI" while it is up, and
// comes to the front when a second start asks it to.
#include "app/activation_listener.h"
#include "app/item_texts.h"
#include "app/page_description.h"
#include "app/product_menus.h"
#include "app/product_pages.h"
#include "app/qt_operator.h"
#include "catalogue/product_commands.h"
#include "catalogue/program_probes.h"

#include <QDialog>
#include <QFont>
#include <QProgressBar>

#include <array>
#include <memory>
#include <vector>

class QPlainTextEdit;

namespace tavo::app {

class CExitView;
class CGoBackView;
class CIntroductionView;
class CItemButton;
class CNextView;
class SelectionTreeView;

class CBackupRestoreDlg : public QDialog, private PageView, private MenuTarget {
    Q_OBJECT

  public:
    // Control ids of the dialog's template, also the controls' object names.
    enum ControlId : int {
        kIdProgress = 1006,
        kIdDescription = 1005,
        kIdUnusedText = 1004,
        kIdDvrTree = 1000,
        kIdNoderaTree = 1014,
        kIdWatchdeckTree = 1015,
        kIdPulsewatchTree = 1016,
        kIdRelayTree = 1017,
    };

    explicit CBackupRestoreDlg(QWidget* parent = nullptr);
    ~CBackupRestoreDlg() override;

    // The operator that shows the prompts over this window and moves its progress bar: the main
    // operator while the dialog runs.
    QtOperator& Operator() { return operator_; }
    QProgressBar* progressBar() const { return progress_; }

    // Adds 1 to the progress counter and moves the bar to it at once.
    void StepProgress();

    // Pages: 5 shows a product's page, 0 returns to the item page.
    void ShowDvrPage(int command) override;
    void ShowProductPage(int command, int productCode) override;
    // Enables or disables Next and repaints it at once.
    void EnableNext(bool enable) override;
    // The item buttons' menus.
    void OpenItemMenu(int item) { menus_.OpenItemMenu(item); }
    // The commands: the restore of the product whose page is shown (Next), the DVR's reset to
    // defaults and the packup of a product.
    void RestoreCurrentProduct();
    // What Next does: the packup of the DVR in packup mode, else the restore of the current product.
    void RunNext();
    void RestoreDvrDefaults() override;
    void PackupProduct(int productCode);
    // The packup menu, opened by a right-click on the DVR item button or Ctrl+P.
    void OpenPackupMenu() { menus_.ShowPackupMenu(); }
    // The skin menu, opened by a right-click on the window: the custom logo dialog and the library's
    // user-define dialog.
    void ShowSkinMenu();
    // The DVR page whose Next packs up; Back ends the packup mode.
    void ShowDvrPackupPage() override;
    bool PackupMode() const { return packupMode_; }

    int CurrentProduct() const { return menus_.CurrentProduct(); }
    const ProductPages& Pages() const { return pages_; }
    const ItemTexts& Texts() const { return itemTexts_; }
    // index: 0 DVR, 1 Nodera, 2 Watchdeck, 3 Pulsewatch, 4 Relay server.
    SelectionTreeView* Tree(int index) const { return trees_[static_cast<unsigned>(index)]; }
    const std::vector<CItemButton*>& ItemButtons() const { return itemButtons_; }
    CExitView* ExitView() const { return exitView_; }
    CGoBackView* BackView() const { return backView_; }
    CNextView* NextView() const { return nextView_; }
    CIntroductionView* IntroductionView() const { return introductionView_; }
    QPlainTextEdit* DescriptionBox() const { return description_; }
    const QFont& TitleFont() const { return titleFont_; }
    const QFont& TextFont() const { return textFont_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // A control placed from the template's dialog units, measured from the leading edge.
    struct PlacedControl {
        QWidget* widget;
        QRect logical;
    };

    // PageView
    void ShowItemButtons(bool show) override;
    void ShowTree(int index, bool show) override;
    void ShowBackAndNext(bool show) override;
    int SelectionCounter(int index) const override;

    void PlaceControl(QWidget* control, int x, int y, int width, int height);
    void PlaceControls();
    void CreateViews();
    // The five trees, their catalogues loaded; returns their models.
    std::array<SelectionTree*, 5> CreateTrees();
    void ShowPageDescription();
    void ComeToFront();
    void RepaintNow();

    std::vector<PlacedControl> controls_;
    QProgressBar* progress_;
    QtOperator operator_;
    QPlainTextEdit* description_;
    QPlainTextEdit* unusedText_;
    CIntroductionView* introductionView_ = nullptr;
    std::vector<CItemButton*> itemButtons_;
    CExitView* exitView_ = nullptr;
    CGoBackView* backView_ = nullptr;
    CNextView* nextView_ = nullptr;
    std::array<SelectionTreeView*, 5> trees_{};
    QFont titleFont_;
    QFont textFont_;
    ItemTexts itemTexts_;
    PageDescriptions descriptions_;
    ProductProbes probes_;
    ProductPages pages_;
    ProductMenus menus_;
    std::unique_ptr<ProductCommands> commands_;
    bool packupMode_ = false;
    bool firstShow_ = true;
    std::unique_ptr<ActivationListener> activation_;
};

} // namespace tavo::app
