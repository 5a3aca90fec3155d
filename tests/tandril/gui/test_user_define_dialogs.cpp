// The list and edit dialogs of user-defined applications, driven through their buttons.
#include "platform/profile.h"
#include "tandril/gui/user_define_edit_dialog.h"
#include "tandril/gui/user_define_list_dialog.h"
#include "../tandril_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>

namespace tavo::test {
namespace {

class UserDefineDialogs : public TandrilTest {
  protected:
    UserDefineDialogs() {
        prefix.WriteHost(kTextFile, "[General]\r\nText_X81_Title_UserDefine=User Define\r\nText_BTN_OK=OK\r\n"
                                    "Text_X81_Title_Add=Add one\r\n[UserDefine]\r\nText_X81_BTN_Add=Add\r\n"
                                    "Text_X81_Header_1=Name\r\n");
        plat::WriteProfileString("OrvMulti.ini", "General", "InstallPath", "C:\\Suite\\Dvr.exe");
        prefix.WriteHost("C:\\Suite\\CommRes\\skinNTSC_e.ini", "");
    }

    static QPushButton* ButtonOf(QWidget& dialog, const char* id) {
        return dialog.findChild<QPushButton*>(QLatin1String(id));
    }
    static QTreeWidget* ListOf(QWidget& dialog) {
        return dialog.findChild<QTreeWidget*>(QStringLiteral("2000"));
    }

    // Clicks `button` of the list dialog; the edit dialog it opens is filled by `fill` and closed
    // with OK (or Cancel when `accept` is false).
    void Edit(QWidget& list, const char* button, const std::function<void(QWidget&)>& fill,
              bool accept = true) {
        bool edited = false;
        QTimer::singleShot(0, [&] {
            QWidget* edit = QApplication::activeModalWidget();
            ASSERT_NE(edit, nullptr);
            ASSERT_NE(edit, &list);
            fill(*edit);
            ButtonOf(*edit, accept ? "1" : "2")->click();
            edited = true;
        });
        ButtonOf(list, button)->click();
        EXPECT_TRUE(edited);
    }
    // Fills name and parameters and chooses `file` through the operator.
    std::function<void(QWidget&)> Entry(const char* name, const char* file, const char* param) {
        return [this, name, file, param](QWidget& edit) {
            edit.findChild<QLineEdit*>(QStringLiteral("1021"))->setText(QString::fromLatin1(name));
            edit.findChild<QLineEdit*>(QStringLiteral("1023"))->setText(QString::fromLatin1(param));
            op.AnswerFile(file);
            ButtonOf(edit, "1020")->click();
        };
    }
};

TEST_F(UserDefineDialogs, AddModifyRemoveAndOkWriteTheListAndTheButton) {
    WriteUserDefines(Numbered(2));
    tandril::gui::UserDefineListDialog dialog(&op);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("User Define"));
    QTreeWidget* list = ListOf(dialog);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Name"));
    EXPECT_FALSE(ButtonOf(dialog, "4")->isEnabled());
    EXPECT_FALSE(ButtonOf(dialog, "5")->isEnabled());

    Edit(dialog, "3", Entry("Viewer", "C:\\Apps\\viewer.exe", "-full"));
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("C:\\Apps\\viewer.exe"));

    // A click on a row selects it; one below the rows takes the selection away.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    EXPECT_TRUE(ButtonOf(dialog, "4")->isEnabled());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    EXPECT_FALSE(ButtonOf(dialog, "4")->isEnabled());

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(0)).center());
    Edit(dialog, "4", [](QWidget& edit) {
        edit.findChild<QLineEdit*>(QStringLiteral("1021"))->setText(QStringLiteral("Renamed"));
    });
    EXPECT_EQ(list->topLevelItem(0)->text(0), QStringLiteral("Renamed"));
    ButtonOf(dialog, "5")->click(); // removes "Renamed"; App2 takes its place and stays selected
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_TRUE(list->topLevelItem(0)->isSelected());
    EXPECT_EQ(tandril::GetUserDefineCount(), 2); // nothing written before OK

    ButtonOf(dialog, "1")->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const std::vector<tandril::UserDefineEntry> saved = tandril::LoadUserDefines();
    ASSERT_EQ(saved.size(), 2u);
    EXPECT_EQ(saved[0].application, "App2");
    EXPECT_EQ(saved[1], (tandril::UserDefineEntry{"Viewer", "C:\\Apps\\viewer.exe", "-full"}));
    // 2 -> 2: the launcher writer was told and had nothing to change.
    EXPECT_EQ(prefix.ReadHost("C:\\Suite\\CommRes\\skinNTSC_e.ini"), "");
}

