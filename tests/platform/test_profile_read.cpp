// Reading profile files: the Win32 parsing rules, case by case, over whole results.
#include "platform/error.h"
#include "platform/profile.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

constexpr const char* kFile = "t.ini"; // a bare name: the Windows folder

class ProfileRead : public ::testing::Test {
  protected:
    void Put(const std::string& bytes) const { prefix_.WriteHost("C:\\WINDOWS\\t.ini", bytes); }

    tavo::test::TempPrefix prefix_;
};

struct ValueCase {
    const char* rule;
    std::string file;
    std::string section;
    std::string key;
    std::string fallback;
    std::string expected;
};

TEST_F(ProfileRead, ValuesFollowTheWindowsParsingRules) {
    const std::vector<ValueCase> cases = {
        // Line ends and trimming.
        {"CR-only lines", "[s]\rk=cr\r", "s", "k", "D", "cr"},
        {"LF-only lines", "[s]\nk=lf\n", "s", "k", "D", "lf"},
        {"runs of line ends, last line open", "[s]\r\n\r\n\n\r\r\nk=v", "s", "k", "D", "v"},
        {"trim set around lines", "\t [s] \x1a\r\n\v\fk\t=\t v \x1a\r\n", "s", "k", "D", "v"},
        {"NBSP is not trimmed", "[s]\r\nk=\xa0v\xa0\r\n", "s", "k", "D", "\xa0v\xa0"},
        // NUL bytes end the name or value they are in.
        {"NUL in header and key name", "[s\0x]\r\nk\0j=1\r\n"s, "s", "k", "D", "1"},
        {"NUL ends the value", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "D", "ab"},
        {"line of NULs is blank", "[s]\r\n\0\0\0\r\nk=1\r\n"s, "s", "k", "D", "1"},
        {"control bytes: a line without '='", "[s]\r\n\x01\x02\xff\r\n", "s", "\x01\x02\xff", "D", "D"},
        // Section headers.
        {"text after the header", "[s] trailing\r\nk=1", "s", "k", "D", "1"},
        {"comment after the header", "[s] ; note\r\nk=1", "s", "k", "D", "1"},
        {"name runs to the last ]", "[x]y]\r\nk=1", "x]y", "k", "D", "1"},
        {"doubled closing bracket", "[z]]\r\nk=1", "z]", "k", "D", "1"},
        {"doubled opening bracket", "[[w]\r\nk=1", "[w", "k", "D", "1"},
        {"header with '=' after it", "[k2]=x\r\nk=1", "k2", "k", "D", "1"},
        {"unclosed header stays in its section", "[s]\r\n[broken\r\nk=1", "s", "k", "D", "1"},
        {"blanks inside brackets", "[  spaced  ]\r\nk=1", "spaced", "k", "D", "1"},
        {"inner blanks count", "[two  words]\r\nk=1", "two words", "k", "D", "D"},
        {"section query trimmed", "[s]\r\nk=1", "  s\t", "k", "D", "1"},
        {"ASCII case folds", "[Section]\r\nKey=1", "SECTION", "kEY", "D", "1"},
        {"high letters match their case", "[\xc4rger]\r\nk=1", "\xc4RGER", "k", "D", "1"},
        {"high letters do not fold", "[\xc4rger]\r\nk=1", "\xe4rger", "k", "D", "D"},
        {"high letters in keys do not fold", "[s]\r\n\xe9t\xe9=1", "s", "\xc9t\xc9", "D", "D"},
        {"commented header", "[s]\r\n;[hidden]\r\nk=1", "s", "k", "D", "1"},
        {"pre-header area is section \"\"", "k=top\r\n[s]\r\nk=s", "", "k", "D", "top"},
        {"[] cannot be reached", "[]\r\nk=1", "", "k", "D", "D"},
        {"[ ] cannot be reached", "k=top\r\n[ ]\r\nk=hidden", "", "k", "D", "top"},
        {"first duplicate section wins, even empty", "[s]\r\n[S]\r\nk=1", "s", "k", "D", "D"},
        {"first duplicate section wins", "[s]\r\nk=1\r\n[S]\r\nk=2", "S", "k", "D", "1"},
        // Keys and values.
        {"later '=' belong to the value", "[s]\r\nk2 = = x", "s", "k2", "D", "= x"},
        {"several '='", "[s]\r\nk=a=b=c", "s", "k", "D", "a=b=c"},
        {"key query trimmed", "[s]\r\nk=1", "s", " k\t", "D", "1"},
        {"inner blanks of keys count", "[s]\r\nkey  one=1", "s", "key one", "D", "D"},
        {"empty value is not the default", "[s]\r\nk=", "s", "k", "D", ""},
        {"blank value is empty", "[s]\r\nk=  \t ", "s", "k", "D", ""},
        {"no inline comments", "[s]\r\nk=v ; not a comment", "s", "k", "D", "v ; not a comment"},
        {"a comment is stored", "[s]\r\n;semi=2", "s", ";semi", "D", "2"},
        {"'#' starts an ordinary key", "[s]\r\n#hash=3", "s", "#hash", "D", "3"},
        {"line without '=' gives the default", "[s]\r\njustaword", "s", "justaword", "D", "D"},
        {"empty key name", "[s]\r\n=v", "s", "", "D", "v"},
        {"empty key name, blank query", "[s]\r\n  =w", "s", " ", "D", "w"},
        {"second empty key name dropped", "[s]\r\n=a\r\n=b", "s", "", "D", "a"},
        {"first duplicate key wins", "[s]\r\nk=1\r\nK=2", "s", "K", "D", "1"},
        {"a bare line shadows a later key", "[s]\r\nk\r\nk=1", "s", "k", "D", "D"},
        // Quotes.
        {"double quotes", "[s]\r\nk=\"dq\"", "s", "k", "D", "dq"},
        {"single quotes around double", "[s]\r\nk='\"x\"'", "s", "k", "D", "\"x\""},
        {"only the outer pair", "[s]\r\nk=\"a\" \"b\"", "s", "k", "D", "a\" \"b"},
        {"empty quotes", "[s]\r\nk=\"\"", "s", "k", "D", ""},
        {"quotes after trimming", "[s]\r\nk=  \" p \"  ", "s", "k", "D", " p "},
        {"mismatched quotes", "[s]\r\nk=\"x'", "s", "k", "D", "\"x'"},
        {"opening quote only", "[s]\r\nk=\"abc", "s", "k", "D", "\"abc"},
        {"closing quote only", "[s]\r\nk=abc\"", "s", "k", "D", "abc\""},
        {"a lone quote", "[s]\r\nk=\"", "s", "k", "D", "\""},
        {"quotes in key names are literal", "[s]\r\n\"qk\"=1", "s", "\"qk\"", "D", "1"},
        // Defaults.
        {"trailing spaces cut from the default", "", "s", "k", "def   ", "def"},
        {"leading spaces kept", "", "s", "k", "   def", "   def"},
        {"trailing tabs kept", "", "s", "k", "d\te\t", "d\te\t"},
        {"all-space default keeps one", "", "s", "k", "   ", " "},
        {"quoted default", "", "s", "k", "\"quoted default\"", "quoted default"},
        {"missing section", "[t]\r\nk=1", "s", "k", "D", "D"},
        {"missing key gives empty default", "[s]\r\nk=1", "s", "other", "", ""},
    };
    for (const ValueCase& c : cases) {
        Put(c.file);
        EXPECT_EQ(plat::ProfileString(kFile, c.section, c.key, c.fallback), c.expected) << c.rule;
    }
}

