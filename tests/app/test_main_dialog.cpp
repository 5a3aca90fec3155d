// The bare main dialog and the Qt operator it hands to the runs.
#include "app/backup_restore_dlg.h"
#include "app/dialog_units.h"
#include "app/single_instance.h"
#include "app/startup_state.h"
#include "engine/progress.h"
#include "platform/operator.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace {

using tavo::app::CBackupRestoreDlg;
using tavo::app::Startup;

class MainDialog : public ::testing::Test {
  protected:
    MainDialog() {
        Startup().rightToLeft = 0;
        Startup().title = "Tavo \xE9quipement";
    }

    // The window number as WHnd.INI holds it.
    std::string WindowHandleText() const {
        const std::string text = prefix.ReadHost("C:\\Temp\\WHnd.INI");
        const std::size_t key = text.find("HWND=");
        return key == std::string::npos ? std::string()
                                        : text.substr(key + 5, text.find('\r', key) - key - 5);
    }

    tavo::test::TempPrefix prefix;
};

// Answers the next top-level window of type T that comes up while `ask` runs.
template <typename T, typename Ask> auto AnswerWindow(const std::function<void(T&)>& answer, Ask ask) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<T*>(widget); window && window->isVisible()) {
                poll.stop();
                answer(*window);
                return;
            }
        }
    });
    poll.start(10);
    return ask();
}

QRect DialogUnitRect(const QWidget& dialog, int x, int y, int width, int height) {
    const QFontMetrics metrics(dialog.font());
    const auto units = tavo::app::BaseUnitsOfFont(
        metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")),
        metrics.height());
    const auto pixels = tavo::app::DialogRectToPixels(units, x, y, width, height);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

TEST_F(MainDialog, FirstShowSizesTheWindowOnceAndShowsTitleAndIcon) {
    CBackupRestoreDlg dialog;
    EXPECT_EQ(dialog.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(dialog.font().pointSize(), 9);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.frameGeometry().size(), QSize(600, 450));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Tavo \u00E9quipement"));
    ASSERT_FALSE(dialog.windowIcon().isNull());
    EXPECT_EQ(dialog.windowIcon().availableSizes().value(0), QSize(32, 32));

    // Only the first show sizes the window.
    dialog.resize(700, 500);
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.size(), QSize(700, 500));
}

TEST_F(MainDialog, CaptionGuardPutsTheTitleBackOnTheNextMouseMove) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.setWindowTitle(QStringLiteral("Changed by someone"));
    QTest::mouseMove(&dialog, QPoint(300, 100));
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return dialog.windowTitle() == QString::fromUtf8("Tavo \u00E9quipement"); }));
}

TEST_F(MainDialog, ProgressBarIsHiddenAndPlacedFromDialogUnitsOfTheDialogFont) {
    for (int rightToLeft : {0, 1}) {
        SCOPED_TRACE(rightToLeft);
        Startup().rightToLeft = rightToLeft;
        CBackupRestoreDlg dialog;
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        const QProgressBar* bar = dialog.findChild<QProgressBar*>(QStringLiteral("1006"));
        ASSERT_EQ(bar, dialog.progressBar());
        EXPECT_TRUE(bar->isHidden());
        const QRect logical = DialogUnitRect(dialog, 4, 212, 96, 9);
        EXPECT_EQ(bar->size(), logical.size());
        EXPECT_EQ(bar->y(), logical.y());
        if (rightToLeft) {
            // Mirrored: as far from the right edge as it would be from the left, also after the
            // first show changed the width.
            EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
            EXPECT_EQ(dialog.width() - bar->geometry().right() - 1, logical.x());
        } else {
            EXPECT_EQ(dialog.layoutDirection(), Qt::LeftToRight);
            EXPECT_EQ(bar->x(), logical.x());
        }
    }
}

TEST_F(MainDialog, StepProgressMovesTheBarThroughTheMainOperator) {
    CBackupRestoreDlg dialog;
    tavo::test::MainOperatorScope scope(dialog.Operator());
    QProgressBar* bar = dialog.progressBar();
    dialog.Operator().ProgressShow(true);
    dialog.Operator().ProgressRange(0, 3);
    tavo::SetProgressCounter(0);
    dialog.StepProgress();
    dialog.StepProgress();
    EXPECT_FALSE(bar->isHidden());
    EXPECT_EQ(tavo::ProgressCounter(), 2);
    EXPECT_EQ(bar->value(), 2);
    // A position past the range stops at its end.
    dialog.Operator().ProgressPosition(7);
    EXPECT_EQ(bar->value(), 3);
    // A run on another thread has its steps shown by the user-interface thread.
    std::thread([&] { dialog.Operator().ProgressPosition(1); }).join();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() == 1; }));
    dialog.Operator().ProgressShow(false);
    EXPECT_TRUE(bar->isHidden());
}

