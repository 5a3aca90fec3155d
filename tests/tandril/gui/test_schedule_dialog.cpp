// The schedule dialog offscreen, driven through its controls: texts, enabling, the messages of OK
// and the schedule service woken in another process.
#include "../schedule_fixture.h"
#include "support/kernel_peer.h"
#include "tandril/core/schedule_texts.h"
#include "tandril/gui/schedule_setting_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace tavo::test {
namespace {

using tandril::gui::ScheduleSettingDialog;

class ScheduleDialog : public ScheduleTest {
  protected:
    template <typename Widget> static Widget* Control(QWidget& dialog, const char* id) {
        auto* widget = dialog.findChild<Widget*>(QLatin1String(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    static void Click(QWidget& dialog, const char* id) { Control<QAbstractButton>(dialog, id)->click(); }
    // Clicks the week-day or day-of-month list and moves its selection down `steps` items by keys.
    static void StepDown(QWidget& dialog, const char* id, int steps) {
        auto* list = Control<QComboBox>(dialog, id);
        list->setFocus();
        for (int i = 0; i < steps; ++i)
            QTest::keyClick(list, Qt::Key_Down);
    }
    static void Type(QWidget& dialog, const char* id, const QString& text) {
        QTest::keyClicks(Control<QLineEdit>(dialog, id), text);
    }
    static QString TextOf(QWidget& dialog, const char* id) {
        QWidget* widget = Control<QWidget>(dialog, id);
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
        if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
        if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
        return {};
    }
    // The ids of the enabled controls among those a schedule can disable.
    static QStringList Enabled(QWidget& dialog) {
        QStringList ids;
        for (const char* id : {"2002", "2003", "2004", "2005", "2006", "2010", "2011", "2012", "2013", "2014",
                               "2017", "2020", "2021", "2023", "2025"})
            if (Control<QWidget>(dialog, id)->isEnabled()) ids << QLatin1String(id);
        return ids;
    }
};

TEST_F(ScheduleDialog, ShowsEveryControlOfTheTemplateWithItsText) {
    ScheduleSettingDialog dialog(Privilege(), &op);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tavo Schedule Setting"));
    const std::pair<const char*, const char*> texts[] = {{"2021", "Active Schedule"},
                                                         {"2001", "Schedule Type"},
                                                         {"2002", "Daily Schedule"},
                                                         {"2003", "Weekly Schedule"},
                                                         {"2004", "Monthly Schedule"},
                                                         {"2007", "Backup Setting"},
                                                         {"2009", "DVR:"},
                                                         {"2011", "Password"},
                                                         {"2010", "General"},
                                                         {"2012", "Schedule"},
                                                         {"2013", "POS/KW-Wiegand"},
                                                         {"2014", "Network"},
                                                         {"2008", "Login Information"},
                                                         {"2018", "User ID :"},
                                                         {"2019", "Password :"},
                                                         {"2022", "Save Path"},
                                                         {"2025", "..."},
                                                         {"1", "OK"},
                                                         {"2", "Cancel"}};
    for (const auto& [id, text] : texts)
        EXPECT_EQ(TextOf(dialog, id), QLatin1String(text)) << id;
    auto* weekDays = Control<QComboBox>(dialog, "2005");
    ASSERT_EQ(weekDays->count(), 7);
    EXPECT_EQ(weekDays->itemText(0), QStringLiteral("Sun"));
    EXPECT_EQ(weekDays->itemText(6), QStringLiteral("Sat"));
    auto* monthDays = Control<QComboBox>(dialog, "2006");
    ASSERT_EQ(monthDays->count(), 31);
    EXPECT_EQ(monthDays->itemText(30), QStringLiteral("31"));
    EXPECT_EQ(Control<QLineEdit>(dialog, "2020")->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(Control<QLineEdit>(dialog, "2023")->isReadOnly());
    EXPECT_EQ(Control<QLineEdit>(dialog, "2023")->text(), QStringLiteral("C:\\Lib\\Tavo_SCHE_Data\\"));

    // No schedule yet: all but the switch and the save path wait for the schedule to be switched on.
    EXPECT_FALSE(Control<QCheckBox>(dialog, "2021")->isChecked());
    EXPECT_EQ(Enabled(dialog), (QStringList{"2021", "2023", "2025"}));
    Click(dialog, "2021");
    EXPECT_EQ(Enabled(dialog), (QStringList{"2002", "2003", "2004", "2010", "2011", "2012", "2013", "2014",
                                            "2017", "2020", "2021", "2023", "2025"}));
    EXPECT_TRUE(Control<QRadioButton>(dialog, "2002")->isChecked());
    Click(dialog, "2004");
    EXPECT_TRUE(Control<QComboBox>(dialog, "2006")->isEnabled());
    Click(dialog, "2003");
    EXPECT_TRUE(Control<QComboBox>(dialog, "2005")->isEnabled());
    EXPECT_FALSE(Control<QComboBox>(dialog, "2006")->isEnabled());
    Click(dialog, "2021");
    EXPECT_EQ(Enabled(dialog), (QStringList{"2021", "2023", "2025"}));
}

TEST_F(ScheduleDialog, ShowsTheStoredScheduleAndCancelWritesNothing) {
    const std::string stored = std::string("[Path]\r\nSERVICE_Path=C:\\Lib\\\r\nSave_Path=C:\\Backups\\\r\n"
                                           "[Schedule_Setting]\r\nActive=1\r\nCount=1\r\nType=2\r\nDaySelect="
                                           "14\r\n[Backup_Select]\r\n3=0\r\n[Param]\r\nlParam=") +
                               kScrambledAdmin + "\r\nwParam=" + kScrambledPw + "\r\n";
    prefix.WriteHost(kSettingsFile, stored);
    ScheduleSettingDialog dialog(Privilege(), &op);
    dialog.show();
    EXPECT_TRUE(Control<QCheckBox>(dialog, "2021")->isChecked());
    EXPECT_TRUE(Control<QRadioButton>(dialog, "2004")->isChecked());
    EXPECT_EQ(Control<QComboBox>(dialog, "2006")->currentText(), QStringLiteral("15"));
    EXPECT_FALSE(Control<QComboBox>(dialog, "2005")->isEnabled());
    EXPECT_FALSE(Control<QCheckBox>(dialog, "2012")->isChecked());
    EXPECT_TRUE(Control<QCheckBox>(dialog, "2013")->isChecked());
    EXPECT_EQ(Control<QLineEdit>(dialog, "2017")->text(), QStringLiteral("admin"));
    EXPECT_EQ(Control<QLineEdit>(dialog, "2020")->text(), QStringLiteral("pw"));
    EXPECT_EQ(Control<QLineEdit>(dialog, "2023")->text(), QStringLiteral("C:\\Backups\\"));

    op.AnswerFolder("C:\\Elsewhere");
    Click(dialog, "2025");
    EXPECT_EQ(Control<QLineEdit>(dialog, "2023")->text(), QStringLiteral("C:\\Elsewhere\\"));
    Click(dialog, "2");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(prefix.ReadHost(kSettingsFile), stored);
}

TEST_F(ScheduleDialog, OkShowsWhyItCannotSaveAndStaysOpen) {
    ScheduleSettingDialog dialog(Privilege(), &op);
    dialog.show();
    Click(dialog, "2021");
    for (const char* id : {"2010", "2011", "2012", "2013", "2014"})
        Click(dialog, id);
    Type(dialog, "2017", QStringLiteral("admin"));
    Click(dialog, "1");
    Click(dialog, "2013");
    QTest::keyClick(Control<QLineEdit>(dialog, "2017"), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Control<QLineEdit>(dialog, "2017"), Qt::Key_Backspace);
    Click(dialog, "1");
    // A user ID holding a character that scrambles to the key would be saved cut short.
    Type(dialog, "2017", QStringLiteral("Andr\u00C9"));
    Click(dialog, "1");
    EXPECT_EQ(
        op.CallsStartingWith("message"),
        (std::vector<std::string>{"message[Exclamation,Ok] Please select at least one Backup setting.",
                                  "message[Exclamation,Ok] This ID/PW does not have the permission to "
                                  "back up system.",
                                  std::string("message[Exclamation,Ok] ") + tandril::kUnstorableLoginText}));
    EXPECT_TRUE(privileges.empty());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(Exists(kServiceList));
}

TEST_F(ScheduleDialog, OkSavesTheScheduleAndWakesTheServiceInAnotherProcess) {
    KernelPeer service(KERNEL_PEER, prefix.host(),
                       {"serve-event", "Global\\8330_KWService_Search_Schedule", "20000"});
    ASSERT_EQ(service.Line(), "ready");

    ScheduleSettingDialog dialog(Privilege(), &op);
    dialog.show();
    Click(dialog, "2021");
    Click(dialog, "2003");
    StepDown(dialog, "2005", 2);
    Type(dialog, "2017", QStringLiteral("admin"));
    Type(dialog, "2020", QStringLiteral("pw"));
    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << op.Transcript();
    EXPECT_EQ(service.Line(), "0"); // the wait was satisfied

    ASSERT_EQ(records.size(), 1u);
    const tandril::LoginRecord expected = tandril::MakeLoginRecord("admin", "pw");
    EXPECT_EQ(records[0], std::string(expected.begin(), expected.end()));
    EXPECT_EQ(prefix.ReadHost(kSettingsFile), SettingsFile(1, 2));
    EXPECT_EQ(prefix.ReadHost(kServiceList), ServiceList("Tavo_DVR_D00100000_000099.kwj"));
    EXPECT_EQ(prefix.ReadHost(Database("Tavo_DVR_D00100000_000099.kwj")), DatabaseContents());
}

} // namespace
} // namespace tavo::test