TEST_F(ProfileRead, EncodingsFollowTheByteOrderMark) {
    const std::vector<ValueCase> cases = {
        {"UTF-8 BOM: text comes back in cp1252", "\xef\xbb\xbf[s]\r\nk=\xc3\xa9\xe2\x82\xac", "s", "k", "D",
         "\xe9\x80"},
        {"UTF-8 BOM: unmappable characters become '?'",
         "\xef\xbb\xbf[s]\r\nk=a\xe4\xb8\xad"
         "b",
         "s", "k", "D", "a?b"},
        {"UTF-8 BOM: malformed bytes become '?'", "\xef\xbb\xbf[s]\r\nk=\xc3(\xff", "s", "k", "D", "?(?"},
        {"UTF-8 BOM: names match after conversion", "\xef\xbb\xbf[caf\xc3\xa9]\r\nk=1", "CAF\xe9", "k", "D",
         "1"},
        {"UTF-16LE BOM", "\xff\xfe[\0s\0]\0\r\0\n\0k\0=\0\xe9\0\xac\x20"s, "s", "k", "D", "\xe9\x80"},
        {"UTF-16BE BOM", "\xfe\xff\0[\0s\0]\0\n\0k\0=\0\xe9"s, "s", "k", "D", "\xe9"},
        {"UTF-16LE BOM before ANSI text", "\xff\xfe[s]\r\nk=1", "s", "k", "D", "D"},
        {"UTF-16LE without BOM is ANSI", "[\0s\0]\0\r\0\n\0k\0=\0\x31\0"s, "s", "k", "D", "D"},
        {"no BOM: bytes pass through", "[s]\r\nk=\xc3\xa9", "s", "k", "D", "\xc3\xa9"},
        {"BOM not at offset 0", "\r\n\xef\xbb\xbf[s]\r\nk=1", "s", "k", "D", "D"},
    };
    for (const ValueCase& c : cases) {
        Put(c.file);
        EXPECT_EQ(plat::ProfileString(kFile, c.section, c.key, c.fallback), c.expected) << c.rule;
    }
}

