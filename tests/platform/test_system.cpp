#include "platform/error.h"
#include "platform/system.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

namespace {

// ---- Computer name ----

TEST(ComputerNameTest, IsTheHostsFirstLabelUpperCasedCutTo15WithForeignCharactersAsDashes) {
    char host[HOST_NAME_MAX + 1] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    std::string label(host);
    label = label.substr(0, label.find('.')).substr(0, 15);

    std::string name = plat::ComputerNameText();
    ASSERT_EQ(name.size(), label.size());
    const std::string allowed = "!@#$%^&')(-_{}~";
    for (std::size_t i = 0; i < name.size(); ++i) {
        char c = label[i];
        char upper = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        bool kept = (upper >= 'A' && upper <= 'Z') || (upper >= '0' && upper <= '9') ||
                    allowed.find(upper) != std::string::npos;
        EXPECT_EQ(name[i], kept ? upper : '-') << i;
    }
}

TEST(ComputerNameTest, FollowsTheWin32BufferRules) {
    std::string expected = plat::ComputerNameText();
    auto length = static_cast<std::uint32_t>(expected.size());

    for (std::uint32_t tooSmall : {0u, length}) {
        char buffer[32] = "untouched";
        std::uint32_t size = tooSmall;
        EXPECT_FALSE(plat::ComputerName(buffer, &size));
        EXPECT_EQ(plat::LastError(), plat::kErrorBufferOverflow);
        EXPECT_EQ(size, length + 1) << "the size needed, NUL included";
        EXPECT_STREQ(buffer, "untouched");
    }

    char buffer[17];
    std::uint32_t size = length + 1;
    ASSERT_TRUE(plat::ComputerName(buffer, &size));
    EXPECT_EQ(size, length) << "the length, NUL excluded";
    EXPECT_EQ(std::string(buffer), expected);

    size = 16;
    EXPECT_TRUE(plat::ComputerName(buffer, &size));
    EXPECT_FALSE(plat::ComputerName(buffer, nullptr));
    EXPECT_EQ(plat::LastError(), plat::kErrorInvalidParameter);
}

// ---- GUIDs ----

TEST(GuidTest, TextIsTheUuidToStringForm) {
    plat::Guid placeholder;
    placeholder.data4[7] = 1;
    EXPECT_EQ(plat::GuidToText(placeholder), "00000000-0000-0000-0000-000000000001");

    plat::Guid mixed{0x0A1B2C3D, 0xE4F5, 0x0607, {0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67}};
    EXPECT_EQ(plat::GuidToText(mixed), "0a1b2c3d-e4f5-0607-89ab-cdef01234567");
}

TEST(GuidTest, NewGuidsAreRandomVersion4AndRoundTrip) {
    std::set<std::string> seen;
    for (int i = 0; i < 100; ++i) {
        plat::Guid guid = plat::CreateGuid();
        std::string text = plat::GuidToText(guid);
        ASSERT_EQ(text.size(), 36u);
        for (std::size_t pos = 0; pos < text.size(); ++pos) {
            bool dash = pos == 8 || pos == 13 || pos == 18 || pos == 23;
            EXPECT_TRUE(dash ? text[pos] == '-' : std::isxdigit(static_cast<unsigned char>(text[pos])) != 0)
                << text;
            EXPECT_FALSE(std::isupper(static_cast<unsigned char>(text[pos]))) << text;
        }
        EXPECT_EQ(text[14], '4') << text;
        EXPECT_NE(std::string("89ab").find(text[19]), std::string::npos) << text;
        EXPECT_EQ(plat::GuidFromText(text), guid);
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 100u);
}

TEST(GuidTest, ParsesEitherCaseWithOrWithoutBracesAndRejectsAnythingElse) {
    const plat::Guid expected{0x0A1B2C3D, 0xE4F5, 0x0607, {0x89, 0xAB, 0xCD, 0xEF, 0x01, 0x23, 0x45, 0x67}};
    for (const char* good : {"0a1b2c3d-e4f5-0607-89ab-cdef01234567", "0A1B2C3D-E4F5-0607-89AB-CDEF01234567",
                             "{0a1b2c3d-e4f5-0607-89ab-cdef01234567}"}) {
        EXPECT_EQ(plat::GuidFromText(good), expected) << good;
    }
    for (const char* bad : {"", "0a1b2c3d-e4f5-0607-89ab-cdef0123456",
                            "0a1b2c3d-e4f5-0607-89ab-cdef012345678", "0a1b2c3de-4f5-0607-89ab-cdef01234567",
                            "0a1b2c3d-e4f5-0607-89ab-cdef0123456g", "{0a1b2c3d-e4f5-0607-89ab-cdef01234567",
                            "0a1b2c3d-e4f5-0607-89ab-cdef01234567}", "(0a1b2c3d-e4f5-0607-89ab-cdef01234567)",
                            "+a1b2c3d-e4f5-0607-89ab-cdef01234567", " a1b2c3d-e4f5-0607-89ab-cdef01234567"}) {
        EXPECT_EQ(plat::GuidFromText(bad), std::nullopt) << bad;
    }
}

// ---- Debug trace ----

TEST(DebugTraceTest, WritesTheTextAsGivenOnlyWhenTavoDebugIs1) {
    struct Case {
        const char* flag;
        std::string printed;
    };
    for (const Case& c :
         {Case{"1", "step one\r\nno end"}, Case{"0", ""}, Case{"yes", ""}, Case{nullptr, ""}}) {
        if (c.flag) {
            setenv("TAVO_DEBUG", c.flag, 1);
        } else {
            unsetenv("TAVO_DEBUG");
        }
        testing::internal::CaptureStderr();
        plat::DebugTrace("step one\r\n");
        plat::DebugTrace("no end");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.printed) << (c.flag ? c.flag : "unset");
    }
    unsetenv("TAVO_DEBUG");
}

