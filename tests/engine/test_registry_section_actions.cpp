#include "engine/registry_content.h"
#include "engine/registry_section_actions.h"

#include "platform/profile.h"
#include "registry_engine_fixture.h"

#include <string>
#include <vector>

namespace tavo::test {
namespace {

constexpr const char* kKey = "SOFTWARE\\Vendor\\DVR";

class RegistrySectionActions : public RegistryEngineTest {
  protected:
    // One entry on HKEY_LOCAL_MACHINE\SOFTWARE\Vendor\DVR, with more keys after `extra`.
    void WriteEntry(std::string_view valueName, std::string_view extra = {}) const {
        WriteActionFile("[GENERAL]\nREGISTER_TREE_SECTION=1\n[REGISTER_TREE_SECTION]\nRTS_1_MAIN_KEY=4\n"
                        "RTS_1_SUB_KEY=" +
                        std::string(kKey) + "\nRTS_1_SECTION_KEY=" + std::string(valueName) + "\n" +
                        std::string(extra));
    }
    std::string Entry(std::string_view suffix) const {
        return plat::ProfileString(kActionFile, "REGISTER_TREE_SECTION", "RTS_1" + std::string(suffix),
                                   "<none>");
    }
};

TEST_F(RegistrySectionActions, AProductFolderPathTravelsAsTheTokenIntoAnotherInstallFolder) {
    SetText(kKey, "LogoFile", "C:\\DVR\\Logo.bmp");
    WriteEntry("LogoFile");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Entry("_SECTION_TYPE"), "1");
    EXPECT_EQ(Entry("_CONTENT"), "DVR\\Logo.bmp");

    Roots().activeProductFolder = "D:\\NewDVR\\";
    RestoreRegisterTreeSection(kActionFile, kPackage);
    std::uint32_t type = 0;
    EXPECT_EQ(Value(kKey, "LogoFile", &type), std::string("D:\\NewDVR\\Logo.bmp") + '\0');
    EXPECT_EQ(type, plat::kRegSz);

    // Another folder, or the product folder in another case, is kept as it is.
    for (const char* other : {"C:\\DVRX\\Logo.bmp", "c:\\dvr\\Logo.bmp"}) {
        SetText(kKey, "LogoFile", other);
        Roots().activeProductFolder = kDvr;
        PackupRegisterTreeSection(kActionFile, kPackage);
        EXPECT_EQ(Entry("_CONTENT"), other);
    }
    // An unknown product folder is no prefix of anything.
    Roots().activeProductFolder.clear();
    SetText(kKey, "LogoFile", "C:\\DVR\\Logo.bmp");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Entry("_CONTENT"), "C:\\DVR\\Logo.bmp");
}

TEST_F(RegistrySectionActions, ValuesOfEveryTypeRoundTripExactly) {
    struct Case {
        const char* what;
        std::uint32_t type;
        std::string bytes;
        const char* content;
        std::string restored; // what the restore stores
    };
    const Case cases[] = {
        {"dword 0", plat::kRegDword, std::string(4, '\0'), "hex:00,00,00,00", std::string(4, '\0')},
        {"dword 5", plat::kRegDword, std::string("\5\0\0\0", 4), "hex:05,00,00,00",
         std::string("\5\0\0\0", 4)},
        {"dword 0x100", plat::kRegDword, std::string("\0\1\0\0", 4), "hex:00,01,00,00",
         std::string("\0\1\0\0", 4)},
        {"binary with zero bytes", plat::kRegBinary, std::string("\xff\0\x7f\0", 4), "hex:ff,00,7f,00",
         std::string("\xff\0\x7f\0", 4)},
        {"multi-string", plat::kRegMultiSz, std::string("a\0b\0\0", 5), "hex:61,00,62,00,00",
         std::string("a\0b\0\0", 5)},
        {"text", plat::kRegSz, std::string("Blue\0", 5), "Blue", std::string("Blue\0", 5)},
        {"expandable text", plat::kRegExpandSz, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x",
         std::string("%TEMP%\\x\0", 9)},
    };
    for (const Case& c : cases) {
        SetValue(kKey, "V", c.type, c.bytes);
        WriteEntry("V");
        PackupRegisterTreeSection(kActionFile, kPackage);
        EXPECT_EQ(Entry("_SECTION_TYPE"), std::to_string(c.type)) << c.what;
        EXPECT_EQ(Entry("_CONTENT"), c.content) << c.what;
        SetValue(kKey, "V", plat::kRegSz, "changed");
        RestoreRegisterTreeSection(kActionFile, kPackage);
        std::uint32_t type = 0;
        EXPECT_EQ(Value(kKey, "V", &type), c.restored) << c.what;
        EXPECT_EQ(type, c.type) << c.what;
    }
}