TEST_F(ProfileRead, IntegersWrapAndStopAtTheFirstOtherCharacter) {
    struct IntCase {
        std::string value;
        std::uint32_t expected;
    };
    const std::vector<IntCase> cases = {
        {"k=", 7},
        {"k=\"\"", 7},
        {"k=abc", 0},
        {"k=+", 0},
        {"k=+-5", 0},
        {"k=- 3", 0},
        {"k=0x", 0},
        {"k=0xg", 0},
        {"k=\" 12\"", 12},
        {"k=\"\t-3\"", 4294967293u},
        {"k=010", 10},
        {"k=12abc", 12},
        {"k=12 34", 12},
        {"k=12,5", 12},
        {"k=3.9", 3},
        {"k=1e3", 1},
        {"k=0X1f", 31},
        {"k=-0x10", 0xFFFFFFF0u},
        {"k=-0", 0},
        {"k=+1", 1},
        {"k=-5", 4294967291u},
        {"k=4294967296", 0},
        {"k=4294967297", 1},
        {"k=-4294967297", 0xFFFFFFFFu},
        {"k=-2147483649", 2147483647u},
        {"k=2147483648", 0x80000000u},
        {"k=4294967295", 0xFFFFFFFFu},
        {"k=99999999999999999999", 1661992959u},
        {"k", 7}, // a line without '='
    };
    for (const IntCase& c : cases) {
        Put("[s]\r\n" + c.value + "\r\n");
        EXPECT_EQ(plat::ProfileInt(kFile, "s", "k", 7), c.expected) << c.value;
    }
    EXPECT_EQ(plat::ProfileInt(kFile, "s", "missing", -1), 0xFFFFFFFFu);
    EXPECT_EQ(plat::ProfileInt("absent.ini", "s", "k", 5), 5u);
}

TEST_F(ProfileRead, KeyListsHoldEveryKeyOfTheFirstSection) {
    struct ListCase {
        const char* rule;
        std::string file;
        std::string section;
        Strings expected;
    };
    const std::vector<ListCase> cases = {
        {"duplicates in file order", "[s]\r\nk=1\r\nK=2\r\nk=3", "s", {"k", "K", "k"}},
        {"comments and bare lines left out", "[s]\r\n;c=1\r\njustaword\r\nk=v\r\ntwo words", "s", {"k"}},
        {"empty names kept",
         "[s]\r\nk=1\r\n=x\r\nK=2\r\n spaced = 3\r\nq=",
         "s",
         {"k", "", "K", "spaced", "q"}},
        {"second empty name dropped", "[s]\r\n=a\r\n=b\r\nk=1", "s", {"", "k"}},
        {"empty names apart are both kept", "[s]\r\n=a\r\nk=1\r\n=b", "s", {"", "k", ""}},
        {"quotes kept", "[s]\r\n\"qk\"=\"qv\"", "s", {"\"qk\""}},
        {"first duplicate section only", "[s]\r\na=1\r\n[S]\r\nb=2", "S", {"a"}},
        {"pre-header area", "a=1\r\n[s]\r\nb=2", "", {"a"}},
        {"missing section", "[s]\r\na=1", "t", {}},
        {"lines of NULs are blank", "[s]\r\n\0\0\r\nk=1"s, "s", {"k"}},
    };
    for (const ListCase& c : cases) {
        Put(c.file);
        EXPECT_EQ(plat::ProfileKeys(kFile, c.section), c.expected) << c.rule;
    }
}

