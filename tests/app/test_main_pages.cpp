// The main dialog's pages: the item page, the product pages with their trees, the item menus,
// Back and Next, on a small program folder.
#include "app/backup_restore_dlg.h"
#include "app/introduction_view.h"
#include "app/item_button.h"
#include "app/navigation_views.h"
#include "app/selection_tree_view.h"
#include "app/startup_state.h"
#include "catalogue/program_probes.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "support/kernel_peer.h"
#include "support/temp_prefix.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using tavo::HitPart;
using tavo::app::CBackupRestoreDlg;
using tavo::app::Startup;

// A program folder C:\Tavo\ with a settings INI of `items` item buttons, the three skinned buttons
// in text style, and a catalogue of five checked DVR items and one Nodera item.
class MainPages : public ::testing::Test {
  protected:
    explicit MainPages(int items = 2) {
        tavo::Roots() = {};
        tavo::Roots().programFolder = "C:\\Tavo\\";
        tavo::SetSettingsIniPath("C:\\Tavo\\Tavo.ini");
        Startup() = {};
        Startup().programFolder = "C:\\Tavo\\";
        Startup().title = "Tavo Restore";
        Startup().totalRestoreItems = items;
        std::string settings = "[General]\r\nRestore_TotalItemNum=" + std::to_string(items) +
                               "\r\nDescription_Title_Pt=180,4\r\nText_Description_Title=Restore"
                               "\r\nText_Description_Content=Pick an item\r\n"
                               "[TreeCtrl]\r\nFileOfTreeContent=\\Src\\Items.ini\r\n"
                               "[Exit]\r\nOriginalX=10\r\nOriginalY=400\r\nText=Exit\r\n"
                               "[Back]\r\nOriginalX=300\r\nOriginalY=400\r\nText=Back\r\n"
                               "[Next]\r\nOriginalX=400\r\nOriginalY=400\r\nText=Next\r\n"
                               "[Introduction]\r\nOriginalX=10\r\nOriginalY=340\r\nWidth=160\r\nHeight=40\r\n"
                               "[MSG_BOX]\r\nText_String_EXECUTE_WARNING_NDR=Nodera runs\r\n"
                               "Text_String_DVR_EXECUTE_WARNING=DVR runs\r\n"
                               "Text_String_DONE_RESTORE=DVR restored\r\n"
                               "Text_String_DONE_PACKUP=DVR packed up\r\n";
        for (int n = 1; n <= items; ++n) {
            const std::string y = std::to_string(40 + 80 * (n - 1));
            settings += "[Restore_Item" + std::to_string(n) + "]\r\nText=Item " + std::to_string(n) +
                        "\r\nText_Introduction=About item " + std::to_string(n) + "\r\nText_Tip=NULL\r\n" +
                        "OriginalX=10\r\nOriginalY=" + y + "\r\nWidth=64\r\nHeight=64\r\n";
        }
        prefix.WriteHost("C:\\Tavo\\Tavo.ini", settings);
        std::string catalogue = "[General]\r\nDVR_TotalItemNum=5\r\nNDR_TotalItemNum=1\r\n";
        std::string exportFile = "[DVR]\r\n";
        for (int n = 1; n <= 5; ++n) {
            catalogue += "[DVR_" + std::to_string(n) + "]\r\nText_Menu=Setting " + std::to_string(n) +
                         "\r\nSUB_ID_KEY=K" + std::to_string(n) + "\r\n";
            if (n == 1) catalogue += "File=Src\\Camera.ini\r\n";
            exportFile += "K" + std::to_string(n) + "=2\r\n";
        }
        catalogue += "[NDR_1]\r\nText_Menu=Server\r\nSUB_ID_KEY=S1\r\n";
        exportFile += "[NDR]\r\nS1=2\r\n";
        prefix.WriteHost("C:\\Tavo\\Src\\Items.ini", catalogue);
        prefix.WriteHost("C:\\Tavo\\Src\\Camera.ini", "[GENERAL]\r\nINI_WINDOW_PATH_ALL=1\r\n"
                                                      "[INI_WINDOW_PATH_ALL]\r\nIWPA_1=Camera.ini\r\n");
        prefix.WriteHost("C:\\WINDOWS\\OrvMulti.ini", "[General]\r\nInstallPath=C:\\DVR\\Main.exe\r\n");
        prefix.WriteHost("C:\\WINDOWS\\Camera.ini", "[Camera]\r\nName=Gate\r\n");
        prefix.WriteHost("C:\\Tavo\\Src\\Tavo.ini", exportFile);
    }

