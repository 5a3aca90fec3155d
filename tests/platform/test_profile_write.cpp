// Writing profile files: edits change only the lines they must, refuse what would change the file's
// structure, keep encodings, and survive kills and concurrent writers.
#include "platform/error.h"
#include "platform/files.h"
#include "platform/host_io.h"
#include "platform/profile.h"
#include "platform/profile_cache.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;
using Key = std::optional<std::string_view>;

constexpr const char* kFile = "t.ini"; // a bare name: the Windows folder
constexpr const char* kWindowsPath = "C:\\WINDOWS\\t.ini";

class ProfileWrite : public ::testing::Test {
  protected:
    void Put(const std::string& bytes) const { prefix_.WriteHost(kWindowsPath, bytes); }
    std::string Bytes() const { return prefix_.ReadHost(kWindowsPath); }
    std::string Host() const { return prefix_.HostOf(kWindowsPath); }

    tavo::test::TempPrefix prefix_;
};

struct WriteCase {
    const char* rule;
    std::optional<std::string> before; // nullopt: no file
    std::string section;
    std::optional<std::string> key;
    std::optional<std::string> value;
    std::string after;
};

Key View(const std::optional<std::string>& s) {
    return s ? Key(*s) : std::nullopt;
}

TEST_F(ProfileWrite, EditsChangeOnlyTheLinesTheyMust) {
    const std::vector<WriteCase> cases = {
        {"a new file", std::nullopt, "sec", "key", "value", "[sec]\r\nkey=value\r\n"},
        {"overwrite keeps spacing", "[s]\r\n  Key = old  \r\n", "s", "KEY", "new",
         "[s]\r\n  Key = new  \r\n"},
        {"overwrite keeps spelling", "[MySec]\r\nMyKey=1\r\n", "MYSEC", "MYKEY", "2",
         "[MySec]\r\nMyKey=2\r\n"},
        {"overwrite of an empty value", "[s]\r\nk =  \r\n", "s", "k", "v", "[s]\r\nk =v  \r\n"},
        {"overwrite of the first duplicate key", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "9",
         "[s]\r\nk=9\r\nk=2\r\n"},
        {"overwrite keeps what follows a NUL", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "xy",
         "[s]\r\nk=xy\0cd\r\n"s},
        {"a line without '=' gets its value", "[s]\r\njustaword\r\n", "s", "JUSTAWORD", "1",
         "[s]\r\njustaword=1\r\n"},
        {"new key after comments and bare lines, before blank lines",
         "; top\r\n[a]\r\nk=1\r\n; note\r\nbare\r\n\r\n  \r\n[b]\r\nx=1\r\n", "a", "n", "2",
         "; top\r\n[a]\r\nk=1\r\n; note\r\nbare\r\nn=2\r\n\r\n  \r\n[b]\r\nx=1\r\n"},
        {"new key after an open last line", "[a]\r\nk=1", "a", "n", "2", "[a]\r\nk=1\r\nn=2\r\n"},
        {"new key under a header that ends the file", "[a]", "a", "k", "v", "[a]\r\nk=v\r\n"},
        {"other line ends stay", "[s]\rk=1\r\r[t]\nx=1\n", "s", "n", "2", "[s]\rk=1\rn=2\r\n\r[t]\nx=1\n"},
        {"new section after an open last line", "[a]\r\nk=1", "b", "n", "2", "[a]\r\nk=1\r\n[b]\r\nn=2\r\n"},
        {"new section after LF lines", "[a]\nk=1\n", "b", "n", "2", "[a]\nk=1\n[b]\r\nn=2\r\n"},
        {"pre-header area", "; c\r\n[s]\r\n", "", "k", "v", "; c\r\nk=v\r\n[s]\r\n"},
        {"empty pre-header area: top of the file", "[s]\r\nx=1\r\n", "", "k", "v", "k=v\r\n[s]\r\nx=1\r\n"},
        {"[] keeps its keys", "[a]\r\nk=1\r\n[]\r\nh=2\r\n", "a", "n", "3",
         "[a]\r\nk=1\r\nn=3\r\n[]\r\nh=2\r\n"},
        {"a key of a later duplicate goes into the first", "[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", "3",
         "[s]\r\na=1\r\nb=3\r\n[S]\r\nb=2\r\n"},
        {"leading blanks of values dropped", "[s]\r\n", "s", "k", " \t v ", "[s]\r\nk=v \r\n"},
        {"new names lose leading blanks only", "", "  ns ", "  nk  ", "v", "[ns ]\r\nnk  =v\r\n"},
        {"empty value", "[s]\r\n", "s", "k", "", "[s]\r\nk=\r\n"},
        {"empty key name", "[s]\r\n", "s", "", "v", "[s]\r\n=v\r\n"},
        {"delete a key", "[s]\r\na=1\r\n  K = 2\r\n\r\n[t]\r\n", "s", "k", std::nullopt,
         "[s]\r\na=1\r\n\r\n[t]\r\n"},
        {"deleting the last key leaves the header", "[s]\r\nk=1", "s", "k", std::nullopt, "[s]\r\n"},
        {"delete the first duplicate key", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", std::nullopt, "[s]\r\nk=2\r\n"},
        {"delete the first matching section",
         "[a]\r\nx=1\r\n\r\n[s]\r\n; c\r\nk=1\r\n\r\n[b]\r\ny=2\r\n[S]\r\nk=3\r\n", "s", std::nullopt,
         std::nullopt, "[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n[S]\r\nk=3\r\n"},
        {"delete the last section", "[a]\r\nx=1\r\n[s]\r\nk=1", "s", std::nullopt, std::nullopt,
         "[a]\r\nx=1\r\n"},
        {"delete a section even with a value", "[s]\r\nk=1\r\n[t]\r\n", "S", std::nullopt, "v", "[t]\r\n"},
        {"delete the pre-header area", "k=1\r\n; c\r\n[s]\r\n", "", std::nullopt, std::nullopt, "[s]\r\n"},
    };
    for (const WriteCase& c : cases) {
        std::remove(Host().c_str());
        if (c.before) Put(*c.before);
        EXPECT_TRUE(plat::WriteProfileString(kFile, c.section, View(c.key), View(c.value))) << c.rule;
        EXPECT_EQ(plat::LastError(), plat::kErrorSuccess) << c.rule;
        EXPECT_EQ(Bytes(), c.after) << c.rule;
    }
}

TEST_F(ProfileWrite, WritesThatChangeNothingLeaveTheFileAlone) {
    const std::string original = "\r\n[s]\r\n  k = v  \r\n; c\r\n\r\n[t]\r\nx=1";
    const std::vector<WriteCase> cases = {
        {"the same value", {}, "s", "K", "v", {}},
        {"the same value after leading blanks", {}, "S", "k", "  v", {}},
        {"delete of a missing key", {}, "s", "nokey", std::nullopt, {}},
        {"delete of a missing section", {}, "nosec", std::nullopt, std::nullopt, {}},
        {"delete of an empty pre-header area", {}, "", std::nullopt, std::nullopt, {}},
        {"delete of a key in a missing section", {}, "nosec", "k", std::nullopt, {}},
    };
    Put(original);
    struct stat before {};
    ASSERT_EQ(stat(Host().c_str(), &before), 0);
    for (const WriteCase& c : cases) {
        EXPECT_TRUE(plat::WriteProfileString(kFile, c.section, View(c.key), View(c.value))) << c.rule;
        struct stat after {};
        ASSERT_EQ(stat(Host().c_str(), &after), 0);
        EXPECT_EQ(after.st_ino, before.st_ino) << c.rule;
        EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec) << c.rule;
        EXPECT_EQ(Bytes(), original) << c.rule;
    }
    EXPECT_TRUE(plat::WriteProfileSection(kFile, "t", Strings{"x=1"}));
    EXPECT_EQ(Bytes(), original);

    EXPECT_TRUE(plat::WriteProfileString("absent.ini", "s", "k", std::nullopt));
    EXPECT_TRUE(plat::WriteProfileString("absent.ini", "s", std::nullopt, std::nullopt));
    EXPECT_TRUE(plat::WriteProfileSection("absent.ini", "s", std::nullopt));
    EXPECT_EQ(plat::FileAttributes("C:\\WINDOWS\\absent.ini"), plat::kInvalidAttributes);
}