TEST_F(ProfileRead, SectionNamesListEveryNamedHeaderWithItsSpelling) {
    Put("k=0\r\n[s]\r\n[t]\r\n[S]\r\n[]\r\n[ ]\r\nx=1\r\n[ uu ] tail\r\n;[c]\r\n[broken\r\n");
    EXPECT_EQ(plat::ProfileSectionNames(kFile), (Strings{"s", "t", "S", "uu"}));
    Put("k=1\r\n");
    EXPECT_EQ(plat::ProfileSectionNames(kFile), Strings{});
}

TEST_F(ProfileRead, SectionEntriesKeepBareLinesAndDropComments) {
    struct SectionCase {
        const char* rule;
        std::string file;
        std::string section;
        Strings expected;
    };
    const std::vector<SectionCase> cases = {
        {"entries as parsed",
         "[s]\r\njustaword\r\n k = v \r\n;c=1\r\ntwo words\r\n\"qk\"=\"qv\"",
         "s",
         {"justaword", "k=v", "two words", "\"qk\"=\"qv\""}},
        {"duplicates and empty names", "[s]\r\nk=1\r\nk=2\r\n=a\r\n=b", "s", {"k=1", "k=2", "=a"}},
        {"NUL cuts names and values", "[s]\r\nk\0j=1\0x"s, "s", {"k=1"}},
        {"first duplicate section only", "[s]\r\n[S]\r\nk=1", "S", {}},
        {"missing section", "[s]\r\nk=1", "t", {}},
    };
    for (const SectionCase& c : cases) {
        Put(c.file);
        EXPECT_EQ(plat::ProfileSection(kFile, c.section), c.expected) << c.rule;
    }
}

TEST_F(ProfileRead, MissingFilesAndBadNamesGiveDefaultsAndErrors) {
    struct PathCase {
        const char* rule;
        std::string file;
        std::uint32_t error;
    };
    const std::vector<PathCase> cases = {
        {"missing file", "absent.ini", plat::kErrorFileNotFound},
        {"missing folder", "C:\\nowhere\\x.ini", plat::kErrorPathNotFound},
        {"a folder in place of the file", "C:\\WINDOWS", plat::kErrorAccessDenied},
        {"empty file name", "", plat::kErrorAccessDenied},
    };
    plat::ProfileString(kFile, "s", "k"); // makes the Windows folder exist
    for (const PathCase& c : cases) {
        plat::SetLastError(0);
        EXPECT_EQ(plat::ProfileString(c.file, "s", "k", "def  "), "def") << c.rule;
        EXPECT_EQ(plat::LastError(), c.error) << c.rule;
        EXPECT_TRUE(plat::ProfileKeys(c.file, "s").empty()) << c.rule;
        EXPECT_TRUE(plat::ProfileSectionNames(c.file).empty()) << c.rule;
        EXPECT_TRUE(plat::ProfileSection(c.file, "s").empty()) << c.rule;
        EXPECT_EQ(plat::LastError(), c.error) << c.rule;
    }
    Put("[s]\r\nk=1\r\n");
    EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "1");
    EXPECT_EQ(plat::LastError(), plat::kErrorSuccess);
}

