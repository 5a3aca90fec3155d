#include "app_fixture.h"

#include "platform/paths.h"

#include <QApplication>
#include <QProcessEnvironment>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace tavo::test {

ProgramFolder::ProgramFolder(bool withSettingsIni, std::string_view general) {
    prefix.WriteHost("C:\\Tavo\\AutoRun.inf", "[autorun]\r\nIniFile=\\Tavo.ini\r\n");
    if (withSettingsIni) prefix.WriteHost(kSettingsIni, "[General]\r\n" + std::string(general));
    plat::SetModuleFolder(kFolder);
}

void ProgramFolder::InstallProgram() const {
    const fs::path installed = prefix.HostOf("C:\\Tavo\\Tavo");
    fs::copy_file(TAVO_PROGRAM, installed, fs::copy_options::overwrite_existing);
    fs::permissions(installed, fs::perms::owner_all, fs::perm_options::add);
}

std::unique_ptr<QProcess> ProgramFolder::Start(const QStringList& arguments) const {
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVO_PREFIX"), QString::fromStdString(prefix.host()));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(QString::fromStdString(prefix.HostOf("C:\\Tavo\\Tavo")), arguments);
    process->waitForStarted();
    return process;
}

std::string ProgramFolder::WindowHandleText() const {
    const std::string text = prefix.ReadHost("C:\\Temp\\WHnd.INI");
    const std::size_t key = text.find("HWND=");
    if (key == std::string::npos) return {};
    const std::size_t start = key + 5;
    return text.substr(start, text.find_first_of("\r\n", start) - start);
}

bool ProgramFolder::WindowHandleFileExists() const {
    return fs::exists(prefix.HostOf("C:\\Temp\\WHnd.INI"));
}

bool ProgramFolder::SingleInstanceLockFree() const {
    QProcess peer;
    peer.start(QStringLiteral(KERNEL_PEER),
               {QString::fromStdString(prefix.host()), QStringLiteral("try-mutex"),
                QStringLiteral("Orvane_Wexo_Fast_Restore_Ap")});
    if (!peer.waitForFinished(10000)) return false;
    // The peer prints the result of its zero wait: 0 when it got the lock.
    return peer.readAllStandardOutput().trimmed() == "0";
}

app::CBackupRestoreDlg* ShownMainDialog() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<app::CBackupRestoreDlg*>(widget); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

bool RunProgram(app::CBackupRestoreApp& program,
                const std::function<void(app::CBackupRestoreDlg&)>& whileUp) {
    bool cameUp = false;
    QTimer poll;
    poll.setInterval(10);
    // Fires inside the dialog's modal loop; never when start-up ends before the dialog.
    QObject::connect(&poll, &QTimer::timeout, [&] {
        app::CBackupRestoreDlg* dialog = ShownMainDialog();
        if (!dialog) return;
        poll.stop();
        cameUp = true;
        if (whileUp) whileUp(*dialog);
        dialog->reject();
    });
    poll.start();
    EXPECT_FALSE(program.InitInstance());
    return cameUp;
}

} // namespace tavo::test