TEST_F(UserDefineDialogs, CancelWritesNothingAndTheCountReachesTheWriter) {
    WriteUserDefines({});
    {
        tandril::gui::UserDefineListDialog dialog(&op);
        dialog.show();
        Edit(dialog, "3", Entry("Viewer", "C:\\Apps\\viewer.exe", ""));
        ButtonOf(dialog, "2")->click();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(tandril::GetUserDefineCount(), 0);
    EXPECT_EQ(prefix.ReadHost("C:\\Suite\\CommRes\\skinNTSC_e.ini"), "");

    tandril::gui::UserDefineListDialog dialog(&op);
    dialog.show();
    Edit(dialog, "3", Entry("Viewer", "C:\\Apps\\viewer.exe", ""));
    ButtonOf(dialog, "1")->click();
    // 0 -> 1: the button appears, its tooltip the one application's name.
    EXPECT_EQ(plat::ProfileString("C:\\Suite\\CommRes\\skinNTSC_e.ini", "ButtonLines", "5"),
              "CommRes\\UserDefineUp.bmp");
    EXPECT_EQ(plat::ProfileString("C:\\Suite\\CommRes\\skinNTSC_e.ini", "Button5", "1"),
              "USER,734,375,0,0,56,32,Viewer,FALSE");
}

TEST_F(UserDefineDialogs, TheListTakesTwentyAndNoMore) {
    WriteUserDefines(Numbered(25));
    tandril::gui::UserDefineListDialog full(&op);
    EXPECT_EQ(ListOf(full)->topLevelItemCount(), 20);
    EXPECT_FALSE(ButtonOf(full, "3")->isEnabled());

    WriteUserDefines(Numbered(19));
    tandril::gui::UserDefineListDialog dialog(&op);
    dialog.show();
    EXPECT_TRUE(ButtonOf(dialog, "3")->isEnabled());
    Edit(dialog, "3", Entry("Twentieth", "C:\\Apps\\t.exe", ""));
    EXPECT_FALSE(ButtonOf(dialog, "3")->isEnabled());
    // An edit closed with Cancel adds nothing.
    QTest::mouseClick(ListOf(dialog)->viewport(), Qt::LeftButton, {},
                      ListOf(dialog)->visualItemRect(ListOf(dialog)->topLevelItem(0)).center());
    ButtonOf(dialog, "5")->click();
    EXPECT_TRUE(ButtonOf(dialog, "3")->isEnabled());
    Edit(dialog, "3", Entry("Cancelled", "C:\\Apps\\c.exe", ""), false);
    EXPECT_EQ(ListOf(dialog)->topLevelItemCount(), 19);
}

TEST_F(UserDefineDialogs, TheEditDialogLimitsItsFieldsAndNeedsAFile) {
    tandril::gui::UserDefineEditDialog edit(tandril::EditMode::Add, {}, op, nullptr);
    EXPECT_EQ(edit.windowTitle(), QStringLiteral("Add one"));
    EXPECT_FALSE(ButtonOf(edit, "1")->isEnabled());
    auto* name = edit.findChild<QLineEdit*>(QStringLiteral("1021"));
    EXPECT_EQ(name->maxLength(), 32);
    EXPECT_EQ(edit.findChild<QLineEdit*>(QStringLiteral("1022"))->maxLength(), 128);
    EXPECT_TRUE(edit.findChild<QLineEdit*>(QStringLiteral("1022"))->isReadOnly());
    EXPECT_EQ(edit.findChild<QLineEdit*>(QStringLiteral("1023"))->maxLength(), 100);
    op.CancelFile();
    ButtonOf(edit, "1020")->click();
    EXPECT_FALSE(ButtonOf(edit, "1")->isEnabled());
    op.AnswerFile("C:\\Apps\\caf\xe9.exe");
    ButtonOf(edit, "1020")->click();
    EXPECT_TRUE(ButtonOf(edit, "1")->isEnabled());
    name->setText(QStringLiteral("Caf\u00e9"));
    ButtonOf(edit, "1")->click();
    EXPECT_EQ(edit.values(), (tandril::UserDefineEntry{"Caf\xe9", "C:\\Apps\\caf\xe9.exe", ""}));
}

} // namespace
} // namespace tavo::test