TEST_F(ProfileWrite, SectionWritesReplaceTheEntriesOfTheFirstMatch) {
    struct SectionCase {
        const char* rule;
        std::optional<std::string> before;
        std::string section;
        std::optional<Strings> entries;
        std::string after;
    };
    const std::string file = "[a]\r\nx=1\r\n[s]\r\n; old\r\nk=1\r\nbare\r\n\r\n[b]\r\n[S]\r\nz=9\r\n";
    const std::vector<SectionCase> cases = {
        {"entries replaced, bare ones dropped, duplicates kept", file, "S",
         Strings{"  spaced  =  v  ", "noequals", ";comment", "d=1", "d=2", "=e"},
         "[a]\r\nx=1\r\n[s]\r\nspaced  =v  \r\nd=1\r\nd=2\r\n=e\r\n\r\n[b]\r\n[S]\r\nz=9\r\n"},
        {"an empty list leaves the header", file, "s", Strings{},
         "[a]\r\nx=1\r\n[s]\r\n\r\n[b]\r\n[S]\r\nz=9\r\n"},
        {"no list deletes the section", file, "s", std::nullopt, "[a]\r\nx=1\r\n[b]\r\n[S]\r\nz=9\r\n"},
        {"a missing section is appended", "[a]\r\nx=1", "n", Strings{"k=v"}, "[a]\r\nx=1\r\n[n]\r\nk=v\r\n"},
        {"a missing file is created", std::nullopt, "s", Strings{"k=v", "j=w"}, "[s]\r\nk=v\r\nj=w\r\n"},
        {"a header that ends the file", "[s]", "s", Strings{"k=v"}, "[s]\r\nk=v\r\n"},
        {"an open last line stays open", "[s]\r\nk=1", "s", Strings{"a=1", "b=2"}, "[s]\r\na=1\r\nb=2"},
        {"the pre-header area", "k=1\r\n\r\n[s]\r\n", "", Strings{"n=2"}, "n=2\r\n\r\n[s]\r\n"},
    };
    for (const SectionCase& c : cases) {
        std::remove(Host().c_str());
        if (c.before) Put(*c.before);
        EXPECT_TRUE(plat::WriteProfileSection(kFile, c.section, c.entries)) << c.rule;
        EXPECT_EQ(Bytes(), c.after) << c.rule;
    }
}