TEST_F(RegistrySectionActions, ContentsOfEarlierPackagesRestoreAsTheyDid) {
    struct Case {
        const char* what;
        const char* type;
        const char* content;
        std::string stored;
    };
    const Case cases[] = {
        {"text bytes of a dword", "4", "\x05", "\x05"},
        {"no type: binary", nullptr, "abc", "abc"},
        {"a text that looks like hex", "1", "hex:41", std::string("hex:41\0", 7)},
    };
    for (const Case& c : cases) {
        WriteEntry("Old", std::string(c.type ? "RTS_1_SECTION_TYPE=" + std::string(c.type) + "\n" : "") +
                              "RTS_1_CONTENT=" + c.content + "\n");
        RestoreRegisterTreeSection(kActionFile, kPackage);
        EXPECT_EQ(Value(kKey, "Old"), c.stored) << c.what;
    }
    // A hex form that is not well made sets nothing.
    WriteEntry("Bad", "RTS_1_SECTION_TYPE=4\nRTS_1_CONTENT=hex:0g,00\n");
    RestoreRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Value(kKey, "Bad"), "<missing>");
    EXPECT_EQ(DataOfContent(plat::kRegBinary, "hex:"), std::string());
    for (const char* bad : {"hex:0", "hex:00,", "hex:00,,01", "hex:000"})
        EXPECT_FALSE(DataOfContent(plat::kRegBinary, bad)) << bad;
}

TEST_F(RegistrySectionActions, APackupThatCannotReadTheValueKeepsTheEarlierContent) {
    WriteEntry("Gone", "RTS_1_SECTION_TYPE=1\nRTS_1_CONTENT=earlier\n");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Entry("_CONTENT"), "earlier");
    SetValue(kKey, "Gone", plat::kRegSz, std::string(300, 'x'));
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Entry("_CONTENT"), "earlier") << "a value too long for its entry is skipped whole";
    SetValue(kKey, "Gone", plat::kRegBinary, "");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Entry("_CONTENT"), "earlier");
    EXPECT_EQ(Logged(RunEvent::Copied), 0u);
}

TEST_F(RegistrySectionActions, AnEmptyStoredContentDeletesTheLiveValue) {
    SetText(kKey, "Logo", "C:\\DVR\\Logo.bmp");
    WriteEntry("Logo", "RTS_1_ACTION=3\nRTS_1_SECTION_TYPE=1\nRTS_1_CONTENT=\n");
    RestoreRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Value(kKey, "Logo"), "<missing>");
    EXPECT_EQ(Logged(RunEvent::Copied), 0u) << "no file follows an empty content";
}