    // Presses an item button while a menu is answered with its entry `entry` (-1: closed).
    static void ChooseFromItemMenu(tavo::app::CItemButton& button, int entry) {
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* menu = qobject_cast<QMenu*>(widget);
                if (!menu || !menu->isVisible()) continue;
                poll.stop();
                if (entry >= 0) menu->setActiveAction(menu->actions().at(entry));
                QTest::keyClick(menu, entry >= 0 ? Qt::Key_Return : Qt::Key_Escape);
                return;
            }
        });
        poll.start(10);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
    }

    static bool ItemButtonsVisible(const CBackupRestoreDlg& dialog) {
        for (auto* button : dialog.ItemButtons())
            if (!button->isVisible()) return false;
        return !dialog.ItemButtons().empty();
    }

    static void ClickImage(tavo::app::SelectionTreeView& tree, tavo::ItemHandle item) {
        const QRect image = tree.PartRect(item, HitPart::Image);
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, image.center());
    }

    tavo::test::TempPrefix prefix;
};

// Answers every message box that comes up with OK and keeps its text.
class MessageAnswers {
  public:
    MessageAnswers() {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                texts.push_back(box->text().toStdString());
                box->accept();
            }
        });
        poll_.start(10);
    }
    std::vector<std::string> texts;

  private:
    QTimer poll_;
};

class EmptyItemPage : public MainPages {
  protected:
    EmptyItemPage() : MainPages(0) {}
};

TEST_F(EmptyItemPage, ShowsOnlyTheDescriptionExitAndIntroduction) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_TRUE(dialog.ItemButtons().empty());
    EXPECT_TRUE(dialog.Texts().Titles().empty());
    EXPECT_TRUE(dialog.DescriptionBox()->isVisible());
    EXPECT_EQ(dialog.DescriptionBox()->toPlainText(), QStringLiteral("Restore\nPick an item"));
    EXPECT_EQ(dialog.DescriptionBox()->pos(), QPoint(180, 4));
    EXPECT_TRUE(dialog.ExitView()->isVisible());
    EXPECT_TRUE(dialog.IntroductionView()->isVisible());
    EXPECT_FALSE(dialog.BackView()->isVisible());
    EXPECT_FALSE(dialog.NextView()->isVisible());
    for (int index = 0; index < 5; ++index)
        EXPECT_FALSE(dialog.Tree(index)->isVisible());
}

TEST_F(MainPages, TheItemPageHasAButtonAndTextsPerItemAndTheTreesAreLoaded) {
    CBackupRestoreDlg dialog;
    ASSERT_EQ(dialog.ItemButtons().size(), 2u);
    EXPECT_EQ(dialog.Texts().Titles(), (std::vector<std::string>{"Item 1", "Item 2"}));
    EXPECT_EQ(dialog.Texts().TitleRect(1).top, 120);
    EXPECT_EQ(dialog.Tree(0)->Model().Count(), 5);
    EXPECT_EQ(dialog.Tree(1)->Model().Count(), 1);
    EXPECT_EQ(dialog.Tree(0)->objectName(), QStringLiteral("1000"));
    EXPECT_EQ(dialog.Tree(4)->objectName(), QStringLiteral("1017"));
    EXPECT_EQ(dialog.TitleFont().weight(), QFont::Bold);
    EXPECT_GT(dialog.TitleFont().pixelSize(), dialog.TextFont().pixelSize());
}

