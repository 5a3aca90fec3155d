// The custom logo dialog on screen: rows drawn from the settings INI, a double-click on a row
// choosing its file through the operator, OK storing only the rows accepted, Cancel storing nothing.
#include "app/custom_logo_dlg.h"
#include "app/startup_state.h"
#include "demo/bmp_writer.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "platform/files.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tavo::test {
namespace {

using app::CCustomLogoDlg;

class CustomLogoDialog : public ::testing::Test {
  protected:
    static constexpr const char* kPalette = "C:\\WINDOWS\\OrvPal.ini";
    static constexpr const char* kPaletteText = "[General]\r\nPAL=0\r\n\r\n[BMP_LOGO]\r\nCount=0\r\n";

    CustomLogoDialog() {
        Roots() = {};
        app::Startup() = {};
        SetSettingsIniPath("C:\\Tavo\\Tavo.ini");
        prefix.WriteHost(
            "C:\\Tavo\\Tavo.ini",
            "[Logo_File]\r\nItem_Count=4\r\n"
            "Text_String_BMP_TITLE_1=Splash\r\nText_String_BMP_TITLE_2=No video\r\n"
            "Text_String_BMP_TITLE_3=Video lost\r\nText_String_BMP_TITLE_4=About\r\n"
            "Text_String_FILE_WARNING_1=The splash picture must be a 24-bit bitmap of 316 x 272.\r\n"
            "Text_String_FILE_WARNING_2=The no-video picture must be a 24-bit bitmap of 720 x 576.\r\n"
            "Text_String_BMP_FILE_1=Splash picture\r\nText_String_BMP_FILE_2=No-video picture\r\n"
            "[Logo_List_Header]\r\nItem_Count=3\r\nText_String_HEADER_1=Picture\r\n"
            "Text_String_HEADER_2=File\r\nText_String_HEADER_3=\r\n"
            "Text_Title_Dialog_Logo=Custom Logo\r\nText_BTN_OK=OK\r\nText_BTN_CANCEL=Cancel\r\n");
        prefix.WriteHost("C:\\WINDOWS\\OrvMulti.ini", "[General]\r\nInstallPath=D:\\DVR\\Main.exe\r\n");
        prefix.WriteHost(kPalette, kPaletteText);
        prefix.WriteHost("C:\\Logos\\Camera.bmp", demo::EncodeBmp24(720, 576, [](int x, int) {
                             return 0x102030u * static_cast<unsigned>(x % 8);
                         }));
        prefix.WriteHost("C:\\Logos\\Grey.bmp", demo::EncodeBmp8(316, 272, [](int x, int y) {
                             return static_cast<std::uint8_t>(x + y);
                         }));
    }

