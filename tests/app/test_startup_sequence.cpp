// The start-up sequence of the program: one copy per machine, the settings checks, the password
// library's say, and the tidy-up when the main dialog closes.
#include "app_fixture.h"

#include "app/single_instance.h"
#include "app/startup_state.h"
#include "platform/operator.h"
#include "sentrix.h"
#include "support/scripted_operator.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace {

using tavo::app::CBackupRestoreApp;
using tavo::app::CBackupRestoreDlg;
using tavo::app::Startup;
using tavo::test::ProgramFolder;
using tavo::test::RunProgram;

constexpr int kProcessTimeout = 20000; // ms; generous for sanitizer builds

std::string Pid(const QProcess& process) {
    return std::to_string(process.processId());
}

std::string OwnPid() {
    return std::to_string(QCoreApplication::applicationPid());
}

TEST(StartUp, RunsTheMainDialogWithTheSettingsAndTidiesUpAfterIt) {
    ProgramFolder folder(true, "Text_Title=Tavo Restore\r\nRestore_TotalItemNum=2\r\nColorNormal=255,0,0\r\n"
                               "ColorFocus=10,,30\r\nColorDown=1,2,3\r\nColorIntroduction=300\r\n");
    tavo::test::ScriptedOperator scripted;
    tavo::test::MainOperatorScope scope(scripted);
    CBackupRestoreApp program;
    const bool cameUp = RunProgram(program, [&](CBackupRestoreDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tavo Restore"));
        // The dialog is the main dialog pointer while it runs; the copy owns the lock and has
        // published its window.
        EXPECT_EQ(plat::MainOperator(), &dialog.Operator());
        EXPECT_FALSE(folder.SingleInstanceLockFree());
        EXPECT_EQ(folder.WindowHandleText(), OwnPid());
    });
    ASSERT_TRUE(cameUp);
    EXPECT_EQ(Startup().programFolder, "C:\\Tavo\\");
    EXPECT_EQ(Startup().settingsIniPath, "C:\\Tavo\\Tavo.ini");
    EXPECT_EQ(Startup().totalRestoreItems, 2);
    EXPECT_EQ(Startup().colorNormal, 0x0000FFu);
    EXPECT_EQ(Startup().colorFocus, 0x00000Au);
    EXPECT_EQ(Startup().colorDown, 0x030201u);
    EXPECT_EQ(Startup().colorIntroduction, 0x03022Cu);

    EXPECT_EQ(plat::MainOperator(), &scripted);
    EXPECT_TRUE(scripted.calls().empty()) << scripted.Transcript();
    EXPECT_FALSE(folder.WindowHandleFileExists());
    EXPECT_TRUE(folder.SingleInstanceLockFree());
}

TEST(StartUp, MissingSettingsIniShowsExactlyOneMessageAndEnds) {
    ProgramFolder folder(false);
    tavo::test::ScriptedOperator scripted;
    tavo::test::MainOperatorScope scope(scripted);
    CBackupRestoreApp program;
    EXPECT_FALSE(RunProgram(program));
    ASSERT_EQ(scripted.messages().size(), 1u) << scripted.Transcript();
    EXPECT_EQ(scripted.messages()[0].text, "C:\\Tavo\\Tavo.ini open failed!");
    EXPECT_EQ(scripted.messages()[0].buttons, plat::MessageButtons::Ok);
    EXPECT_EQ(scripted.calls().size(), 1u) << scripted.Transcript();
    EXPECT_FALSE(folder.WindowHandleFileExists());
    EXPECT_TRUE(folder.SingleInstanceLockFree());
}

TEST(StartUp, RefusalOfThePasswordLibraryEndsSilentlyAfterReadingTheLayoutDirection) {
    ProgramFolder folder(true, "STYLE_RTL=1\r\nText_Title=New title\r\n");
    ASSERT_EQ(SentrixSetStartupRefused(1), 0);
    Startup().rightToLeft = 0;
    Startup().title = "before";
    tavo::test::ScriptedOperator scripted;
    tavo::test::MainOperatorScope scope(scripted);
    CBackupRestoreApp program;
    EXPECT_FALSE(RunProgram(program));
    EXPECT_TRUE(scripted.calls().empty()) << scripted.Transcript();
    // The direction is read before the library is asked, the title only after it agreed.
    EXPECT_EQ(Startup().rightToLeft, 1);
    EXPECT_EQ(Startup().title, "before");
    EXPECT_FALSE(folder.WindowHandleFileExists());
    EXPECT_TRUE(folder.SingleInstanceLockFree());
}

TEST(StartUp, SecondStartBringsTheFirstCopysWindowUpAndEnds) {
    ProgramFolder folder;
    folder.InstallProgram();
    CBackupRestoreApp program;
    const bool cameUp = RunProgram(program, [&](CBackupRestoreDlg& dialog) {
        dialog.showMinimized();
        ASSERT_TRUE(dialog.isMinimized());
        const auto second = folder.Start();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return second->state() == QProcess::NotRunning; }, kProcessTimeout));
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.isMinimized(); }, 5000));
        // The second copy opened no window of its own.
        EXPECT_EQ(folder.WindowHandleText(), OwnPid());
    });
    EXPECT_TRUE(cameUp);
}

TEST(StartUp, StartWhileAnotherCopyIsStartingEndsWithoutAWindow) {
    // The other copy owns the lock but has not published a window yet.
    for (const char* published : {"", "[Tavo]\r\nHWND=0\r\n"}) {
        SCOPED_TRACE(published);
        ProgramFolder folder;
        folder.InstallProgram();
        if (*published) folder.prefix.WriteHost("C:\\Temp\\WHnd.INI", published);
        const tavo::app::NamedObjects objects;
        ASSERT_TRUE(tavo::TryAcquireMutex(objects.singleInstance(), 0));

        const auto second = folder.Start();
        ASSERT_TRUE(second->waitForFinished(kProcessTimeout));
        EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second->exitCode(), 0);
        EXPECT_EQ(folder.prefix.ReadHost("C:\\Temp\\WHnd.INI"), published);
        plat::ReleaseMutexHandle(objects.singleInstance());
    }
}

TEST(StartUp, StartAfterAKilledCopyTakesOverItsAbandonedLock) {
    ProgramFolder folder;
    folder.InstallProgram();
    // Loaded first, so the lock outlives the killed copy and is seen abandoned.
    CBackupRestoreApp program;
    const auto first = folder.Start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return folder.WindowHandleText() == Pid(*first); }, kProcessTimeout));
    first->kill();
    ASSERT_TRUE(first->waitForFinished(kProcessTimeout));

    EXPECT_TRUE(
        RunProgram(program, [&](CBackupRestoreDlg&) { EXPECT_FALSE(folder.SingleInstanceLockFree()); }));
    EXPECT_TRUE(folder.SingleInstanceLockFree());
}

TEST(StartUp, ArgumentsAreIgnoredAndTheOrdinaryWindowOpens) {
    ProgramFolder folder;
    folder.InstallProgram();
    const auto copy =
        folder.Start({QStringLiteral("-platform"), QStringLiteral("xcb"), QStringLiteral("--help"),
                      QStringLiteral("/restore"), QStringLiteral("C:\\Package")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return folder.WindowHandleText() == Pid(*copy); }, kProcessTimeout));
    EXPECT_EQ(copy->state(), QProcess::Running);
    copy->kill();
    copy->waitForFinished(kProcessTimeout);
}

} // namespace
