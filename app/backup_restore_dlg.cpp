#include "app/backup_restore_dlg.h"

#include "app/ansi_text.h"
#include "app/button_look.h"
#include "app/custom_logo_dlg.h"
#include "app/dialog_units.h"
#include "app/introduction_view.h"
#include "app/item_button.h"
#include "app/item_button_look.h"
#include "app/navigation_views.h"
#include "app/painter_text.h"
#include "app/selection_tree_view.h"
#include "app/startup_state.h"
#include "app/template_font.h"
#include "app/window_handle_file.h"
#include "catalogue/archive_setting.h"
#include "catalogue/catalogue_loader.h"
#include "engine/package_archive.h"
#include "engine/progress.h"
#include "engine/sibling_install_folders.h"
#include "tandril.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QShortcut>
#include <QStyle>

#include "app/tavo_icon.xpm"

namespace tavo::app {

namespace {

// A pop-up with a caption, a system menu and a minimise box.
constexpr Qt::WindowFlags kWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                         Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                         Qt::WindowCloseButtonHint;

// The template's size in dialog units, and the outer size the window takes when first shown.
constexpr int kTemplateWidth = 343;
constexpr int kTemplateHeight = 230;
constexpr QSize kShownSize(600, 450);

constexpr int kProductCodes[5] = {1, 2, 4, 8, 16};
constexpr int kTreeIds[5] = {CBackupRestoreDlg::kIdDvrTree, CBackupRestoreDlg::kIdNoderaTree,
                             CBackupRestoreDlg::kIdWatchdeckTree, CBackupRestoreDlg::kIdPulsewatchTree,
                             CBackupRestoreDlg::kIdRelayTree};

// The item page's fonts: Tahoma, else Arial, of `points` points at the screen's vertical
// resolution.
QFont PageFont(int points, int weight, int logicalDpiY) {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Arial")});
    font.setPixelSize(MulDiv(points, logicalDpiY, 72));
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

bool Owns(const QWidget* window, const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (widget == window) return true;
    return false;
}

QPlainTextEdit* TemplateEdit(QWidget* parent, int id) {
    auto* edit = new QPlainTextEdit(parent);
    edit->setObjectName(QString::number(id));
    edit->setReadOnly(true);
    edit->setFrameShape(QFrame::NoFrame);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return edit;
}

QFrame* EtchedLine(QWidget* parent, QFrame::Shape shape) {
    auto* line = new QFrame(parent);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

CBackupRestoreDlg::CBackupRestoreDlg(QWidget* parent)
    : QDialog(parent, kWindowFlags), progress_(new QProgressBar(this)), operator_(this, progress_),
      description_(TemplateEdit(this, kIdDescription)), unusedText_(TemplateEdit(this, kIdUnusedText)),
      itemTexts_(0), pages_(*this), menus_(operator_, *this, probes_) {
    // The servers' install folders are path roots of the runs; the package archive is made only
    // where the settings name one.
    ReadSiblingInstallFolders();
    SetPackageArchivePath(ConfiguredPackageArchive());

    const StartupState& state = Startup();
    if (state.rightToLeft) setLayoutDirection(Qt::RightToLeft);
    setFont(TemplateFont());
    const PixelRect size =
        DialogRectToPixels(BaseUnitsOf(fontMetrics()), 0, 0, kTemplateWidth, kTemplateHeight);
    resize(size.width, size.height);
    // The item texts end 5 pixels before the client area's right edge as the template makes it.
    itemTexts_ = ItemTexts(size.width);

    progress_->setObjectName(QString::number(kIdProgress));
    progress_->setTextVisible(false);
    progress_->hide();
    PlaceControl(progress_, 4, 212, 96, 9);
    PlaceControl(description_, 104, 1, 229, 24);
    PlaceControl(unusedText_, 104, 1, 229, 18);
    unusedText_->setEnabled(false);
    unusedText_->hide();
    PlaceControl(EtchedLine(this, QFrame::HLine), 1, 201, 341, 1);
    PlaceControl(EtchedLine(this, QFrame::VLine), 99, 1, 1, 200);

    CreateViews();
    titleFont_ = PageFont(16, 700, logicalDpiY());
    textFont_ = PageFont(10, 400, logicalDpiY());
    const std::array<SelectionTree*, 5> models = CreateTrees();
    ShowPageDescription();

    if (windowTitle().isEmpty()) setWindowTitle(FromAnsi(state.title));
    setWindowIcon(QIcon(QPixmap(tavo_icon_xpm)));
    // The caption guard looks at every mouse move, not only those with a button down.
    setMouseTracking(true);

    commands_ = std::make_unique<ProductCommands>(models, probes_, operator_, [this] { RepaintNow(); });

    // The process id names this window to other processes; the listener is up before the number
    // is published, so no request is lost.
    const long long windowNumber = QCoreApplication::applicationPid();
    activation_ = std::make_unique<ActivationListener>(windowNumber, [this] { ComeToFront(); });
    WriteWindowHandle(windowNumber);
}

CBackupRestoreDlg::~CBackupRestoreDlg() {
    WriteWindowHandle(0);
    activation_.reset();
}

void CBackupRestoreDlg::CreateViews() {
    introductionView_ = new CIntroductionView(ReadIntroductionRect(), this);
    introductionView_->show();

    for (int number = 1; number <= Startup().totalRestoreItems; ++number) {
        const ItemButtonLayout layout = ReadItemButtonLayout(number);
        auto* button = new CItemButton(number, layout, this);
        connect(button, &CItemButton::itemMenuRequested, this, &CBackupRestoreDlg::OpenItemMenu);
        if (number == 1) {
            // The packup of the current system is offered beside the DVR's restore.
            button->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(button, &QWidget::customContextMenuRequested, this, &CBackupRestoreDlg::OpenPackupMenu);
        }
        itemButtons_.push_back(button);
        itemTexts_.AddItemText(layout.text, layout.introduction, layout.rect, number - 1);
    }

    const ButtonPlacement exit = ReadButtonPlacement("Exit");
    exitView_ = new CExitView(exit.rect, this, exit.text);
    // The modal loop ends and the program tidies up.
    connect(exitView_, &CBtnView::clicked, this, &QDialog::reject);

    const ButtonPlacement back = ReadButtonPlacement("Back");
    backView_ = new CGoBackView(back.rect, this, back.text);
    connect(backView_, &CBtnView::clicked, this, [this] {
        packupMode_ = false;
        ShowDvrPage(kHidePage);
        ShowProductPage(kHidePage, kAllServers);
    });

    const ButtonPlacement next = ReadButtonPlacement("Next");
    nextView_ = new CNextView(next.rect, this, next.text);
    connect(nextView_, &CBtnView::clicked, this, &CBackupRestoreDlg::RunNext);

    auto* packup = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
    connect(packup, &QShortcut::activated, this, [this] {
        if (pages_.ItemPageShown()) OpenPackupMenu();
    });
}

std::array<SelectionTree*, 5> CBackupRestoreDlg::CreateTrees() {
    std::array<SelectionTree*, 5> models{};
    for (std::size_t i = 0; i < trees_.size(); ++i) {
        auto* tree = new SelectionTreeView(kProductCodes[i], this);
        tree->setObjectName(QString::number(kTreeIds[i]));
        tree->hide();
        PlaceControl(tree, 103, 36, 232, 160);
        connect(tree, &SelectionTreeView::nextEnabled, this, &CBackupRestoreDlg::EnableNext);
        trees_[i] = tree;
        models[i] = &tree->Model();
    }
    LoadCatalogues(models);
    for (SelectionTreeView* tree : trees_) {
        tree->ItemsLoaded();
        tree->horizontalScrollBar()->setValue(0);
        tree->verticalScrollBar()->setValue(0);
    }
    return models;
}

void CBackupRestoreDlg::ShowPageDescription() {
    ReadDescription("General", descriptions_);
    description_->setPlainText(
        FromAnsi(descriptions_.titles.front() + "\r\n" + descriptions_.contents.front()));
    // Moved to the title position, keeping its size; measured from the leading edge like the rest.
    for (PlacedControl& control : controls_) {
        if (control.widget != description_) continue;
        control.logical.moveTopLeft(
            QPoint(descriptions_.titlePositions.front().x, descriptions_.titlePositions.front().y));
    }
    PlaceControls();
}

void CBackupRestoreDlg::StepProgress() {
    tavo::StepProgress();
}

void CBackupRestoreDlg::ShowDvrPage(int command) {
    pages_.ShowDvrPage(command);
}

void CBackupRestoreDlg::ShowProductPage(int command, int productCode) {
    pages_.ShowProductPage(command, productCode);
}

void CBackupRestoreDlg::EnableNext(bool enable) {
    nextView_->setEnabled(enable);
    nextView_->repaint();
}

void CBackupRestoreDlg::RestoreCurrentProduct() {
    commands_->RestoreProduct(menus_.CurrentProduct());
}

void CBackupRestoreDlg::RunNext() {
    if (packupMode_)
        PackupProduct(menus_.CurrentProduct());
    else
        RestoreCurrentProduct();
}

void CBackupRestoreDlg::ShowSkinMenu() {
    // The skin styles themselves are not switched from here: only the entries that lead somewhere.
    switch (operator_.PopupMenu({"Custom Logo...", "User Define Setting..."})) {
    case 0: {
        CCustomLogoDlg logo(this);
        logo.exec();
        break;
    }
    case 1: ::UserDefineDlg(); break;
    default: break;
    }
}

void CBackupRestoreDlg::contextMenuEvent(QContextMenuEvent* event) {
    ShowSkinMenu();
    event->accept();
}

void CBackupRestoreDlg::ShowDvrPackupPage() {
    packupMode_ = true;
    ShowDvrPage(kShowPage);
}

void CBackupRestoreDlg::RestoreDvrDefaults() {
    commands_->RestoreDvrDefaults();
}

void CBackupRestoreDlg::PackupProduct(int productCode) {
    commands_->PackupProduct(productCode);
}

void CBackupRestoreDlg::ShowItemButtons(bool show) {
    for (CItemButton* button : itemButtons_)
        button->setVisible(show);
    // The item texts go and come with their buttons.
    update();
}

void CBackupRestoreDlg::ShowTree(int index, bool show) {
    trees_[static_cast<unsigned>(index)]->setVisible(show);
}

void CBackupRestoreDlg::ShowBackAndNext(bool show) {
    backView_->setVisible(show);
    nextView_->setVisible(show);
}

int CBackupRestoreDlg::SelectionCounter(int index) const {
    return trees_[static_cast<unsigned>(index)]->Model().SelectionCounter();
}

void CBackupRestoreDlg::RepaintNow() {
    repaint();
}

void CBackupRestoreDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    // The outer size, frame included, where the platform reports a frame.
    const QSize frame = frameGeometry().size() - size();
    resize(kShownSize - frame);
}

void CBackupRestoreDlg::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceControls();
}

void CBackupRestoreDlg::mouseMoveEvent(QMouseEvent* event) {
    // The caption always shows the configured title, whatever changed it.
    const QString title = FromAnsi(Startup().title);
    if (windowTitle() != title) setWindowTitle(title);
    QDialog::mouseMoveEvent(event);
}

void CBackupRestoreDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    // The item texts stand beside their buttons, so they show only with the item page; a server
    // page would otherwise show them beside its tree.
    if (!pages_.ItemPageShown()) return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const bool mirrored = layoutDirection() == Qt::RightToLeft;
    const auto leadingX = [&](const Rect& rect) { return mirrored ? width() - rect.right : rect.left; };
    painter.setFont(titleFont_);
    for (int slot = 0; slot < itemTexts_.DrawableCount(); ++slot) {
        const Rect& rect = itemTexts_.TitleRect(slot);
        PaintWrappedText(painter, itemTexts_.Titles()[static_cast<unsigned>(slot)], leadingX(rect), rect.top,
                         600 - rect.left, 250);
    }
    painter.setFont(textFont_);
    for (int slot = 0; slot < itemTexts_.DrawableCount(); ++slot) {
        const Rect& rect = itemTexts_.IntroductionRect(slot);
        PaintWrappedText(painter, itemTexts_.Introductions()[static_cast<unsigned>(slot)], leadingX(rect),
                         rect.top, rect.right - rect.left, 0);
    }
}

void CBackupRestoreDlg::PlaceControl(QWidget* control, int x, int y, int width, int height) {
    const PixelRect pixels = DialogRectToPixels(BaseUnitsOf(fontMetrics()), x, y, width, height);
    controls_.push_back({control, QRect(pixels.left, pixels.top, pixels.width, pixels.height)});
    PlaceControls();
}

void CBackupRestoreDlg::PlaceControls() {
    // A right-to-left window measures from its right edge, as a mirrored window does.
    for (const PlacedControl& control : controls_)
        control.widget->setGeometry(QStyle::visualRect(layoutDirection(), rect(), control.logical));
}

void CBackupRestoreDlg::ComeToFront() {
    // The window's last active pop-up: a message box or prompt it owns, else the window itself.
    QWidget* popup = QApplication::activeModalWidget();
    if (!Owns(this, popup)) popup = this;
    if (isMinimized()) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
    } else {
        raise();
    }
    popup->raise();
    popup->activateWindow();
}

} // namespace tavo::app
