// The custom logo dialog's model: the rows and columns from the settings INI, the default paths,
// the format check of a chosen bitmap and what OK stores in "BMP_LOGO" of "OrvPal.ini".
#include "catalogue/custom_logo.h"
#include "catalogue/logo_file_check.h"
#include "catalogue/logo_rows.h"
#include "demo/bmp_writer.h"
#include "engine/path_roots.h"
#include "engine/utilities.h"
#include "platform/files.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavo::test {
namespace {

std::string Bitmap24(int width, int height) {
    return demo::EncodeBmp24(width, height, [](int x, int y) { return static_cast<demo::Rgb>(x * 7 + y); });
}

std::string Bitmap8(int width, int height) {
    return demo::EncodeBmp8(width, height, [](int x, int y) { return static_cast<std::uint8_t>(x ^ y); });
}

// Four rows and three columns of texts that name their keys, and a DVR installed in D:\DVR\.
class CustomLogoTest : public ::testing::Test {
  protected:
    static constexpr const char* kSettings = "C:\\Tavo\\Tavo.ini";
    static constexpr const char* kPalette = "C:\\WINDOWS\\OrvPal.ini";

    CustomLogoTest() {
        Roots() = {};
        SetSettingsIniPath(kSettings);
        WriteSettings(4, 3);
        InstallPath("D:\\DVR\\Main.exe");
    }

    void WriteSettings(int rows, int columns, int texts = 4) const {
        std::string settings = "[Logo_File]\r\nItem_Count=" + std::to_string(rows) + "\r\n";
        for (int n = 1; n <= texts; ++n) {
            const std::string i = std::to_string(n);
            settings += "Text_String_BMP_TITLE_" + i + "=Title " + i + "\r\nText_String_FILE_WARNING_" + i +
                        "=Warning " + i + "\r\nText_String_BMP_FILE_" + i + "=Open " + i + "\r\n";
        }
        settings +=
            "[Logo_List_Header]\r\nItem_Count=" + std::to_string(columns) +
            "\r\nText_Title_Dialog_Logo=Custom Logo\r\nText_BTN_OK=Store\r\nText_BTN_CANCEL=Leave\r\n";
        for (int n = 1; n <= 5; ++n)
            settings += "Text_String_HEADER_" + std::to_string(n) + "=Header " + std::to_string(n) + "\r\n";
        prefix.WriteHost(kSettings, settings);
    }
    void InstallPath(const std::string& value) const {
        prefix.WriteHost("C:\\WINDOWS\\OrvMulti.ini", "[General]\r\nInstallPath=" + value + "\r\n");
    }
    std::vector<std::string> Paths(const CustomLogo& logo) const {
        std::vector<std::string> paths;
        for (const CustomLogo::Row& row : logo.Rows())
            paths.push_back(row.path);
        return paths;
    }