TEST_F(ProfileWrite, InjectionIsRefusedAndTheFileKeptAsItWas) {
    const std::string original = "[s]\r\nk=1\r\n";
    const std::vector<WriteCase> cases = {
        {"CRLF in a value", {}, "s", "k", "a\r\n[evil]\r\nx=1", {}},
        {"LF in a value", {}, "s", "k", "a\nb", {}},
        {"CR in a value", {}, "s", "k", "a\rb", {}},
        {"NUL in a value", {}, "s", "k", "a\0b"s, {}},
        {"line break in a key", {}, "s", "k\n[x]", "1", {}},
        {"NUL in a key", {}, "s", "k\0x"s, "1", {}},
        {"'=' in a key", {}, "s", "a=b", "c", {}},
        {"key starting with ';'", {}, "s", ";k", "1", {}},
        {"key starting with '['", {}, "s", "[k]", "2", {}},
        {"key starting with '[' after blanks", {}, "s", "  [k", "x]", {}},
        {"line break in a section", {}, "s]\r\n[t", "k", "1", {}},
        {"NUL in a section", {}, "s\0t"s, "k", "1", {}},
        {"line break in a deleted section", {}, "s\r\n", std::nullopt, std::nullopt, {}},
        {"bad key in a delete", {}, "s", "a=b", std::nullopt, {}},
    };
    for (const WriteCase& c : cases) {
        Put(original);
        plat::SetLastError(0);
        EXPECT_FALSE(plat::WriteProfileString(kFile, c.section, View(c.key), View(c.value))) << c.rule;
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidParameter) << c.rule;
        EXPECT_EQ(Bytes(), original) << c.rule;
    }
    for (const Strings& entries : {Strings{"k=a\r\nb"}, Strings{"ok=1", ";k=1"}, Strings{"[k=1]"},
                                   Strings{"bare\nline"}, Strings{"k=\0"s}}) {
        EXPECT_FALSE(plat::WriteProfileSection(kFile, "s", entries)) << entries.back();
        EXPECT_EQ(plat::LastError(), plat::kErrorInvalidParameter);
        EXPECT_EQ(Bytes(), original);
    }
}

