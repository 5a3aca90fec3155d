#include "platform/error.h"
#include "platform/file_pattern.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "support/file_size_limit.h"
#include "support/temp_prefix.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

constexpr std::uint32_t kRO = plat::kAttrReadOnly;
constexpr std::uint32_t kDir = plat::kAttrDirectory;
constexpr std::uint32_t kFile = plat::kAttrArchive;
constexpr std::uint32_t kLink = plat::kAttrReparsePoint;

class Files : public ::testing::Test {
  protected:
    std::string Host(std::string_view windows) const { return prefix.HostOf(windows); }
    void Write(std::string_view windows, std::string_view bytes) const { prefix.WriteHost(windows, bytes); }
    std::string Read(std::string_view windows) const { return prefix.ReadHost(windows); }
    void Folder(std::string_view windows) const { fs::create_directories(Host(windows)); }
    void Mode(std::string_view windows, mode_t mode) const { ::chmod(Host(windows).c_str(), mode); }
    mode_t ModeOf(std::string_view windows) const {
        struct stat st {};
        ::lstat(Host(windows).c_str(), &st);
        return st.st_mode & 07777;
    }
    void Link(std::string_view windows, const std::string& target) const {
        fs::create_symlink(target, Host(windows));
    }
    void SetWriteTime(std::string_view windows, time_t seconds) const {
        struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
        ::utimensat(AT_FDCWD, Host(windows).c_str(), times, AT_SYMLINK_NOFOLLOW);
    }
    time_t WriteTime(std::string_view windows) const {
        struct stat st {};
        ::stat(Host(windows).c_str(), &st);
        return st.st_mtim.tv_sec;
    }
    // Everything the host holds in a folder, hidden names included.
    std::vector<std::string> HostNames(std::string_view windowsFolder) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Host(windowsFolder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Listed names, or "error N".
    std::vector<std::string> Listed(std::string_view pattern) const {
        plat::SetLastError(0);
        auto found = plat::ListFiles(pattern);
        if (!found) return {"error " + std::to_string(plat::LastError())};
        std::vector<std::string> names;
        for (const auto& file : *found)
            names.push_back(file.name);
        return names;
    }

    tavo::test::TempPrefix prefix;
};

// ---- Attributes --------------------------------------------------------------------------------

TEST_F(Files, AttributesReportFoldersReadOnlyFilesAndLinks) {
    Write("C:\\Dir\\File.txt", "data");
    Write("C:\\Dir\\RO.txt", "data");
    Mode("C:\\Dir\\RO.txt", 0444);
    Write("C:\\Dir\\Group.txt", "data");
    Mode("C:\\Dir\\Group.txt", 0464); // any write bit keeps it writable
    Folder("C:\\Dir\\Sub");
    Link("C:\\Dir\\ToFile", Host("C:\\Dir\\RO.txt"));
    Link("C:\\Dir\\ToSub", "Sub");
    Link("C:\\Dir\\Dangling", "nowhere");
    const struct {
        const char* path;
        std::uint32_t attributes; // kInvalidAttributes: fails with `error`
        std::uint32_t error;
    } cases[] = {
        {"C:\\", kDir, 0},
        {"C:\\Dir", kDir, 0},
        {"C:\\dir\\", kDir, 0},
        {"c:/DIR/sub/", kDir, 0},
        {"C:\\DIR\\FILE.TXT", kFile, 0},
        {"C:\\Dir\\RO.txt", kFile | kRO, 0},
        {"C:\\Dir\\Group.txt", kFile, 0},
        {"C:\\Dir\\ToFile", kFile | kRO | kLink, 0},
        {"C:\\Dir\\ToSub", kDir | kLink, 0},
        {"C:\\Dir\\ToSub\\", kDir | kLink, 0},
        {"C:\\Dir\\Dangling", kFile | kLink, 0},
        {"C:\\Dir\\File.txt\\", plat::kInvalidAttributes, plat::kErrorInvalidName},
        {"C:\\Dir\\Missing.txt", plat::kInvalidAttributes, plat::kErrorFileNotFound},
        {"C:\\NoDir\\File.txt", plat::kInvalidAttributes, plat::kErrorPathNotFound},
        {"C:\\Dir\\File.txt\\x", plat::kInvalidAttributes, plat::kErrorPathNotFound},
        {"C:\\Dir\\a*", plat::kInvalidAttributes, plat::kErrorInvalidName},
        {"", plat::kInvalidAttributes, plat::kErrorPathNotFound},
    };
    for (const auto& c : cases) {
        plat::SetLastError(0);
        EXPECT_EQ(plat::FileAttributes(c.path), c.attributes) << c.path;
        if (c.attributes == plat::kInvalidAttributes) {
            EXPECT_EQ(plat::LastError(), c.error) << c.path;
        }
    }
}

TEST_F(Files, SetAttributesTogglesTheWriteBitsOfAFile) {
    Write("C:\\Dir\\a.ini", "x");
    Mode("C:\\Dir\\a.ini", 0664);
    ASSERT_TRUE(plat::SetFileAttributesTo("c:\\dir\\A.INI", plat::kAttrReadOnly | plat::kAttrArchive));
    EXPECT_EQ(ModeOf("C:\\Dir\\a.ini"), 0444u);
    EXPECT_EQ(plat::FileAttributes("C:\\Dir\\a.ini"), kFile | kRO);

    ASSERT_TRUE(plat::SetFileAttributesTo("C:\\Dir\\a.ini", plat::kAttrNormal));
    EXPECT_EQ(ModeOf("C:\\Dir\\a.ini"), 0644u);
    EXPECT_EQ(plat::FileAttributes("C:\\Dir\\a.ini"), kFile);

    // A folder keeps taking new files whatever its attribute says, as on Windows.
    ASSERT_TRUE(plat::SetFileAttributesTo("C:\\Dir", plat::kAttrReadOnly));
    EXPECT_EQ(plat::FileAttributes("C:\\Dir"), kDir);

    plat::SetLastError(0);
    EXPECT_FALSE(plat::SetFileAttributesTo("C:\\Dir\\missing", plat::kAttrReadOnly));
    EXPECT_EQ(plat::LastError(), plat::kErrorFileNotFound);
    EXPECT_FALSE(plat::SetFileAttributesTo("C:\\Nope\\missing", plat::kAttrReadOnly));
    EXPECT_EQ(plat::LastError(), plat::kErrorPathNotFound);
}

// ---- Copy --------------------------------------------------------------------------------------

TEST_F(Files, CopyCarriesDataWriteTimeAndReadOnlyAttribute) {
    Write("C:\\Src\\Cfg.ini", "[a]\nk=v\n");
    SetWriteTime("C:\\Src\\Cfg.ini", 1'000'000'000);
    Mode("C:\\Src\\Cfg.ini", 0444);
    Folder("C:\\Dst");

    ASSERT_TRUE(plat::CopyFileTo("c:\\src\\cfg.INI", "C:\\dst\\Copy.ini", true));
    EXPECT_EQ(Read("C:\\Dst\\Copy.ini"), "[a]\nk=v\n");
    EXPECT_EQ(WriteTime("C:\\Dst\\Copy.ini"), 1'000'000'000);
    EXPECT_EQ(plat::FileAttributes("C:\\Dst\\Copy.ini"), kFile | kRO);
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("Copy.ini")); // stored as written, no leftovers
}

TEST_F(Files, CopyOverAnExistingFileFollowsTheWindowsRules) {
    Write("C:\\Src\\new.ini", "new");
    Write("C:\\Dst\\old.ini", "old");
    Write("C:\\Dst\\ro.ini", "ro");
    Mode("C:\\Dst\\ro.ini", 0444);

    plat::SetLastError(0);
    EXPECT_FALSE(plat::CopyFileTo("C:\\Src\\new.ini", "C:\\Dst\\OLD.ini", true));
    EXPECT_EQ(plat::LastError(), plat::kErrorFileExists);
    EXPECT_EQ(Read("C:\\Dst\\old.ini"), "old");

    EXPECT_FALSE(plat::CopyFileTo("C:\\Src\\new.ini", "C:\\Dst\\ro.ini", false));
    EXPECT_EQ(plat::LastError(), plat::kErrorAccessDenied);
    EXPECT_EQ(Read("C:\\Dst\\ro.ini"), "ro");

    // Overwriting keeps the stored name of the destination.
    ASSERT_TRUE(plat::CopyFileTo("C:\\Src\\new.ini", "C:\\Dst\\OLD.ini", false));
    EXPECT_EQ(Read("C:\\Dst\\old.ini"), "new");
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("old.ini", "ro.ini"));
}

TEST_F(Files, CopyOfAFileOntoItselfFailsWithoutTouchingIt) {
    Write("C:\\Dir\\Self.ini", "keep");
    SetWriteTime("C:\\Dir\\Self.ini", 1'000'000'000);
    ::link(Host("C:\\Dir\\Self.ini").c_str(), Host("C:\\Dir\\Hard.ini").c_str());
    std::string zForm = "Z:" + prefix.host() + "\\drive_c\\Dir\\Self.ini";
    for (const std::string& destination :
         {std::string("C:\\Dir\\Self.ini"), std::string("c:\\DIR\\SELF.INI"),
          std::string("C:/Dir/./x/../Self.ini"), std::string("C:\\Dir\\Hard.ini"), zForm}) {
        plat::SetLastError(0);
        EXPECT_FALSE(plat::CopyFileTo("C:\\Dir\\Self.ini", destination, false)) << destination;
        EXPECT_EQ(plat::LastError(), plat::kErrorSharingViolation) << destination;
    }
    EXPECT_EQ(Read("C:\\Dir\\Self.ini"), "keep");
    EXPECT_EQ(WriteTime("C:\\Dir\\Self.ini"), 1'000'000'000);
    EXPECT_THAT(HostNames("C:\\Dir"), ElementsAre("Hard.ini", "Self.ini"));
}

TEST_F(Files, CopyReportsMissingAndUnsuitableEntries) {
    Write("C:\\Src\\a.ini", "a");
    Folder("C:\\Src\\Sub");
    Folder("C:\\Dst\\Sub");
    const struct {
        const char* source;
        const char* destination;
        std::uint32_t error;
    } cases[] = {
        {"C:\\Src\\missing.ini", "C:\\Dst\\a.ini", plat::kErrorFileNotFound},
        {"C:\\NoSrc\\a.ini", "C:\\Dst\\a.ini", plat::kErrorPathNotFound},
        {"C:\\Src\\a.ini", "C:\\NoDst\\a.ini", plat::kErrorPathNotFound},
        {"C:\\Src\\a.ini", "C:\\Src\\a.ini\\x.ini", plat::kErrorPathNotFound},
        {"C:\\Src\\Sub", "C:\\Dst\\Copy", plat::kErrorAccessDenied},
        {"C:\\Src\\a.ini", "C:\\Dst\\Sub", plat::kErrorAccessDenied},
        {"C:\\Src\\a.ini\\", "C:\\Dst\\a.ini", plat::kErrorInvalidName},
        {"C:\\Src\\a.ini", "C:\\Dst\\b?.ini", plat::kErrorInvalidName},
        // The source is looked at first.
        {"C:\\Src\\missing.ini", "C:\\NoDst\\a.ini", plat::kErrorFileNotFound},
    };
    for (const auto& c : cases) {
        plat::SetLastError(0);
        EXPECT_FALSE(plat::CopyFileTo(c.source, c.destination, false)) << c.source << " -> " << c.destination;
        EXPECT_EQ(plat::LastError(), c.error) << c.source << " -> " << c.destination;
    }
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("Sub"));
    EXPECT_TRUE(HostNames("C:\\Dst\\Sub").empty());
}

using tavo::test::FileSizeLimit;

TEST_F(Files, AFailedCopyLeavesNoPartialFileAndTheOldDestination) {
    std::string big(256 * 1024, 'x');
    Write("C:\\Src\\big.dat", big);
    Write("C:\\Dst\\old.dat", "old data");
    {
        FileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(plat::CopyFileTo("C:\\Src\\big.dat", "C:\\Dst\\old.dat", false));
        EXPECT_NE(plat::LastError(), 0u);
        EXPECT_FALSE(plat::CopyFileTo("C:\\Src\\big.dat", "C:\\Dst\\new.dat", false));
    }
    EXPECT_EQ(Read("C:\\Dst\\old.dat"), "old data");
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("old.dat"));
    // Without the limit the same copy goes through whole.
    ASSERT_TRUE(plat::CopyFileTo("C:\\Src\\big.dat", "C:\\Dst\\new.dat", true));
    EXPECT_EQ(Read("C:\\Dst\\new.dat"), big);
}

TEST_F(Files, CopyOfALargeFileKeepsEveryByte) {
    std::string data(9 * 1024 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>((i * 131 + i / 4096) & 0xFF);
    Write("C:\\Src\\video.bin", data);
    ASSERT_TRUE(plat::CopyFileTo("C:\\Src\\video.bin", "C:\\video.bin", false));
    EXPECT_EQ(Read("C:\\video.bin"), data);
}

TEST_F(Files, CopyOntoALinkWritesItsTargetAndKeepsTheLink) {
    Write("C:\\Src\\a.ini", "new");
    Write("C:\\Real\\a.ini", "old");
    Folder("C:\\Dst");
    Link("C:\\Dst\\a.ini", Host("C:\\Real\\a.ini"));
    ASSERT_TRUE(plat::CopyFileTo("C:\\Src\\a.ini", "C:\\Dst\\a.ini", false));
    EXPECT_TRUE(fs::is_symlink(Host("C:\\Dst\\a.ini")));
    EXPECT_EQ(Read("C:\\Real\\a.ini"), "new");
}

TEST_F(Files, ReplacingCopiesLandOnlyAtCommit) {
    Write("C:\\Src\\new.ini", "new file");
    Write("C:\\Src\\a.ini", "a new");
    Write("C:\\Src\\b.ini", "b new");
    SetWriteTime("C:\\Src\\b.ini", 1'000'000'000);
    Mode("C:\\Src\\b.ini", 0444);
    Write("C:\\Dst\\a.ini", "a old");
    Write("C:\\Dst\\Sub\\B.ini", "b old");
    {
        plat::ReplacingCopies batch;
        using Result = plat::ReplacingCopies::Result;
        EXPECT_EQ(batch.Add("C:\\Src\\new.ini", "C:\\Dst\\new.ini"), Result::Copied);
        EXPECT_EQ(Read("C:\\Dst\\new.ini"), "new file");
        EXPECT_EQ(batch.Add("C:\\Src\\a.ini", "C:\\Dst\\A.INI"), Result::Waiting);
        EXPECT_EQ(batch.Add("C:\\Src\\b.ini", "C:\\Dst\\Sub\\b.ini"), Result::Waiting);
        EXPECT_FALSE(batch.Full());
        // Until the commit the old files stand, and the temporaries beside them are not listed.
        EXPECT_EQ(Read("C:\\Dst\\a.ini"), "a old");
        EXPECT_EQ(HostNames("C:\\Dst").size(), 4u);
        EXPECT_THAT(Listed("C:\\Dst\\*.*"), ElementsAre(".", "..", "a.ini", "new.ini", "Sub"));

        EXPECT_THAT(batch.Commit(), ElementsAre(0u, 0u));
        EXPECT_TRUE(batch.Commit().empty());
    }
    EXPECT_EQ(Read("C:\\Dst\\a.ini"), "a new");
    EXPECT_EQ(Read("C:\\Dst\\Sub\\B.ini"), "b new");
    EXPECT_EQ(WriteTime("C:\\Dst\\Sub\\B.ini"), 1'000'000'000);
    EXPECT_EQ(plat::FileAttributes("C:\\Dst\\Sub\\B.ini"), kFile | kRO);
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("Sub", "a.ini", "new.ini"));
    EXPECT_THAT(HostNames("C:\\Dst\\Sub"), ElementsAre("B.ini"));
}

TEST_F(Files, AReplacingBatchThatFailsPartWayKeepsTheOldFilesAndNoTemporaries) {
    Write("C:\\Src\\a.ini", "a new");
    Write("C:\\Src\\b.ini", "b new");
    Write("C:\\Src\\c.ini", "c new");
    Write("C:\\Src\\big.dat", std::string(256 * 1024, 'x'));
    for (const char* name : {"a.ini", "b.ini", "c.ini", "big.dat", "ro.ini"})
        Write(std::string("C:\\Dst\\") + name, "old");
    Mode("C:\\Dst\\ro.ini", 0444);
    using Result = plat::ReplacingCopies::Result;
    {
        plat::ReplacingCopies batch;
        EXPECT_EQ(batch.Add("C:\\Src\\a.ini", "C:\\Dst\\a.ini"), Result::Waiting);
        // Refused before anything is written, with CopyFileTo's errors.
        const struct {
            const char* source;
            const char* destination;
            std::uint32_t error;
        } refused[] = {
            {"C:\\Src\\a.ini", "C:\\Dst\\ro.ini", plat::kErrorAccessDenied},
            {"C:\\Src\\a.ini", "C:\\Src\\A.ini", plat::kErrorSharingViolation},
            {"C:\\Src\\gone.ini", "C:\\Dst\\c.ini", plat::kErrorFileNotFound},
        };
        for (const auto& c : refused) {
            plat::SetLastError(0);
            EXPECT_EQ(batch.Add(c.source, c.destination), Result::Failed) << c.destination;
            EXPECT_EQ(plat::LastError(), c.error) << c.destination;
        }
        {
            // The disk fills while a temporary is written.
            FileSizeLimit limit(64 * 1024);
            EXPECT_EQ(batch.Add("C:\\Src\\big.dat", "C:\\Dst\\big.dat"), Result::Failed);
        }
        EXPECT_EQ(batch.Add("C:\\Src\\b.ini", "C:\\Dst\\b.ini"), Result::Waiting);
        EXPECT_EQ(batch.Add("C:\\Src\\c.ini", "C:\\Dst\\c.ini"), Result::Waiting);
        // A folder takes a destination's place before the renames.
        fs::remove(Host("C:\\Dst\\b.ini"));
        Write("C:\\Dst\\b.ini\\inner.ini", "inner");

        const std::vector<std::uint32_t> results = batch.Commit();
        ASSERT_EQ(results.size(), 3u);
        EXPECT_EQ(results[0], 0u);
        EXPECT_NE(results[1], 0u);
        EXPECT_EQ(results[2], 0u);
    }
    EXPECT_EQ(Read("C:\\Dst\\a.ini"), "a new");
    EXPECT_EQ(Read("C:\\Dst\\b.ini\\inner.ini"), "inner");
    EXPECT_EQ(Read("C:\\Dst\\c.ini"), "c new");
    EXPECT_EQ(Read("C:\\Dst\\big.dat"), "old");
    EXPECT_EQ(Read("C:\\Dst\\ro.ini"), "old");
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("a.ini", "b.ini", "big.dat", "c.ini", "ro.ini"));
    EXPECT_THAT(HostNames("C:\\Src"), ElementsAre("a.ini", "b.ini", "big.dat", "c.ini"));
}

TEST_F(Files, AReplacingBatchGivenUpBeforeCommitLeavesEveryDestinationOld) {
    Write("C:\\Src\\a.ini", "a new");
    Write("C:\\Src\\b.ini", "b new");
    Write("C:\\Dst\\a.ini", "a old");
    Write("C:\\Dst\\Sub\\b.ini", "b old");
    {
        plat::ReplacingCopies batch;
        EXPECT_EQ(batch.Add("C:\\Src\\a.ini", "C:\\Dst\\a.ini"), plat::ReplacingCopies::Result::Waiting);
        EXPECT_EQ(batch.Add("C:\\Src\\b.ini", "C:\\Dst\\Sub\\b.ini"), plat::ReplacingCopies::Result::Waiting);
    }
    EXPECT_EQ(Read("C:\\Dst\\a.ini"), "a old");
    EXPECT_EQ(Read("C:\\Dst\\Sub\\b.ini"), "b old");
    EXPECT_THAT(HostNames("C:\\Dst"), ElementsAre("Sub", "a.ini"));
    EXPECT_THAT(HostNames("C:\\Dst\\Sub"), ElementsAre("b.ini"));
}

// ---- Delete ------------------------------------------------------------------------------------

TEST_F(Files, RemoveDeletesOneFileAndNothingElse) {
    Write("C:\\Dir\\Plain.txt", "x");
    Write("C:\\Dir\\RO.txt", "x");
    Mode("C:\\Dir\\RO.txt", 0444);
    Write("C:\\Dir\\Sub\\Inner.txt", "x");
    Write("C:\\Target\\t.txt", "x");
    Mode("C:\\Target\\t.txt", 0444);
    Link("C:\\Dir\\LinkFile", Host("C:\\Target\\t.txt"));
    Link("C:\\Dir\\LinkDir", Host("C:\\Target"));
    const struct {
        const char* path;
        std::uint32_t error; // 0: removed
    } cases[] = {
        {"C:\\Dir\\Sub", plat::kErrorAccessDenied},
        {"C:\\Dir\\Sub\\", plat::kErrorAccessDenied},
        {"C:\\Dir\\RO.txt", plat::kErrorAccessDenied},
        {"C:\\Dir\\Missing.txt", plat::kErrorFileNotFound},
        {"C:\\NoDir\\Missing.txt", plat::kErrorPathNotFound},
        {"", plat::kErrorPathNotFound},
        {"C:\\Dir\\Plain.txt\\", plat::kErrorInvalidName},
        {"c:\\dir\\PLAIN.TXT", 0},
        {"C:\\Dir\\LinkFile", 0},
        {"C:\\Dir\\LinkDir", 0},
    };
    for (const auto& c : cases) {
        plat::SetLastError(0);
        EXPECT_EQ(plat::RemoveFile(c.path), c.error == 0) << c.path;
        if (c.error) {
            EXPECT_EQ(plat::LastError(), c.error) << c.path;
        }
    }
    EXPECT_THAT(HostNames("C:\\Dir"), ElementsAre("RO.txt", "Sub"));
    EXPECT_THAT(HostNames("C:\\Dir\\Sub"), ElementsAre("Inner.txt"));
    EXPECT_THAT(HostNames("C:\\Target"), ElementsAre("t.txt")); // link targets untouched
}

TEST_F(Files, MoveReplacingRenamesOverAFileAndRefusesWhatItMustNotReplace) {
    Write("C:\\Dir\\New.hiv", "new");
    Write("C:\\Dir\\Old.hiv", "old");
    EXPECT_TRUE(plat::MoveFileReplacing("C:\\Dir\\new.HIV", "C:\\Dir\\OLD.hiv"));
    EXPECT_THAT(HostNames("C:\\Dir"), ElementsAre("Old.hiv"));
    EXPECT_EQ(Read("C:\\Dir\\Old.hiv"), "new");

    Write("C:\\Dir\\Next.hiv", "next");
    Write("C:\\Dir\\RO.hiv", "kept");
    Mode("C:\\Dir\\RO.hiv", 0444);
    Folder("C:\\Dir\\Sub");
    const struct {
        const char* from;
        const char* to;
        std::uint32_t error;
    } refused[] = {
        {"C:\\Dir\\Next.hiv", "C:\\Dir\\RO.hiv", plat::kErrorAccessDenied},
        {"C:\\Dir\\Next.hiv", "C:\\Dir\\Sub", plat::kErrorAccessDenied},
        {"C:\\Dir\\Sub", "C:\\Dir\\Moved", plat::kErrorAccessDenied},
        {"C:\\Dir\\Missing.hiv", "C:\\Dir\\Old.hiv", plat::kErrorFileNotFound},
    };
    for (const auto& c : refused) {
        EXPECT_FALSE(plat::MoveFileReplacing(c.from, c.to)) << c.from << " " << c.to;
        EXPECT_EQ(plat::LastError(), c.error) << c.from << " " << c.to;
    }
    EXPECT_EQ(Read("C:\\Dir\\RO.hiv"), "kept");
    EXPECT_EQ(Read("C:\\Dir\\Next.hiv"), "next");
}

// ---- Listing -----------------------------------------------------------------------------------

TEST(FilePattern, FollowsTheDosWildcardRules) {
    const struct {
        const char* mask;
        const char* name;
        bool matches;
    } cases[] = {
        {"*", "abc", true},
        {"*", "a.b", true},
        {"*.*", "abc", true}, // names without a dot too
        {"*.*", "a.b.c", true},
        {"*.*", ".", true},
        {"*.*", "..", true},
        {"*.", "abc", true}, // names without an extension
        {"*.", "a.b", false},
        {"*.", ".", false},
        {"a.<", "a.bc", true}, // "<" passes any character but the last dot
        {"<.c", "a.b.c", true},
        {"<", "a.b", false},
        {"*.ini", "ORV.INI", true},
        {"*.INI", "orv.ini", true},
        {"*.ini", "orv.ini.bak", false},
        {"*.ini", "orv.inix", false},
        {"*.ini", "orv.in", false},
        {"*.ini", ".ini", true},
        {"*.ini", ".", false},
        {"orv*.ini", "OrvMulti.ini", true},
        {"orv*.ini", "xOrv.ini", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a??", "a", true}, // "?" matches nothing at the end of the name
        {"a??", "ab", true},
        {"a??", "abcd", false},
        {"a?.txt", "a.txt", true}, // and nothing at a dot
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"????????.???", "a.b", true},
        {"????????.???", "abcdefghi.txt", false},
        {"*.tx?", "a.tx", true},
        {"*.tx?", "a.txt", true},
        {"a.*", "a", true}, // ".*" also matches the end of the name
        {"a.*", "a.b.c", true},
        {"a.*", "ab", false},
        {"a.ini.", "a.ini", true}, // trailing dots and spaces of the mask are dropped
        {"a.ini  ", "A.INI", true},
        {"exact.ini", "Exact.INI", true},
        {"exact.ini", "exact.ini2", false},
        {"*a*b*", "xaybz", true},
        {"*a*b*", "xbya", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::FilePattern(c.mask).Matches(c.name), c.matches) << c.mask << " on " << c.name;
}

TEST_F(Files, ListingGivesDotsFirstThenNamesInCaseInsensitiveOrder) {
    for (const char* name : {"b.txt", "A.ini", "_under", "c", "C", "a.INI.bak", "Zed", "z0"})
        Write(std::string("C:\\Dir\\") + name, "x");
    Folder("C:\\Dir\\Folder");
    EXPECT_THAT(Listed("C:\\Dir\\*.*"), ElementsAre(".", "..", "A.ini", "a.INI.bak", "b.txt", "C", "c",
                                                    "Folder", "z0", "Zed", "_under"));
    EXPECT_THAT(Listed("c:/dir/*"), ElementsAre(".", "..", "A.ini", "a.INI.bak", "b.txt", "C", "c", "Folder",
                                                "z0", "Zed", "_under"));
    EXPECT_THAT(Listed("C:\\DIR\\*.ini"), ElementsAre("A.ini"));
    EXPECT_THAT(Listed("C:\\Dir\\*."), ElementsAre("C", "c", "Folder", "z0", "Zed", "_under"));
    EXPECT_THAT(Listed("C:\\Dir\\a.ini"), ElementsAre("A.ini"));
    EXPECT_THAT(Listed("C:\\Dir\\folder"), ElementsAre("Folder"));
    EXPECT_THAT(Listed("C:\\Dir"), ElementsAre("Dir"));
}

TEST_F(Files, ListingOfADriveRootHasNoDots) {
    Write("C:\\file.txt", "x");
    std::vector<std::string> names = Listed("C:\\*.*");
    ASSERT_FALSE(names.empty());
    EXPECT_NE(names.front(), ".");
    EXPECT_EQ(std::count(names.begin(), names.end(), ".."), 0);
    EXPECT_EQ(std::count(names.begin(), names.end(), "file.txt"), 1);
}

TEST_F(Files, ListingReportsAttributesAndSizes) {
    Write("C:\\Dir\\five.txt", "12345");
    Write("C:\\Dir\\ro.txt", "123");
    Mode("C:\\Dir\\ro.txt", 0444);
    Folder("C:\\Dir\\Sub");
    Link("C:\\Dir\\link.txt", "five.txt");
    auto found = plat::ListFiles("C:\\Dir\\*.*");
    ASSERT_TRUE(found);
    std::vector<std::string> rows;
    for (const auto& f : *found)
        rows.push_back(f.name + " " + std::to_string(f.attributes) + " " + std::to_string(f.size));
    auto row = [](const char* name, std::uint32_t attributes, std::uint64_t size) {
        return std::string(name) + " " + std::to_string(attributes) + " " + std::to_string(size);
    };
    EXPECT_THAT(rows, ElementsAre(row(".", kDir, 0), row("..", kDir, 0), row("five.txt", kFile, 5),
                                  row("link.txt", kFile | kLink, 5), row("ro.txt", kFile | kRO, 3),
                                  row("Sub", kDir, 0)));
}

TEST_F(Files, ListingHidesNamesWindowsCannotHoldAndTemporaryFiles) {
    Write("C:\\Dir\\shown.ini", "x");
    for (const char* odd :
         {"a\\b", "what?", "x:y", "pipe|name", "star*", "quote\"", "tab\tname", ".~tavo-1-2-3.tmp"})
        std::ofstream(Host("C:\\Dir") + "/" + odd) << "x"; // as named on the host, backslash and all
    EXPECT_THAT(Listed("C:\\Dir\\*"), ElementsAre(".", "..", "shown.ini"));
    EXPECT_EQ(HostNames("C:\\Dir").size(), 9u);
}

TEST_F(Files, ListingFailuresSayWhetherTheFolderOrTheNameIsMissing) {
    Write("C:\\Dir\\a.txt", "x");
    const struct {
        const char* pattern;
        std::uint32_t error;
    } cases[] = {
        {"C:\\Dir\\*.ini", plat::kErrorFileNotFound},      {"C:\\Dir\\b.txt", plat::kErrorFileNotFound},
        {"C:\\Dir\\", plat::kErrorFileNotFound},           {"C:\\", plat::kErrorFileNotFound},
        {"C:\\Missing\\*.*", plat::kErrorPathNotFound},    {"C:\\Missing\\a.txt", plat::kErrorPathNotFound},
        {"C:\\Dir\\a.txt\\*.*", plat::kErrorPathNotFound}, {"Q:\\*.*", plat::kErrorPathNotFound},
    };
    for (const auto& c : cases)
        EXPECT_THAT(Listed(c.pattern), ElementsAre("error " + std::to_string(c.error))) << c.pattern;
}

// ---- Folders, free space, whole files ----------------------------------------------------------

TEST_F(Files, CreateFolderChainGivesTheShellResults) {
    Write("C:\\file.txt", "x");
    Folder("C:\\Have\\Sub");
    const std::string longPath =
        "C:\\Long\\" + std::string(120, 'a') + "\\" + std::string(120, 'b') + "\\" + std::string(120, 'c');
    const struct {
        std::string path;
        std::uint32_t result;
    } cases[] = {
        {"C:\\New\\Deep\\Er", 0},
        {"C:\\new\\DEEP\\er\\", plat::kErrorAlreadyExists},
        {"C:\\HAVE\\sub\\More", 0}, // below the stored case, no second "Have"
        {"C:\\Have", plat::kErrorAlreadyExists},
        {"C:\\", plat::kErrorAlreadyExists},
        {"Relative\\Path", plat::kErrorBadPathname},
        {"", plat::kErrorBadPathname},
        {"C:\\file.txt", plat::kErrorAccessDenied},
        {"C:\\file.txt\\Sub", plat::kErrorAccessDenied},
        {"C:\\Bad*Name\\Sub", plat::kErrorPathNotFound},
        {"Q:\\Folder", plat::kErrorPathNotFound},
        // Longer than the 248 characters of Windows: the host can hold it, so it is made.
        {longPath, 0},
        {"C:\\" + std::string(300, 'n'), plat::kErrorFilenameExcedRange},
    };
    for (const auto& c : cases) {
        plat::SetLastError(12345);
        EXPECT_EQ(plat::CreateFolderChain(c.path), c.result) << c.path;
        EXPECT_EQ(plat::LastError(), c.result) << c.path;
    }
    EXPECT_TRUE(fs::is_directory(Host("C:\\New\\Deep\\Er")));
    EXPECT_TRUE(fs::is_directory(Host("C:\\Have\\Sub\\More")));
    EXPECT_TRUE(fs::is_directory(Host(longPath)));
    EXPECT_THAT(HostNames("C:\\"), ElementsAre("Have", "Long", "New", "file.txt"));
}

TEST_F(Files, DiskFreeSpaceAnswersForAnyFolderOfTheVolume) {
    Folder("C:\\Dir");
    std::uint64_t available = 0, total = 0, free = 0;
    ASSERT_TRUE(plat::DiskFreeSpace("C:\\", &available, &total, &free));
    EXPECT_GT(total, 0u);
    EXPECT_LE(free, total);
    EXPECT_LE(available, free);
    std::uint64_t totalOfDir = 0;
    ASSERT_TRUE(plat::DiskFreeSpace("c:\\dir", nullptr, &totalOfDir, nullptr));
    EXPECT_EQ(totalOfDir, total);
    for (const char* bad : {"", "C:\\Missing\\", "Q:\\"}) {
        plat::SetLastError(0);
        EXPECT_FALSE(plat::DiskFreeSpace(bad, &available, &total, &free)) << bad;
        EXPECT_EQ(plat::LastError(), plat::kErrorPathNotFound) << bad;
    }
}

TEST_F(Files, WholeFileHelpersReadAndReplaceWindowsPaths) {
    Write("C:\\Data\\Store.bin", "old");
    Mode("C:\\Data\\Store.bin", 0600);
    ASSERT_TRUE(plat::WriteFileAtomic("c:\\data\\STORE.BIN", std::string("new\0data", 8)));
    EXPECT_EQ(*plat::ReadFileBytes("C:\\Data\\Store.bin"), std::string("new\0data", 8));
    // A header read stops at its count, and a shorter file gives what it has.
    EXPECT_EQ(*plat::ReadFileStart("C:\\Data\\Store.bin", 5), std::string("new\0d", 5));
    EXPECT_EQ(*plat::ReadFileStart("C:\\Data\\Store.bin", 54), std::string("new\0data", 8));
    EXPECT_EQ(ModeOf("C:\\Data\\Store.bin"), 0600u); // kept, under the stored name
    EXPECT_THAT(HostNames("C:\\Data"), ElementsAre("Store.bin"));

    ASSERT_TRUE(plat::WriteFileAtomic("C:\\Data\\New.bin", "n"));
    EXPECT_EQ(Read("C:\\Data\\New.bin"), "n");

    Write("C:\\Data\\RO.bin", "ro");
    Mode("C:\\Data\\RO.bin", 0444);
    const struct {
        bool write;
        const char* path;
        std::uint32_t error;
    } failures[] = {
        {false, "C:\\Data\\Missing.bin", plat::kErrorFileNotFound},
        {false, "C:\\NoData\\Missing.bin", plat::kErrorPathNotFound},
        {true, "C:\\NoData\\New.bin", plat::kErrorPathNotFound},
        {true, "C:\\Data\\RO.bin", plat::kErrorAccessDenied},
        {true, "C:\\Data", plat::kErrorAccessDenied},
    };
    for (const auto& f : failures) {
        plat::SetLastError(0);
        bool ok = f.write ? plat::WriteFileAtomic(f.path, "x") : plat::ReadFileBytes(f.path).has_value();
        EXPECT_FALSE(ok) << f.path;
        EXPECT_EQ(plat::LastError(), f.error) << f.path;
    }
    EXPECT_EQ(Read("C:\\Data\\RO.bin"), "ro");
    EXPECT_FALSE(fs::exists(Host("C:\\NoData")));
}

} // namespace