// ---- Starting programs ----

class StartProgramTest : public ::testing::Test {
  protected:
    StartProgramTest() {
        // Records its folder, whether it shares the test's session, its standard input and its
        // arguments, then waits for "go" (giving up after a while) before it writes "done".
        WriteProgram("C:\\Tools\\record.sh",
                     "#!/bin/sh\n"
                     "here=$(dirname \"$0\")\n"
                     "{ pwd\n"
                     "  [ \"$(cut -d' ' -f6 /proc/$$/stat)\" = \"$TEST_SID\" ] && echo shared-session\n"
                     "  readlink /proc/self/fd/0\n"
                     "  for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done\n"
                     "} > \"$here/record.part\"\n"
                     "mv \"$here/record.part\" \"$here/record.txt\"\n"
                     "n=0\n"
                     "while [ ! -e \"$here/go\" ] && [ $n -lt 200 ]; do sleep 0.05; n=$((n+1)); done\n"
                     "[ -e \"$here/go\" ] && echo done > \"$here/done.txt\"\n");
        setenv("TEST_SID", std::to_string(getsid(0)).c_str(), 1);
    }

    void WriteProgram(std::string_view windowsPath, std::string_view text, mode_t mode = 0755) {
        prefix_.WriteHost(windowsPath, text);
        chmod(prefix_.HostOf(windowsPath).c_str(), mode);
    }

    // The content of a file the program writes; empty if it does not appear within ten seconds.
    std::string AwaitFile(std::string_view windowsPath) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!std::filesystem::exists(prefix_.HostOf(windowsPath)) &&
               std::chrono::steady_clock::now() < end)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return prefix_.ReadHost(windowsPath);
    }

    tavo::test::TempPrefix prefix_;
};

TEST_F(StartProgramTest, StartsDetachedInTheGivenFolderWithoutWaitingForTheProgram) {
    prefix_.WriteHost("C:\\Work\\keep", "");
    std::uint32_t result = plat::StartProgram("c:\\tools\\RECORD.sh", "one two", "C:\\Work");
    EXPECT_GT(result, 32u);

    std::string record = AwaitFile("C:\\Tools\\record.txt");
    EXPECT_EQ(record, prefix_.HostOf("C:\\Work") + "\n/dev/null\n[one]\n[two]\n");
    // Had the call waited for the program, the program would have given up and ended already.
    EXPECT_FALSE(std::filesystem::exists(prefix_.HostOf("C:\\Tools\\done.txt")));
    prefix_.WriteHost("C:\\Tools\\go", "");
    EXPECT_EQ(AwaitFile("C:\\Tools\\done.txt"), "done\n");
}

TEST_F(StartProgramTest, SplitsParametersLikeAWindowsCommandLine) {
    struct Case {
        std::string parameters;
        std::string words;
    };
    const Case cases[] = {
        {"", ""},
        {"  a\t b  ", "[a]\n[b]\n"},
        {"\"a b\" c", "[a b]\n[c]\n"},
        {"a\"b c\"d", "[ab cd]\n"},
        {"a\\\"b", "[a\"b]\n"},
        {"\"a\\\\\" b", "[a\\]\n[b]\n"},
        {"a\\\\\\\"b", "[a\\\"b]\n"},
        {"C:\\x\\\\y\\", "[C:\\x\\\\y\\]\n"},
        {"\"say \"\"hi\"\"\"", "[say \"hi\"]\n"},
        {"\"\" x", "[]\n[x]\n"},
    };
    prefix_.WriteHost("C:\\Tools\\go", "");
    for (const Case& c : cases) {
        std::filesystem::remove(prefix_.HostOf("C:\\Tools\\record.txt"));
        std::filesystem::remove(prefix_.HostOf("C:\\Tools\\done.txt"));
        ASSERT_GT(plat::StartProgram("C:\\Tools\\record.sh", c.parameters, "C:\\Tools"), 32u) << c.parameters;
        std::string expected = prefix_.HostOf("C:\\Tools") + "\n/dev/null\n" + c.words;
        EXPECT_EQ(AwaitFile("C:\\Tools\\record.txt"), expected) << c.parameters;
        AwaitFile("C:\\Tools\\done.txt");
    }
}

TEST_F(StartProgramTest, ReportsWhatCannotBeStarted) {
    WriteProgram("C:\\Tools\\notes.txt", "text\n", 0644);
    WriteProgram("C:\\Tools\\garbage", "\x7F"
                                       "ELF not really\n");
    struct Case {
        std::string file;
        std::string folder;
        std::uint32_t result;
    };
    const Case cases[] = {
        {"C:\\Tools\\missing.exe", "", plat::kErrorFileNotFound},
        {"C:\\NoFolder\\record.sh", "", plat::kErrorPathNotFound},
        {"C:\\Tools\\record.sh\\x", "", plat::kErrorPathNotFound},
        {"", "", plat::kErrorFileNotFound},
        {"C:\\Tools\\notes.txt", "", plat::kErrorAccessDenied},
        {"C:\\Tools", "", plat::kErrorAccessDenied},
        {"C:\\Tools\\garbage", "", plat::kErrorAccessDenied},
        {"C:\\Tools\\record.sh", "C:\\NoFolder", plat::kErrorPathNotFound},
    };
    for (const Case& c : cases) {
        plat::SetLastError(0);
        EXPECT_EQ(plat::StartProgram(c.file, "", c.folder), c.result) << c.file << " in " << c.folder;
        EXPECT_EQ(plat::LastError(), c.result) << c.file;
    }
    EXPECT_FALSE(std::filesystem::exists(prefix_.HostOf("C:\\Tools\\record.txt")));
}

} // namespace