    TempPrefix prefix;
    ScriptedOperator op;
};

TEST_F(CustomLogoTest, OpeningShowsTheTextsAndTheStoredOrDefaultFileOfEachRow) {
    prefix.WriteHost(kPalette, "[BMP_LOGO]\r\nVerision=E:\\Art\\About.bmp\r\n");
    CustomLogo logo;
    logo.Open();
    EXPECT_EQ(logo.Title(), "Custom Logo");
    EXPECT_EQ(logo.OkText(), "Store");
    EXPECT_EQ(logo.CancelText(), "Leave");
    ASSERT_EQ(logo.Columns().size(), 3u);
    EXPECT_EQ(logo.Columns()[0].header, "Header 1");
    EXPECT_DOUBLE_EQ(logo.Columns()[0].widthShare, 0.30);
    EXPECT_DOUBLE_EQ(logo.Columns()[1].widthShare, 0.62);
    EXPECT_DOUBLE_EQ(logo.Columns()[2].widthShare, 0.05);
    ASSERT_EQ(logo.Rows().size(), 4u);
    EXPECT_EQ(logo.Rows()[2].title, "Title 3");
    EXPECT_EQ(logo.Rows()[2].warning, "Warning 3");
    EXPECT_EQ(logo.Rows()[2].fileTitle, "Open 3");
    EXPECT_EQ(Paths(logo),
              (std::vector<std::string>{"D:\\DVR\\CommRes\\Splash.bmp", "D:\\DVR\\CommRes\\camlogo.bmp",
                                        "D:\\DVR\\CommRes\\VLost.bmp", "E:\\Art\\About.bmp"}));
    // The folder read again is the DVR's path root from now on.
    EXPECT_EQ(InstallFolder(1), "D:\\DVR\\");
}

TEST_F(CustomLogoTest, WithoutAnInstallPathTheDefaultsStandUnderThePlaceholder) {
    InstallPath("");
    CustomLogo logo;
    logo.Open();
    EXPECT_EQ(logo.Rows()[2].path, "%DVR%\\CommRes\\VLost.bmp");
    EXPECT_EQ(InstallFolder(1), "");
}

TEST(DefaultLogoPath, JoinsTheCommResFolderWithOneBackslash) {
    EXPECT_EQ(DefaultLogoPath("D:\\DVR\\", "Splash.bmp"), "D:\\DVR\\CommRes\\Splash.bmp");
    EXPECT_EQ(DefaultLogoPath("D:\\DVR", "Splash.bmp"), "D:\\DVR\\CommRes\\Splash.bmp");
    EXPECT_EQ(DefaultLogoPath("", "About_Version.bmp"), "%DVR%\\CommRes\\About_Version.bmp");
}

TEST_F(CustomLogoTest, CountsBeyondTheTablesAreCutToFourRowsAndThreeColumns) {
    const struct {
        int rows, columns;
        std::size_t shownRows, shownColumns;
    } cases[] = {{9, 7, 4, 3}, {2, 1, 2, 1}, {0, 0, 0, 0}, {-3, -1, 0, 0}};
    for (const auto& c : cases) {
        WriteSettings(c.rows, c.columns, 9);
        CustomLogo logo;
        logo.Open();
        EXPECT_EQ(logo.Rows().size(), c.shownRows) << c.rows;
        EXPECT_EQ(logo.Columns().size(), c.shownColumns) << c.columns;
    }
}

TEST_F(CustomLogoTest, OnlyAWholeBitmapOfTheRowsFormatIsAccepted) {
    std::string topDown = Bitmap24(720, 576);
    topDown[22] = static_cast<char>(0xC0); // height -576
    topDown[23] = static_cast<char>(0xFD);
    topDown[24] = topDown[25] = static_cast<char>(0xFF);
    std::string coreHeader = Bitmap24(316, 272);
    coreHeader[14] = 12;
    std::string noSignature = Bitmap24(316, 272);
    noSignature[0] = 'X';
    const std::string whole = Bitmap24(720, 576);
    std::string garbage(4096, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = static_cast<char>(i * 131 + 17);

    const struct {
        const char* name;
        std::string bytes;
        int row;
        LogoFileCheck expected;
    } cases[] = {
        {"splash", Bitmap24(316, 272), 0, LogoFileCheck::Accepted},
        {"no video", Bitmap24(720, 576), 1, LogoFileCheck::Accepted},
        {"video lost", Bitmap24(720, 576), 2, LogoFileCheck::Accepted},
        {"about", Bitmap24(549, 109), 3, LogoFileCheck::Accepted},
        {"8-bit splash", Bitmap8(316, 272), 0, LogoFileCheck::Refused},
        {"other size", Bitmap24(720, 576), 0, LogoFileCheck::Refused},
        {"width and height swapped", Bitmap24(272, 316), 0, LogoFileCheck::Refused},
        {"top-down", topDown, 1, LogoFileCheck::Refused},
        {"12-byte core header", coreHeader, 0, LogoFileCheck::Refused},
        {"no BM", noSignature, 0, LogoFileCheck::Refused},
        {"header cut short", whole.substr(0, 30), 1, LogoFileCheck::Refused},
        {"pixels cut short", whole.substr(0, whole.size() - 1), 1, LogoFileCheck::Refused},
        {"text stub", "BM demo splash\n", 0, LogoFileCheck::Refused},
        {"empty", "", 0, LogoFileCheck::Refused},
        {"garbage", garbage, 0, LogoFileCheck::Refused},
    };
    for (const auto& c : cases) {
        prefix.WriteHost("C:\\Logos\\Chosen.bmp", c.bytes);
        EXPECT_EQ(CheckLogoFile("C:\\Logos\\Chosen.bmp", kLogoRows[static_cast<std::size_t>(c.row)]),
                  c.expected)
            << c.name;
    }
    EXPECT_EQ(CheckLogoFile("C:\\Logos\\Missing.bmp", kLogoRows[0]), LogoFileCheck::Unreadable);
    EXPECT_EQ(CheckLogoFile("C:\\Logos", kLogoRows[0]), LogoFileCheck::Unreadable);
}

TEST_F(CustomLogoTest, AnAcceptedFileIsStoredByOkAndNoOtherRowIsWritten) {
    prefix.WriteHost(kPalette, "[General]\r\nPAL=0\r\n\r\n[BMP_LOGO]\r\nCount=0\r\n");
    prefix.WriteHost("C:\\Logos\\Camera.bmp", Bitmap24(720, 576));
    CustomLogo logo;
    logo.Open();
    op.AnswerFile("C:\\Logos\\Camera.bmp");
    EXPECT_TRUE(logo.ChooseFile(1, op));
    EXPECT_EQ(op.calls(), std::vector<std::string>{
                              "file? Open 2 | D:\\DVR\\CommRes\\ | 24-bit BMP File (*.BMP)|*.BMP||"});
    EXPECT_EQ(logo.Rows()[1].path, "C:\\Logos\\Camera.bmp");
    EXPECT_TRUE(logo.Rows()[1].changed);
    EXPECT_TRUE(logo.Save(op));
    EXPECT_EQ(prefix.ReadHost(kPalette),
              "[General]\r\nPAL=0\r\n\r\n[BMP_LOGO]\r\nCount=0\r\nNoVideo=C:\\Logos\\Camera.bmp\r\n");
}

TEST_F(CustomLogoTest, AFileOfAnotherFormatShowsTheRowsWarningAndChangesNothing) {
    prefix.WriteHost("C:\\Logos\\Grey.bmp", Bitmap8(316, 272));
    CustomLogo logo;
    logo.Open();
    op.AnswerFile("C:\\Logos\\Grey.bmp").AnswerFile("C:\\Logos\\Gone.bmp");
    EXPECT_FALSE(logo.ChooseFile(0, op));
    EXPECT_EQ(op.CallsStartingWith("message"), std::vector<std::string>{"message[None,Ok] Warning 1"});
    // A file that cannot be opened is passed over without a word.
    EXPECT_FALSE(logo.ChooseFile(0, op));
    EXPECT_EQ(op.CallsStartingWith("message").size(), 1u);
    EXPECT_EQ(logo.Rows()[0].path, "D:\\DVR\\CommRes\\Splash.bmp");
    EXPECT_FALSE(logo.Rows()[0].changed);
    EXPECT_TRUE(logo.Save(op));
    EXPECT_FALSE(plat::FileAttributesEx(kPalette, nullptr, nullptr)) << "nothing to store, nothing written";
}

TEST_F(CustomLogoTest, AChoiceNeverOutlivesItsOpening) {
    prefix.WriteHost(kPalette, "[BMP_LOGO]\r\n");
    prefix.WriteHost("C:\\Logos\\Lost.bmp", Bitmap24(720, 576));
    CustomLogo logo;
    logo.Open();
    op.AnswerFile("C:\\Logos\\Lost.bmp");
    ASSERT_TRUE(logo.ChooseFile(2, op));
    // Cancel: the next opening starts without the choice, and its OK stores nothing.
    logo.Open();
    EXPECT_FALSE(logo.Rows()[2].changed);
    EXPECT_EQ(logo.Rows()[2].path, "D:\\DVR\\CommRes\\VLost.bmp");
    EXPECT_TRUE(logo.Save(op));
    EXPECT_EQ(prefix.ReadHost(kPalette), "[BMP_LOGO]\r\n");

    // A stored choice is not written again by a later opening's OK, over what changed since.
    op.AnswerFile("C:\\Logos\\Lost.bmp");
    ASSERT_TRUE(logo.ChooseFile(2, op));
    ASSERT_TRUE(logo.Save(op));
    prefix.WriteHost(kPalette, "[BMP_LOGO]\r\nVideoLost=F:\\Newer.bmp\r\n");
    logo.Open();
    EXPECT_EQ(logo.Rows()[2].path, "F:\\Newer.bmp");
    EXPECT_TRUE(logo.Save(op));
    EXPECT_EQ(prefix.ReadHost(kPalette), "[BMP_LOGO]\r\nVideoLost=F:\\Newer.bmp\r\n");
}

TEST_F(CustomLogoTest, APaletteThatCannotBeWrittenKeepsTheChoiceAndSaysSo) {
    prefix.WriteHost(kPalette, "[BMP_LOGO]\r\n");
    ASSERT_TRUE(plat::SetFileAttributesTo(kPalette, plat::kAttrReadOnly));
    prefix.WriteHost("C:\\Logos\\About.bmp", Bitmap24(549, 109));
    CustomLogo logo;
    logo.Open();
    op.AnswerFile("C:\\Logos\\About.bmp");
    ASSERT_TRUE(logo.ChooseFile(3, op));
    EXPECT_FALSE(logo.Save(op));
    EXPECT_EQ(op.CallsStartingWith("message"),
              std::vector<std::string>{"message[Exclamation,Ok] C:\\WINDOWS\\OrvPal.ini write failed!"});
    EXPECT_TRUE(logo.Rows()[3].changed);
    EXPECT_EQ(prefix.ReadHost(kPalette), "[BMP_LOGO]\r\n");

    ASSERT_TRUE(plat::SetFileAttributesTo(kPalette, plat::kAttrNormal));
    EXPECT_TRUE(logo.Save(op));
    EXPECT_EQ(prefix.ReadHost(kPalette), "[BMP_LOGO]\r\nVerision=C:\\Logos\\About.bmp\r\n");
}

} // namespace
} // namespace tavo::test
