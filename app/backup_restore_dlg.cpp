#include "app/backup_restore_dlg.h"

#include "app/ansi_text.h"
#include "app/dialog_units.h"
#include "app/startup_state.h"
#include "app/window_handle_file.h"
#include "engine/progress.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPixmap>
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

// The template's font; the font system substitutes the closest installed face when Arial is missing.
QFont TemplateFont() {
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(9);
    return font;
}

DialogBaseUnits BaseUnitsOf(const QFontMetrics& metrics) {
    return BaseUnitsOfFont(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
}

bool Owns(const QWidget* window, const QWidget* widget) {
    for (; widget; widget = widget->parentWidget())
        if (widget == window) return true;
    return false;
}

} // namespace

CBackupRestoreDlg::CBackupRestoreDlg(QWidget* parent)
    : QDialog(parent, kWindowFlags), progress_(new QProgressBar(this)), operator_(this, progress_) {
    const StartupState& state = Startup();
    if (state.rightToLeft) setLayoutDirection(Qt::RightToLeft);
    setFont(TemplateFont());
    const PixelRect size =
        DialogRectToPixels(BaseUnitsOf(fontMetrics()), 0, 0, kTemplateWidth, kTemplateHeight);
    resize(size.width, size.height);

    progress_->setObjectName(QString::number(kIdProgress));
    progress_->setTextVisible(false);
    progress_->hide();
    PlaceControl(progress_, 4, 212, 96, 9);

    if (windowTitle().isEmpty()) setWindowTitle(FromAnsi(state.title));
    setWindowIcon(QIcon(QPixmap(tavo_icon_xpm)));
    // The caption guard looks at every mouse move, not only those with a button down.
    setMouseTracking(true);

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

void CBackupRestoreDlg::StepProgress() {
    tavo::StepProgress();
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