TEST_F(MainPages, TheDvrMenuShowsTheDvrPageAndBackReturns) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    ChooseFromItemMenu(*dialog.ItemButtons()[0], -1);
    EXPECT_TRUE(dialog.Pages().ItemPageShown()) << "a closed menu does nothing";

    ChooseFromItemMenu(*dialog.ItemButtons()[0], 0);
    EXPECT_EQ(dialog.Pages().PageFlag(1), 5);
    EXPECT_TRUE(dialog.Tree(0)->isVisible());
    EXPECT_FALSE(ItemButtonsVisible(dialog));
    EXPECT_TRUE(dialog.BackView()->isVisible());
    EXPECT_TRUE(dialog.NextView()->isVisible());
    EXPECT_TRUE(dialog.NextView()->isEnabled());
    EXPECT_EQ(dialog.CurrentProduct(), 1);

    QTest::mouseClick(dialog.BackView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(dialog.Pages().ItemPageShown());
    EXPECT_FALSE(dialog.Tree(0)->isVisible());
    EXPECT_TRUE(ItemButtonsVisible(dialog));
    EXPECT_FALSE(dialog.BackView()->isVisible());
}

TEST_F(MainPages, ClearingEveryItemDisablesNextAndOneCheckEnablesIt) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.ShowDvrPage(5);
    tavo::app::SelectionTreeView& tree = *dialog.Tree(0);
    for (tavo::ItemHandle item = 0; item < 5; ++item) {
        EXPECT_TRUE(dialog.NextView()->isEnabled()) << "before clearing item " << item;
        ClickImage(tree, item);
    }
    EXPECT_EQ(tree.Model().SelectionCounter(), 0);
    EXPECT_FALSE(dialog.NextView()->isEnabled());
    ClickImage(tree, 2);
    EXPECT_TRUE(dialog.NextView()->isEnabled());
}

TEST_F(MainPages, AServerPageShowsUnlessItsProgramRunsAndBackClosesIt) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    {
        tavo::test::KernelPeer nodera(KERNEL_PEER, prefix.host(),
                                      {"hold-mutex", std::string(tavo::ProductProbes::ProbeName(2))});
        ASSERT_EQ(nodera.Line(), "ready");
        QString warning;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                warning = box->text();
                box->accept();
            }
        });
        answer.start(10);
        ChooseFromItemMenu(*dialog.ItemButtons()[1], 0);
        EXPECT_EQ(warning, QStringLiteral("Nodera runs"));
        EXPECT_TRUE(dialog.Pages().ItemPageShown()) << "the item page stays";
    }
    ChooseFromItemMenu(*dialog.ItemButtons()[1], 0);
    EXPECT_EQ(dialog.Pages().PageFlag(2), 5);
    EXPECT_EQ(dialog.CurrentProduct(), 2);
    EXPECT_TRUE(dialog.Tree(1)->isVisible());

    QTest::mouseClick(dialog.BackView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(dialog.Pages().ItemPageShown());
    EXPECT_FALSE(dialog.Tree(1)->isVisible());
    EXPECT_TRUE(ItemButtonsVisible(dialog));
}

TEST_F(MainPages, NextRestoresTheShownProductAndSaysSo) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    prefix.WriteHost("C:\\Tavo\\Camera.ini", "[Camera]\r\nName=Yard\r\n");
    ChooseFromItemMenu(*dialog.ItemButtons()[0], 0);
    MessageAnswers answers;
    QTest::mouseClick(dialog.NextView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(answers.texts, (std::vector<std::string>{"DVR restored"}));
    EXPECT_EQ(prefix.ReadHost("C:\\WINDOWS\\Camera.ini"), "[Camera]\r\nName=Yard\r\n");
    EXPECT_FALSE(dialog.progressBar()->isVisible());
    EXPECT_TRUE(dialog.Tree(0)->isVisible()) << "the page stays after the run";
}

TEST_F(MainPages, ARunningDvrIsNotRestored) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    prefix.WriteHost("C:\\Tavo\\Camera.ini", "[Camera]\r\nName=Yard\r\n");
    ChooseFromItemMenu(*dialog.ItemButtons()[0], 0);
    tavo::test::KernelPeer dvr(KERNEL_PEER, prefix.host(),
                               {"hold-mutex", std::string(tavo::ProductProbes::ProbeName(1))});
    ASSERT_EQ(dvr.Line(), "ready");
    MessageAnswers answers;
    QTest::mouseClick(dialog.NextView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(answers.texts, (std::vector<std::string>{"DVR runs"}));
    EXPECT_EQ(prefix.ReadHost("C:\\WINDOWS\\Camera.ini"), "[Camera]\r\nName=Gate\r\n");
    EXPECT_TRUE(dialog.Tree(0)->isVisible());
}

