#include "tandril/gui/library_operator.h"

#include "platform/paths.h"
#include "tandril/gui/ansi_qt.h"
#include "tandril/gui/gui_application.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

namespace tandril::gui {

namespace {

QString HostPathOf(std::string_view windowsPath) {
    const std::optional<std::string> host =
        windowsPath.empty() ? std::nullopt : plat::ToHostPath(windowsPath);
    return host ? QFile::decodeName(QByteArray::fromStdString(*host)) : QString();
}

// Empty when the chosen host path has no Windows form.
std::string WindowsPathOf(const QString& hostPath) {
    return plat::ToWindowsPath(QFile::encodeName(QDir::cleanPath(hostPath)).toStdString());
}

// "Exe file (*.exe)|*.exe|All files (*.*)|*.*||" as the toolkit's "Exe file (*.exe)", "All files (*)".
QStringList NameFilters(std::string_view windowsFilter) {
    const QStringList fields = FromAnsi(windowsFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < fields.size() && !fields[i].isEmpty(); i += 2) {
        QString patterns = fields[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '))
            .replace(QStringLiteral("*.*"), QStringLiteral("*"));
        const qsizetype open = fields[i].lastIndexOf(QLatin1Char('('));
        const QString description = (open > 0 ? fields[i].left(open) : fields[i]).trimmed();
        filters << description + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
    }
    return filters;
}

} // namespace

int LibraryOperator::ShowMessage(std::string_view text, std::string_view caption, plat::MessageIcon icon,
                                 plat::MessageButtons buttons) {
    const bool yesNo = buttons == plat::MessageButtons::YesNo;
    const bool okCancel = buttons == plat::MessageButtons::OkCancel;
    // The answer of a box closed without a button, which is also the answer when none can show.
    const int closed = yesNo ? plat::kIdNo : (okCancel ? plat::kIdCancel : plat::kIdOk);
    if (!EnsureGuiApplication()) return closed;
    QMessageBox box(owner_);
    box.setText(FromAnsi(text));
    box.setTextFormat(Qt::PlainText);
    box.setWindowTitle(FromAnsi(caption));
    switch (icon) {
    case plat::MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case plat::MessageIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case plat::MessageIcon::Stop:
        box.setIcon(QMessageBox::Critical);
        break;
    case plat::MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case plat::MessageIcon::None:
        break;
    }
    box.setStandardButtons(yesNo ? QMessageBox::Yes | QMessageBox::No
                                 : (okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok));
    box.exec();
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes:
        return plat::kIdYes;
    case QMessageBox::No:
        return plat::kIdNo;
    case QMessageBox::Ok:
        return plat::kIdOk;
    default:
        return closed;
    }
}

std::optional<std::string>
LibraryOperator::PromptFolder(std::string_view caption, std::string_view initialFolder,
                              const std::function<bool(std::string_view)>& acceptable) {
    if (!EnsureGuiApplication()) return std::nullopt;
    QString start = HostPathOf(initialFolder);
    for (;;) {
        const QString chosen = QFileDialog::getExistingDirectory(owner_, FromAnsi(caption), start);
        if (chosen.isEmpty()) return std::nullopt;
        std::string folder = WindowsPathOf(chosen);
        if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
        // A folder the caller cannot take keeps the prompt open, as a greyed-out OK button would.
        if (!folder.empty() && (!acceptable || acceptable(folder))) return folder;
        start = chosen;
    }
}

std::optional<std::string> LibraryOperator::PromptFile(std::string_view caption,
                                                       std::string_view initialFolder,
                                                       std::string_view filter) {
    if (!EnsureGuiApplication()) return std::nullopt;
    QString start = HostPathOf(initialFolder);
    for (;;) {
        const QString chosen = QFileDialog::getOpenFileName(owner_, FromAnsi(caption), start,
                                                            NameFilters(filter).join(QStringLiteral(";;")));
        if (chosen.isEmpty()) return std::nullopt;
        // A file whose name Windows cannot hold cannot be handed on.
        std::string file = WindowsPathOf(chosen);
        if (!file.empty()) return file;
        start = QFileInfo(chosen).path();
    }
}

int LibraryOperator::PopupMenu(const std::vector<std::string>& entries) {
    if (!EnsureGuiApplication()) return -1;
    QMenu menu(owner_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].empty())
            menu.addSeparator();
        else
            menu.addAction(FromAnsi(entries[i]))->setData(static_cast<int>(i));
    }
    const QAction* chosen = menu.exec(QCursor::pos());
    return chosen ? chosen->data().toInt() : -1;
}

void LibraryOperator::ShowWaitCursor(int milliseconds) {
    if (milliseconds <= 0 || !EnsureGuiApplication()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(milliseconds, [] { QApplication::restoreOverrideCursor(); });
}

} // namespace tandril::gui