TEST_F(ProfileWrite, OddNamesReadBackAsWritten) {
    const Strings sections = {"x]y", "[z",    "a]", "]",  "[",   "[]",
                              "[]x", "a[b]c", "#s", ";s", "s=t", "\x81\xff"};
    const Strings keys = {"a]b", "#k", "k[", "q\"k\"", "k]=", "\x8d\xa0\xff", "", " spaced "};
    for (const std::string& section : sections) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i].find('=') != std::string::npos) {
                EXPECT_FALSE(plat::WriteProfileString(kFile, section, keys[i], "v"));
                continue;
            }
            ASSERT_TRUE(plat::WriteProfileString(kFile, section, keys[i], "v" + std::to_string(i)))
                << section;
            EXPECT_EQ(plat::ProfileString(kFile, section, keys[i]), "v" + std::to_string(i))
                << section << keys[i];
        }
    }
    EXPECT_EQ(plat::ProfileSectionNames(kFile), sections);
}

TEST_F(ProfileWrite, EveryHighByteSurvivesAWriteInEveryEncoding) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    for (const std::string& bom : {""s, "\xef\xbb\xbf"s, "\xff\xfe"s, "\xfe\xff"s}) {
        SCOPED_TRACE(bom.size());
        Put(bom);
        ASSERT_TRUE(plat::WriteProfileString(kFile, high, high, high));
        EXPECT_EQ(plat::ProfileString(kFile, high, high), high);
        EXPECT_EQ(plat::ProfileSectionNames(kFile), Strings{high});
        EXPECT_EQ(Bytes().substr(0, bom.size()), bom);
    }
    Put("");
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "k", high));
    EXPECT_EQ(Bytes(), "[s]\r\nk=" + high + "\r\n");
}

TEST_F(ProfileWrite, AnAnsiFileNeverComesToStartWithAByteOrderMark) {
    // Keys of the nameless section go to the top of the file, and a deleted first line brings the
    // next one there: neither may turn the file into one of another encoding.
    for (const std::string& bom : {"\xef\xbb\xbf"s, "\xff\xfe"s, "\xfe\xff"s}) {
        SCOPED_TRACE(bom.size());
        for (const std::optional<std::string>& before :
             {std::optional<std::string>(), std::optional("[s]\r\nk=v\r\n"s)}) {
            if (before)
                Put(*before);
            else
                std::remove(Host().c_str());
            ASSERT_TRUE(plat::WriteProfileString(kFile, "", bom + "top", "1"));
            EXPECT_EQ(plat::ProfileString(kFile, "", bom + "top"), "1");
            if (before) {
                EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "v");
            }
        }
        Put("first=0\r\n" + bom + "second=2\r\n[s]\r\nk=v\r\n");
        ASSERT_TRUE(plat::WriteProfileString(kFile, "", "first", std::nullopt));
        EXPECT_EQ(plat::ProfileString(kFile, "", bom + "second"), "2");
        EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "v");
    }
}

TEST_F(ProfileWrite, EncodedFilesKeepTheirUntouchedBytes) {
    // A CJK comment and value that cp1252 cannot hold survive; only the new text is converted.
    Put("\xef\xbb\xbf[s]\r\n; \xe4\xb8\xad\r\n  k = \xe4\xb8\xad\r\nj=\xe4\xb8\xad\r\n");
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "k", "\xe9"));
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "n", "\x80"));
    EXPECT_EQ(Bytes(),
              "\xef\xbb\xbf[s]\r\n; \xe4\xb8\xad\r\n  k = \xc3\xa9\r\nj=\xe4\xb8\xad\r\nn=\xe2\x82\xac\r\n");
    EXPECT_EQ(plat::ProfileString(kFile, "s", "j"), "?");

    Put("\xff\xfe[\0s\0]\0\r\0\n\0;\0\x2d\x4e\r\0\n\0"s);
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "k", "\xe9"));
    EXPECT_EQ(Bytes(), "\xff\xfe[\0s\0]\0\r\0\n\0;\0\x2d\x4e\r\0\n\0k\0=\0\xe9\0\r\0\n\0"s);

    Put("\xfe\xff\0[\0s\0]"s);
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "k", "\x80"));
    EXPECT_EQ(Bytes(), "\xfe\xff\0[\0s\0]\0\r\0\n\0k\0=\x20\xac\0\r\0\n"s);

    // An odd trailing byte of a UTF-16 file stays at the end.
    Put("\xff\xfe[\0s\0]\0\r\0\n\0!"s);
    ASSERT_TRUE(plat::WriteProfileString(kFile, "t", "k", "v"));
    EXPECT_EQ(Bytes(), "\xff\xfe[\0s\0]\0\r\0\n\0[\0t\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0!"s);
}