TEST_F(MainPages, ARightClickOnTheDvrItemOffersThePackupWhoseNextPacksUp) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        poll.stop();
        EXPECT_EQ(menu->actions().at(0)->text(), QStringLiteral("Backup Current System"));
        menu->setActiveAction(menu->actions().at(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll.start(10);
    auto* dvrItem = dialog.ItemButtons()[0];
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), dvrItem->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(dvrItem, &rightClick);
    ASSERT_TRUE(dialog.PackupMode());
    ASSERT_TRUE(dialog.Tree(0)->isVisible());

    MessageAnswers answers;
    QTest::mouseClick(dialog.NextView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(answers.texts, (std::vector<std::string>{"DVR packed up"}));
    EXPECT_EQ(prefix.ReadHost("C:\\Tavo\\Camera.ini"), "[Camera]\r\nName=Gate\r\n");

    QTest::mouseClick(dialog.BackView(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(dialog.PackupMode()) << "Back ends the packup mode";
}

TEST_F(MainPages, NothingToDoShowsNoBarAndNoMessage) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    // Nodera's only item names no action file: the census finds nothing.
    ChooseFromItemMenu(*dialog.ItemButtons()[1], 0);
    ASSERT_TRUE(dialog.Tree(1)->isVisible());
    MessageAnswers answers;
    QTest::mouseClick(dialog.NextView(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::qWait(50);
    EXPECT_TRUE(answers.texts.empty());
    EXPECT_FALSE(dialog.progressBar()->isVisible());
}

TEST_F(MainPages, ARightClickOnTheWindowOffersTheCustomLogoAndTheUserDefineDialogs) {
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const struct {
        int entry;
        const char* dialogClass;
    } choices[] = {{0, "CCustomLogoDlg"}, {1, "UserDefineListDialog"}};
    for (const auto& choice : choices) {
        QStringList menuEntries;
        QString opened;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    menuEntries << action->text();
                menu->setActiveAction(menu->actions().at(choice.entry));
                QTest::keyClick(menu, Qt::Key_Return);
            } else if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                       other && other != &dialog) {
                opened = other->metaObject()->className();
                other->reject();
            }
        });
        poll.start(10);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(300, 5),
                                     dialog.mapToGlobal(QPoint(300, 5)));
        QApplication::sendEvent(&dialog, &rightClick);
        EXPECT_EQ(menuEntries,
                  (QStringList{QStringLiteral("Custom Logo..."), QStringLiteral("User Define Setting...")}));
        EXPECT_TRUE(opened.endsWith(QLatin1String(choice.dialogClass))) << opened.toStdString();
    }
}

TEST_F(MainPages, RightToLeftMirrorsTheWindowAndItsControls) {
    Startup().rightToLeft = 1;
    CBackupRestoreDlg dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
    const QRect tree = dialog.Tree(0)->geometry();
    Startup().rightToLeft = 0;
    CBackupRestoreDlg leftToRight;
    leftToRight.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&leftToRight));
    const QRect plain = leftToRight.Tree(0)->geometry();
    EXPECT_EQ(tree.width(), plain.width());
    EXPECT_EQ(tree.left(), dialog.width() - plain.right() - 1);
}

TEST_F(MainPages, ServerInstallFoldersComeFromTheCentralIniWithOneClosingBackslash) {
    prefix.WriteHost("C:\\WINDOWS\\OrvCMS.ini", "[Nodera]\r\nInstallPath=C:\\Nodera\r\n"
                                                "[PWT]\r\nInstallPath=C:\\Pulse\\\r\n"
                                                "[Watchdeck]\r\nAP_Path=\r\n");
    CBackupRestoreDlg dialog;
    EXPECT_EQ(tavo::InstallFolder(2), "C:\\Nodera\\");
    EXPECT_EQ(tavo::InstallFolder(8), "C:\\Pulse\\");
    EXPECT_EQ(tavo::InstallFolder(4), "");
    EXPECT_EQ(tavo::InstallFolder(16), "");
}

} // namespace