TEST_F(MainDialog, WindowNumberIsPublishedWhileTheWindowExists) {
    auto dialog = std::make_unique<CBackupRestoreDlg>();
    EXPECT_EQ(WindowHandleText(), std::to_string(QCoreApplication::applicationPid()));
    dialog.reset();
    EXPECT_EQ(WindowHandleText(), "0");
}

TEST_F(MainDialog, ActivationRequestBringsUpTheWindowsLastActivePopup) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavo"), QStringLiteral("Working"),
                    QMessageBox::Ok, &dialog);
    box.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));

    tavo::app::ActivateRunningInstance(QCoreApplication::applicationPid());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &box; }, 5000));
}

TEST_F(MainDialog, MessagesAnswerWithTheButtonPressedAndShowTheirTextAsWritten) {
    CBackupRestoreDlg dialog;
    tavo::app::QtOperator& op = dialog.Operator();
    QString shown;
    const int yes = AnswerWindow<QMessageBox>(
        [&](QMessageBox& box) {
            shown = box.text();
            box.button(QMessageBox::Yes)->click();
        },
        [&] {
            return op.ShowMessage("Copy <b>C:\\x</b>?", "Tavo", plat::MessageIcon::Question,
                                  plat::MessageButtons::YesNo);
        });
    EXPECT_EQ(yes, plat::kIdYes);
    EXPECT_EQ(shown, QStringLiteral("Copy <b>C:\\x</b>?"));
    const int escaped =
        AnswerWindow<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
                                  [&] {
                                      return op.ShowMessage("Go on?", "", plat::MessageIcon::Exclamation,
                                                            plat::MessageButtons::OkCancel);
                                  });
    EXPECT_EQ(escaped, plat::kIdCancel);
}

TEST_F(MainDialog, PopupMenuReturnsTheIndexOfTheChosenEntryCountingSeparators) {
    CBackupRestoreDlg dialog;
    const auto choose = [&](const char* entry) {
        return AnswerWindow<QMenu>(
            [entry](QMenu& menu) {
                for (QAction* action : menu.actions())
                    if (action->text() == QLatin1String(entry)) menu.setActiveAction(action);
                QTest::keyClick(&menu, menu.activeAction() ? Qt::Key_Return : Qt::Key_Escape);
            },
            [&] {
                return dialog.Operator().PopupMenu({"Restore", "", "Packup", "Defaults"});
            });
    };
    EXPECT_EQ(choose("Packup"), 2);
    EXPECT_EQ(choose("none"), -1);
}

TEST_F(MainDialog, FolderPromptAsksAgainUntilTheChoiceIsAcceptable) {
    prefix.WriteHost("C:\\Backups\\Monday\\keep.txt", "");
    prefix.WriteHost("C:\\Backups\\Tuesday\\keep.txt", "");
    CBackupRestoreDlg dialog;
    int prompts = 0;
    const auto choose = [&](QFileDialog& prompt) {
        ++prompts;
        const char* folder = prompts == 1 ? "C:\\Backups\\Monday" : "C:\\Backups\\Tuesday";
        prompt.selectFile(QString::fromStdString(prefix.HostOf(folder)));
        // QFileDialog hides its accept(); the dialog's is the same virtual call.
        static_cast<QDialog&>(prompt).accept();
    };
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* prompt = qobject_cast<QFileDialog*>(widget); prompt && prompt->isVisible())
                choose(*prompt);
    });
    poll.start(10);
    std::string refused;
    const auto chosen = dialog.Operator().PromptFolder("Choose the package folder", "C:\\Backups",
                                                       [&](std::string_view folder) {
                                                           if (folder.ends_with("Monday")) {
                                                               refused = folder;
                                                               return false;
                                                           }
                                                           return true;
                                                       });
    EXPECT_EQ(prompts, 2);
    EXPECT_EQ(refused, "C:\\Backups\\Monday");
    EXPECT_EQ(chosen, std::optional<std::string>("C:\\Backups\\Tuesday"));
}

} // namespace