TEST_F(ProfileWrite, LongValuesAreStoredWhole) {
    for (std::size_t size : {70000u, 1000000u}) {
        const std::string value(size, 'x');
        ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "k", value));
        EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), value);
        EXPECT_EQ(Bytes(), "[s]\r\nk=" + value + "\r\n");
    }
}

TEST_F(ProfileWrite, FileErrorsLeaveNothingBehind) {
    plat::SetLastError(0);
    EXPECT_FALSE(plat::WriteProfileString("C:\\nowhere\\x.ini", "s", "k", "v"));
    EXPECT_EQ(plat::LastError(), plat::kErrorPathNotFound);
    EXPECT_EQ(plat::FileAttributes("C:\\nowhere"), plat::kInvalidAttributes);

    EXPECT_FALSE(plat::WriteProfileString("", "s", "k", "v"));
    EXPECT_EQ(plat::LastError(), plat::kErrorAccessDenied);

    prefix_.WriteHost("C:\\folder\\inner.ini", "");
    EXPECT_FALSE(plat::WriteProfileString("C:\\folder", "s", "k", "v"));
    EXPECT_EQ(plat::LastError(), plat::kErrorAccessDenied);
    EXPECT_EQ(prefix_.ReadHost("C:\\folder\\inner.ini"), "");

    // Read-only: no write bit. Root could write it anyway, so the check is ours.
    Put("[s]\r\nk=1\r\n");
    ASSERT_EQ(chmod(Host().c_str(), 0444), 0);
    EXPECT_FALSE(plat::WriteProfileString(kFile, "s", "k", "2"));
    EXPECT_EQ(plat::LastError(), plat::kErrorAccessDenied);
    EXPECT_FALSE(plat::WriteProfileSection(kFile, "s", std::nullopt));
    EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
    EXPECT_TRUE(plat::WriteProfileString(kFile, "s", "k", "1")); // nothing to change
}

// A caller whose helper reports no failure learns of each write that could not be made.
TEST_F(ProfileWrite, AWatchNotesTheWritesThatFailWhileItLives) {
    Put("[s]\r\nk=1\r\n");
    ASSERT_EQ(chmod(Host().c_str(), 0444), 0);
    plat::ProfileWriteWatch outer;
    {
        plat::ProfileWriteWatch inner;
        EXPECT_TRUE(plat::WriteProfileString("C:\\ok.ini", "s", "k", "v"));
        EXPECT_FALSE(plat::WriteProfileString(kFile, "s", "k", "2"));
        EXPECT_FALSE(plat::WriteProfileString("C:\\nowhere\\x.ini", "s", "k", "v"));
        ASSERT_EQ(inner.failures().size(), 2u);
        EXPECT_EQ(inner.failures()[0].file, kFile);
        EXPECT_EQ(inner.failures()[0].error, plat::kErrorAccessDenied);
        EXPECT_EQ(inner.failures()[1].error, plat::kErrorPathNotFound);
    }
    EXPECT_FALSE(plat::WriteProfileValues(kFile, "s", {{"k", "3"}}));
    EXPECT_EQ(outer.failures().size(), 3u);
}

