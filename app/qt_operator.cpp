#include "app/qt_operator.h"

#include "app/ansi_text.h"
#include "app/file_filter.h"
#include "platform/paths.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace tavo::app {

namespace {

bool OnGuiThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// Runs a prompt on the user-interface thread and waits for its answer: a run working on another
// thread asks through here.
template <typename Work> auto AskOnGuiThread(Work work) -> decltype(work()) {
    if (OnGuiThread()) return work();
    decltype(work()) answer{};
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&] { answer = work(); }, Qt::BlockingQueuedConnection);
    return answer;
}

// Progress from another thread is posted, not waited for: the user-interface thread may be
// waiting for that thread.
template <typename Work> void UpdateOnGuiThread(Work work) {
    if (OnGuiThread()) {
        work();
        return;
    }
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

QMessageBox::Icon BoxIcon(plat::MessageIcon icon) {
    switch (icon) {
    case plat::MessageIcon::Information:
        return QMessageBox::Information;
    case plat::MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case plat::MessageIcon::Stop:
        return QMessageBox::Critical;
    case plat::MessageIcon::Question:
        return QMessageBox::Question;
    case plat::MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(plat::MessageButtons buttons) {
    switch (buttons) {
    case plat::MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case plat::MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case plat::MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The answer of a box closed without a button: what its escape button would have said.
int ClosedAnswer(plat::MessageButtons buttons) {
    switch (buttons) {
    case plat::MessageButtons::OkCancel:
        return plat::kIdCancel;
    case plat::MessageButtons::YesNo:
        return plat::kIdNo;
    case plat::MessageButtons::Ok:
        break;
    }
    return plat::kIdOk;
}

QString HostFolderOf(std::string_view windowsFolder) {
    if (windowsFolder.empty()) return {};
    const std::optional<std::string> host = plat::ToHostPath(windowsFolder);
    if (!host) return {};
    return QFile::decodeName(QByteArray(host->data(), static_cast<qsizetype>(host->size())));
}

// The Windows form of a chosen host path; empty when it has none.
std::string WindowsFormOf(const QString& hostPath) {
    const QByteArray bytes = QFile::encodeName(QDir::cleanPath(hostPath));
    return plat::ToWindowsPath(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::string WithoutTrailingSeparator(std::string folder) {
    // A drive root keeps its '\': "C:" would name the drive's current folder.
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

QString Caption(std::string_view caption) {
    return caption.empty() ? QGuiApplication::applicationDisplayName() : FromAnsi(caption);
}

} // namespace

QtOperator::QtOperator(QWidget* owner, QProgressBar* progress) : owner_(owner), progress_(progress) {}

int QtOperator::ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                            plat::MessageButtons buttons) {
    return AskOnGuiThread([&] {
        QMessageBox box(BoxIcon(icon), Caption(caption), FromAnsi(text), BoxButtons(buttons), owner_);
        box.setTextFormat(Qt::PlainText);
        box.exec();
        switch (box.standardButton(box.clickedButton())) {
        case QMessageBox::Ok:
            return int{plat::kIdOk};
        case QMessageBox::Cancel:
            return int{plat::kIdCancel};
        case QMessageBox::Yes:
            return int{plat::kIdYes};
        case QMessageBox::No:
            return int{plat::kIdNo};
        default:
            return ClosedAnswer(buttons);
        }
    });
}

std::optional<std::string> QtOperator::PromptFolder(std::string_view caption, std::string_view initialFolder,
                                                    const std::function<bool(std::string_view)>& acceptable) {
    return AskOnGuiThread([&]() -> std::optional<std::string> {
        QString start = HostFolderOf(initialFolder);
        for (;;) {
            QFileDialog dialog(owner_, FromAnsi(caption), start);
            dialog.setFileMode(QFileDialog::Directory);
            dialog.setOption(QFileDialog::ShowDirsOnly);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
            const QString chosen = dialog.selectedFiles().constFirst();
            std::string folder = WithoutTrailingSeparator(WindowsFormOf(chosen));
            // A folder the caller cannot take is like an OK button greyed out: the prompt stays.
            if (!folder.empty() && (!acceptable || acceptable(folder))) return folder;
            start = chosen;
        }
    });
}

std::optional<std::string> QtOperator::PromptFile(std::string_view caption, std::string_view initialFolder,
                                                  std::string_view filter) {
    return AskOnGuiThread([&]() -> std::optional<std::string> {
        QStringList filters;
        for (const std::string& entry : FileDialogFilters(filter))
            filters << FromAnsi(entry);
        QString start = HostFolderOf(initialFolder);
        for (;;) {
            QFileDialog dialog(owner_, FromAnsi(caption), start);
            dialog.setFileMode(QFileDialog::ExistingFile);
            if (!filters.isEmpty()) dialog.setNameFilters(filters);
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
            const QString chosen = dialog.selectedFiles().constFirst();
            std::string file = WindowsFormOf(chosen);
            // A file whose name Windows cannot hold cannot be handed on.
            if (!file.empty()) return file;
            start = QFileInfo(chosen).path();
        }
    });
}

int QtOperator::PopupMenu(const std::vector<std::string>& entries) {
    return AskOnGuiThread([&] {
        QMenu menu(owner_);
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].empty()) {
                menu.addSeparator();
                continue;
            }
            menu.addAction(FromAnsi(entries[i]))->setData(static_cast<int>(i));
        }
        const QAction* chosen = menu.exec(QCursor::pos());
        return chosen ? chosen->data().toInt() : -1;
    });
}

void QtOperator::ProgressShow(bool visible) {
    UpdateOnGuiThread([bar = progress_, visible] {
        if (bar) bar->setVisible(visible);
    });
}

void QtOperator::ProgressRange(int low, int high) {
    UpdateOnGuiThread([bar = progress_, low, high] {
        if (bar) bar->setRange(low, high);
    });
}

void QtOperator::ProgressPosition(int position) {
    UpdateOnGuiThread([bar = progress_, position] {
        if (!bar) return;
        // A position outside the range stops at its end, as the system's bar does.
        bar->setValue(std::clamp(position, bar->minimum(), std::max(bar->minimum(), bar->maximum())));
        // The runs work without returning to the event loop: the bar paints at once.
        bar->repaint();
    });
}

void QtOperator::ShowWaitCursor(int milliseconds) {
    if (milliseconds <= 0) return;
    UpdateOnGuiThread([milliseconds] {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QTimer::singleShot(milliseconds, [] { QApplication::restoreOverrideCursor(); });
    });
}

} // namespace tavo::app