TEST_F(ProfileRead, FileNamesResolveLikeWindows) {
    prefix_.WriteHost("C:\\Data\\Sub\\Mixed.ini", "[s]\r\nk=full\r\n");
    Put("[s]\r\nk=bare\r\n");
    EXPECT_EQ(plat::ProfileString("t.ini", "s", "k"), "bare");
    EXPECT_EQ(plat::ProfileString("C:\\windows\\T.INI", "s", "k"), "bare");
    EXPECT_EQ(plat::ProfileString("c:/data/sub/MIXED.INI", "s", "k"), "full");
    EXPECT_EQ(plat::ProfileString("C:\\DATA\\x\\..\\SUB\\mixed.ini", "s", "k"), "full");
}

TEST_F(ProfileRead, LongValuesAndNamesComeBackWhole) {
    const std::string value(70000, 'v');
    const std::string name(300, 'n');
    Put("[" + name + "]\r\n" + name + "=" + value + "\r\n");
    EXPECT_EQ(plat::ProfileString(kFile, name, name), value);
    EXPECT_EQ(plat::ProfileKeys(kFile, name), Strings{name});
    EXPECT_EQ(plat::ProfileSectionNames(kFile), Strings{name});
}

TEST_F(ProfileRead, EveryHighByteReadsBackUnchanged) {
    std::string high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += static_cast<char>(b);
    // 0xA0 (NBSP) is not a blank, so the value may start and end with high bytes.
    Put("[s]\r\nk=" + high + "\r\n" + high + "=named\r\n");
    EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), high);
    EXPECT_EQ(plat::ProfileString(kFile, "s", high), "named");
}

TEST_F(ProfileRead, BinaryGarbageIsReadWithoutHarm) {
    std::mt19937 random(20240607);
    std::string garbage(1 << 20, '\0');
    for (char& c : garbage)
        c = static_cast<char>(random() & 0xFF);
    for (const std::string& prefix : {""s, "\xef\xbb\xbf"s, "\xff\xfe"s, "\xfe\xff"s}) {
        Put(prefix + garbage + "\r\n[s]\r\nk=found");
        SCOPED_TRACE(prefix.size());
        plat::ProfileSectionNames(kFile);
        plat::ProfileKeys(kFile, "");
        plat::ProfileSection(kFile, "");
        plat::ProfileInt(kFile, "", "k", 0);
        if (prefix.size() < 2) {
            EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "found");
        }
    }
}

TEST_F(ProfileRead, HugeLinesAreReadAsFarAsTheyGo) {
    const std::size_t size = 100u << 20;
    Put("k=" + std::string(size, 'x'));
    EXPECT_EQ(plat::ProfileString(kFile, "", "k").size(), size);

    // A header-like line with no ']' and a line of NULs: no scan may be quadratic.
    const std::size_t smaller = 16u << 20;
    Put("[" + std::string(smaller, 'x') + "\r\n[s]\r\nk=1");
    EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "1");
    Put(std::string(smaller, '\0') + "\r\n[s]\r\nk=2");
    EXPECT_EQ(plat::ProfileString(kFile, "s", "k"), "2");
}

TEST_F(ProfileRead, AChangedFileIsNeverServedFromTheCache) {
    // In place, same size, many times within one clock tick: only the bytes differ.
    for (int i = 0; i < 200; ++i) {
        std::string value = std::to_string(i % 10);
        Put("[s]\r\nk=" + value + "\r\n");
        ASSERT_EQ(plat::ProfileString(kFile, "s", "k"), value) << i;
    }
    // Replaced by a rename, same size, within one tick: the new file may even get the old inode number.
    const std::string host = prefix_.HostOf("C:\\WINDOWS\\t.ini");
    for (int i = 0; i < 200; ++i) {
        std::string value = std::to_string(i % 10);
        prefix_.WriteHost("C:\\WINDOWS\\t.new", "[s]\r\nk=" + value + "\r\n");
        ASSERT_EQ(std::rename(prefix_.HostOf("C:\\WINDOWS\\t.new").c_str(), host.c_str()), 0);
        ASSERT_EQ(plat::ProfileString(kFile, "s", "k"), value) << i;
    }
    std::remove(prefix_.HostOf("C:\\WINDOWS\\t.ini").c_str());
    EXPECT_EQ(plat::ProfileString(kFile, "s", "k", "gone"), "gone");
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);
}

} // namespace