TEST_F(ProfileWrite, RewritesKeepPermissionBitsAndNames) {
    Put("[s]\r\nk=1\r\n");
    ASSERT_EQ(chmod(Host().c_str(), 0640), 0);
    ASSERT_TRUE(plat::WriteProfileString("C:\\windows\\T.INI", "s", "k", "2"));
    struct stat st {};
    ASSERT_EQ(stat(Host().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(Bytes(), "[s]\r\nk=2\r\n");
    EXPECT_EQ(plat::ListFiles("C:\\WINDOWS\\*.ini")->size(), 1u);

    ASSERT_TRUE(plat::WriteProfileString("new.ini", "s", "k", "v"));
    EXPECT_EQ(prefix_.ReadHost("C:\\WINDOWS\\new.ini"), "[s]\r\nk=v\r\n");
    ASSERT_TRUE(plat::WriteProfileString("C:/WINDOWS/new.ini", "s", "j", "w"));
    EXPECT_EQ(plat::ProfileKeys("new.ini", "s"), (Strings{"k", "j"}));
}

TEST_F(ProfileWrite, AWriteReparsesOnlyItsOwnFile) {
    Put("[s]\r\nk=1\r\n");
    prefix_.WriteHost("C:\\WINDOWS\\other.ini", "[s]\r\nk=2\r\n");
    ASSERT_EQ(plat::ProfileString(kFile, "s", "k"), "1");
    ASSERT_EQ(plat::ProfileString("other.ini", "s", "k"), "2");
    auto& counters = plat::profile::ProfileCounters();
    const std::uint64_t parses = counters.parses;
    const std::uint64_t rewrites = counters.rewrites;
    ASSERT_TRUE(plat::WriteProfileString(kFile, "s", "n", "3"));
    EXPECT_EQ(plat::ProfileString(kFile, "s", "n"), "3");
    EXPECT_EQ(plat::ProfileString("other.ini", "s", "k"), "2");
    EXPECT_EQ(counters.rewrites - rewrites, 1u);
    EXPECT_EQ(counters.parses - parses, 1u);
}

// Starts the writer child on this test's prefix.
pid_t StartWriter(const tavo::test::TempPrefix& prefix, const Strings& args) {
    std::vector<std::string> all = {PROFILE_WRITER, prefix.host()};
    all.insert(all.end(), args.begin(), args.end());
    pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv;
        for (std::string& arg : all)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int WaitFor(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

TEST_F(ProfileWrite, AKilledWriterLeavesTheOldOrTheNewFile) {
    const std::string head = "; kept comment\r\n\r\n[data]\r\nvalue=";
    const std::string tail = "\r\n\r\n[other]\r\nx=1\r\n";
    const std::string a(60000, 'a');
    const std::string b(90000, 'b');
    prefix_.WriteHost("C:\\data\\crash.ini", head + a + tail);
    const std::string file = "C:\\data\\crash.ini";

    std::mt19937 random(std::random_device{}());
    for (int kill = 0; kill < 12; ++kill) {
        pid_t pid = StartWriter(
            prefix_, {"alternate", file, "1000", std::to_string(a.size()), std::to_string(b.size())});
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 40000));
        ::kill(pid, SIGKILL);
        WaitFor(pid);

        std::string bytes = prefix_.ReadHost(file);
        EXPECT_TRUE(bytes == head + a + tail || bytes == head + b + tail)
            << "kill " << kill << ": " << bytes.size();
        std::string value = plat::ProfileString(file, "data", "value");
        EXPECT_TRUE(value == a || value == b) << "kill " << kill;
        std::optional<std::vector<plat::FoundFile>> listed = plat::ListFiles("C:\\data\\*");
        ASSERT_TRUE(listed);
        Strings names;
        for (const plat::FoundFile& found : *listed)
            names.push_back(found.name);
        EXPECT_EQ(names, (Strings{".", "..", "crash.ini"})) << "kill " << kill;
    }
}

TEST_F(ProfileWrite, TwoProcessesWritingAtOnceLoseNoKey) {
    const std::string file = "C:\\data\\shared.ini";
    prefix_.WriteHost(file, "; shared\r\n");
    pid_t first = StartWriter(prefix_, {"keys", file, "a", "500"});
    pid_t second = StartWriter(prefix_, {"keys", file, "b", "500"});
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    int firstStatus = WaitFor(first);
    int secondStatus = WaitFor(second);
    ASSERT_TRUE(WIFEXITED(firstStatus) && WEXITSTATUS(firstStatus) == 0);
    ASSERT_TRUE(WIFEXITED(secondStatus) && WEXITSTATUS(secondStatus) == 0);

    EXPECT_EQ(plat::ProfileKeys(file, "keys").size(), 1000u);
    for (int i = 0; i < 500; ++i) {
        EXPECT_EQ(plat::ProfileString(file, "keys", "a" + std::to_string(i)), std::to_string(i));
        EXPECT_EQ(plat::ProfileString(file, "keys", "b" + std::to_string(i)), std::to_string(i));
    }
}

} // namespace