    // As a person double-clicks: press, release, the double-click, release.
    static void DoubleClickRow(CCustomLogoDlg& dialog, int row) {
        QTreeWidget* list = dialog.List();
        const QPoint centre = list->visualItemRect(list->topLevelItem(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, centre);
    }
    static void Press(CCustomLogoDlg& dialog, int id) {
        QTest::mouseClick(dialog.findChild<QPushButton*>(QString::number(id)), Qt::LeftButton);
    }
    static QString Path(const CCustomLogoDlg& dialog, int row) {
        return dialog.List()->topLevelItem(row)->text(1);
    }

    TempPrefix prefix;
    ScriptedOperator op;
};

TEST_F(CustomLogoDialog, ShowsTheTemplateWithTheRowsOfTheSettings) {
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Custom Logo"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("1"))->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.findChild<QPushButton*>(QStringLiteral("2"))->text(), QStringLiteral("Cancel"));
    QTreeWidget* list = dialog.List();
    EXPECT_EQ(list->objectName(), QStringLiteral("1007"));
    ASSERT_EQ(list->columnCount(), 3);
    EXPECT_EQ(list->headerItem()->text(1), QStringLiteral("File"));
    EXPECT_FALSE(list->header()->sectionsClickable());
    EXPECT_EQ(list->columnWidth(1), static_cast<int>(list->viewport()->width() * 0.62));
    ASSERT_EQ(list->topLevelItemCount(), 4);
    EXPECT_EQ(list->topLevelItem(3)->text(0), QStringLiteral("About"));
    EXPECT_EQ(Path(dialog, 0), QStringLiteral("D:\\DVR\\CommRes\\Splash.bmp"));
    EXPECT_FALSE(list->topLevelItem(0)->icon(0).isNull());
}

TEST_F(CustomLogoDialog, ARightSizedFileForRowOneIsStoredAloneOnOk) {
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    op.AnswerFile("C:\\Logos\\Camera.bmp");
    DoubleClickRow(dialog, 1);
    EXPECT_EQ(op.CallsStartingWith("file?"),
              std::vector<std::string>{
                  "file? No-video picture | D:\\DVR\\CommRes\\ | 24-bit BMP File (*.BMP)|*.BMP||"});
    EXPECT_EQ(Path(dialog, 1), QStringLiteral("C:\\Logos\\Camera.bmp"));
    EXPECT_EQ(prefix.ReadHost(kPalette), kPaletteText) << "nothing is stored before OK";

    Press(dialog, CCustomLogoDlg::kIdOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(prefix.ReadHost(kPalette), std::string(kPaletteText) + "NoVideo=C:\\Logos\\Camera.bmp\r\n");
}

TEST_F(CustomLogoDialog, AnEightBitFileForRowZeroShowsItsWarning) {
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    op.AnswerFile("C:\\Logos\\Grey.bmp");
    DoubleClickRow(dialog, 0);
    EXPECT_EQ(op.CallsStartingWith("message"),
              std::vector<std::string>{
                  "message[None,Ok] The splash picture must be a 24-bit bitmap of 316 x 272."});
    EXPECT_EQ(Path(dialog, 0), QStringLiteral("D:\\DVR\\CommRes\\Splash.bmp"));
    Press(dialog, CCustomLogoDlg::kIdOk);
    EXPECT_EQ(prefix.ReadHost(kPalette), kPaletteText);
}

TEST_F(CustomLogoDialog, CancelAfterAnAcceptedFileStoresNothing) {
    {
        CCustomLogoDlg dialog(nullptr, &op);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        op.AnswerFile("C:\\Logos\\Camera.bmp");
        DoubleClickRow(dialog, 1);
        ASSERT_EQ(Path(dialog, 1), QStringLiteral("C:\\Logos\\Camera.bmp"));
        Press(dialog, CCustomLogoDlg::kIdCancel);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(prefix.ReadHost(kPalette), kPaletteText);

    // The next opening shows the stored state and its OK has nothing to store.
    CCustomLogoDlg again(nullptr, &op);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(Path(again, 1), QStringLiteral("D:\\DVR\\CommRes\\camlogo.bmp"));
    Press(again, CCustomLogoDlg::kIdOk);
    EXPECT_EQ(prefix.ReadHost(kPalette), kPaletteText);
}

TEST_F(CustomLogoDialog, AFailedStoreKeepsTheDialogOpenWithItsChoice) {
    ASSERT_TRUE(plat::SetFileAttributesTo(kPalette, plat::kAttrReadOnly));
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    op.AnswerFile("C:\\Logos\\Camera.bmp");
    DoubleClickRow(dialog, 1);
    Press(dialog, CCustomLogoDlg::kIdOk);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(op.CallsStartingWith("message").size(), 1u);
    EXPECT_EQ(Path(dialog, 1), QStringLiteral("C:\\Logos\\Camera.bmp"));
}

TEST_F(CustomLogoDialog, RightToLeftMirrorsTheControls) {
    app::Startup().rightToLeft = 1;
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.layoutDirection(), Qt::RightToLeft);
    const QWidget* ok = dialog.findChild<QPushButton*>(QStringLiteral("1"));
    // OK stands 182 dialog units from the leading edge: left of the middle when mirrored.
    EXPECT_LT(ok->geometry().center().x(), dialog.width() / 2);
}

TEST_F(CustomLogoDialog, TheDemoPackagesPicturesAreTakenOrRefusedWithItsTexts) {
    namespace fs = std::filesystem;
    fs::copy_file(fs::path(DEMO_SOURCE) / "Tavo.ini", prefix.HostOf("C:\\Tavo\\Tavo.ini"),
                  fs::copy_options::overwrite_existing);
    fs::copy(fs::path(DEMO_PACKAGE) / "Logos", prefix.HostOf("C:\\Tavo\\Logos"), fs::copy_options::recursive);
    CCustomLogoDlg dialog(nullptr, &op);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(dialog.List()->topLevelItemCount(), 4);
    const struct {
        int row;
        const char* file;
        bool taken;
    } choices[] = {{0, "Splash8bit.bmp", false}, {1, "NoVideo640.bmp", false}, {0, "Splash.bmp", true},
                   {1, "NoVideo.bmp", true},     {2, "VideoLost.bmp", true},   {3, "About.bmp", true}};
    for (const auto& choice : choices) {
        const std::string path = std::string("C:\\Tavo\\Logos\\") + choice.file;
        op.AnswerFile(path);
        DoubleClickRow(dialog, choice.row);
        EXPECT_EQ(Path(dialog, choice.row) == QString::fromStdString(path), choice.taken) << choice.file;
    }
    EXPECT_EQ(op.CallsStartingWith("message"),
              (std::vector<std::string>{
                  "message[None,Ok] The splash picture must be a 24-bit bitmap of 316 x 272 pixels.",
                  "message[None,Ok] The no-video picture must be a 24-bit bitmap of 720 x 576 pixels."}));
    Press(dialog, CCustomLogoDlg::kIdOk);
    EXPECT_EQ(prefix.ReadHost(kPalette), std::string(kPaletteText) +
                                             "Logo=C:\\Tavo\\Logos\\Splash.bmp\r\n"
                                             "NoVideo=C:\\Tavo\\Logos\\NoVideo.bmp\r\n"
                                             "VideoLost=C:\\Tavo\\Logos\\VideoLost.bmp\r\n"
                                             "Verision=C:\\Tavo\\Logos\\About.bmp\r\n");
}

} // namespace
} // namespace tavo::test