TEST_F(RegistrySectionActions, TheNamedFileAndFolderTravelWithTheValue) {
    SetText(kKey, "Logo", "C:\\DVR\\Logo.bmp");
    Write("C:\\DVR\\Logo.bmp", "logo");
    WriteEntry("Logo", "RTS_1_ACTION=3\n");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\Pkg\\Logo.bmp"), "logo");

    SetText(kKey, "Data", "C:\\DVR\\");
    Write("C:\\DVR\\Skin\\Night\\a.bmp", "skin");
    WriteEntry("Data", "RTS_1_ACTION=7\nRTS_1_DIRECTORY=Skin\\\n");
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\Pkg\\Skin\\Night\\a.bmp"), "skin");

    // Restored into another install folder, made when missing.
    Roots().activeProductFolder = "C:\\NewDVR\\";
    RestoreRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Value(kKey, "Data"), std::string("C:\\NewDVR\\\0", 11));
    EXPECT_EQ(Read("C:\\NewDVR\\Skin\\Night\\a.bmp"), "skin");
    WriteEntry("Logo", "RTS_1_ACTION=3\nRTS_1_SECTION_TYPE=1\nRTS_1_CONTENT=DVR\\Logo.bmp\n");
    RestoreRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Read("C:\\NewDVR\\Logo.bmp"), "logo");

    // A value that is no text names no file.
    SetValue(kKey, "Count", plat::kRegDword, std::string("\5\0\0\0", 4));
    WriteEntry("Count", "RTS_1_ACTION=3\n");
    CurrentRunLog().Clear();
    PackupRegisterTreeSection(kActionFile, kPackage);
    EXPECT_EQ(Logged(RunEvent::Copied), 1u) << "the value only";
}

TEST_F(RegistrySectionActions, AResetDeletesMarkedValuesAndTheirFilesButNeverTheShellsValue) {
    SetText(kKey, "Logo", "C:\\DVR\\Logo.bmp");
    SetText(kKey, "Explorer.exe", "C:\\DVR\\Shell.bmp");
    SetText(kKey, "Kept", "C:\\DVR\\Kept.bmp");
    SetText(kKey, "Data", "C:\\DVR\\");
    for (const char* file : {"Logo.bmp", "Shell.bmp", "Kept.bmp", "Skin\\a.bmp", "Skin\\Tool.exe"})
        Write(std::string("C:\\DVR\\") + file, "x");
    WriteActionFile("[GENERAL]\nREGISTER_TREE_SECTION=4\n[REGISTER_TREE_SECTION]\n"
                    "RTS_1_MAIN_KEY=4\nRTS_1_SUB_KEY=SOFTWARE\\Vendor\\DVR\nRTS_1_SECTION_KEY=Logo\n"
                    "RTS_1_ACTION=3\nRTS_1_DELETE=1\n"
                    "RTS_2_MAIN_KEY=4\nRTS_2_SUB_KEY=SOFTWARE\\Vendor\\DVR\nRTS_2_SECTION_KEY=Explorer.exe\n"
                    "RTS_2_ACTION=3\nRTS_2_DELETE=1\n"
                    "RTS_3_MAIN_KEY=4\nRTS_3_SUB_KEY=SOFTWARE\\Vendor\\DVR\nRTS_3_SECTION_KEY=Kept\n"
                    "RTS_3_ACTION=3\n"
                    "RTS_4_MAIN_KEY=4\nRTS_4_SUB_KEY=SOFTWARE\\Vendor\\DVR\nRTS_4_SECTION_KEY=Data\n"
                    "RTS_4_ACTION=5\nRTS_4_DIRECTORY=Skin\\\nRTS_4_DELETE=1\n");
    DefaultsRegisterTreeSection(kActionFile, "");
    EXPECT_EQ(Steps(), 4u);
    EXPECT_EQ(Value(kKey, "Logo"), "<missing>");
    EXPECT_FALSE(Exists("C:\\DVR\\Logo.bmp"));
    EXPECT_NE(Value(kKey, "explorer.exe"), "<missing>");
    EXPECT_TRUE(IsFile("C:\\DVR\\Shell.bmp"));
    EXPECT_NE(Value(kKey, "Kept"), "<missing>");
    EXPECT_TRUE(IsFile("C:\\DVR\\Kept.bmp"));
    EXPECT_EQ(Value(kKey, "Data"), "<missing>");
    EXPECT_FALSE(Exists("C:\\DVR\\Skin\\a.bmp"));
    EXPECT_TRUE(IsFile("C:\\DVR\\Skin\\Tool.exe"));
}

} // namespace
} // namespace tavo::test
