#include "engine/copy.h"

#include "engine_fixture.h"
#include "support/file_size_limit.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace tavo::test {
namespace {

class Copy : public EngineTest {};

TEST_F(Copy, CopyOneFileMakesTheDestinationFolders) {
    Write("C:\\Live\\a.ini", "alpha");
    EXPECT_EQ(CopyOneFile("C:\\Live\\a.ini", "C:\\Pkg\\Deep\\Er\\a.ini", 0, 1), 1);
    EXPECT_EQ(Read("C:\\Pkg\\Deep\\Er\\a.ini"), "alpha");
    ASSERT_EQ(CurrentRunLog().entries().size(), 1u);
    EXPECT_EQ(CurrentRunLog().entries()[0].event, RunEvent::Copied);
    EXPECT_EQ(CurrentRunLog().entries()[0].path, "C:\\Pkg\\Deep\\Er\\a.ini");
}

TEST_F(Copy, AMissingSourceRemovesTheDestinationOnlyWhenAsked) {
    Write("C:\\Live\\old.ini", "stale");
    Write("C:\\Live\\Tool.EXE", "program");
    Write("C:\\Keep\\old.ini", "kept");
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\old.ini", "C:\\Live\\old.ini", 0, 1), 1);
    EXPECT_FALSE(Exists("C:\\Live\\old.ini"));
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\Tool.EXE", "C:\\Live\\Tool.EXE", 0, 1), 1);
    EXPECT_EQ(Read("C:\\Live\\Tool.EXE"), "program");
    EXPECT_EQ(CopyOneFile("C:\\Pkg\\old.ini", "C:\\Keep\\old.ini", 0, 0), 1);
    EXPECT_EQ(Read("C:\\Keep\\old.ini"), "kept");
    EXPECT_EQ(Logged(RunEvent::Deleted), 1u);
    EXPECT_EQ(Logged(RunEvent::Kept), 1u);
    EXPECT_EQ(Logged(RunEvent::Skipped), 1u);
}

TEST_F(Copy, AFailedCopyKeepsThePreviousDestinationAndReportsTheError) {
    Write("C:\\Live\\a.ini", "new data");
    Write("C:\\Pkg\\a.ini", "previous");
    MakeReadOnly("C:\\Pkg\\a.ini");
    EXPECT_EQ(CopyOneFile("C:\\Live\\a.ini", "C:\\Pkg\\a.ini", 0, 1), 0);
    EXPECT_EQ(Read("C:\\Pkg\\a.ini"), "previous");
    ASSERT_EQ(Logged(RunEvent::Failed), 1u);
    EXPECT_NE(CurrentRunLog().entries().back().detail.find("error 5"), std::string::npos);
    // No temporary file is left beside it.
    std::size_t names = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(prefix.HostOf("C:\\Pkg")))
        ++names;
    EXPECT_EQ(names, 1u);
}

TEST_F(Copy, AnEmptySourceIsCopiedAndAlwaysSucceeds) {
    Write("C:\\Live\\empty.ini", "");
    EXPECT_EQ(CopyOneFile("C:\\Live\\empty.ini", "C:\\Pkg\\empty.ini", 0, 1), 1);
    EXPECT_TRUE(IsFile("C:\\Pkg\\empty.ini"));
    EXPECT_EQ(Read("C:\\Pkg\\empty.ini"), "");
    // Even when that copy fails.
    Write("C:\\Locked\\empty.ini", "previous");
    MakeReadOnly("C:\\Locked\\empty.ini");
    EXPECT_EQ(CopyOneFile("C:\\Live\\empty.ini", "C:\\Locked\\empty.ini", 0, 1), 1);
    EXPECT_EQ(Read("C:\\Locked\\empty.ini"), "previous");
}

TEST_F(Copy, AFileCopiedOntoItselfStaysAndSucceeds) {
    Write("C:\\Prog\\Setup.ini", "settings");
    EXPECT_EQ(CopyOneFile("C:\\Prog\\Setup.ini", "c:\\PROG\\setup.INI", 0, 1), 1);
    EXPECT_EQ(Read("C:\\Prog\\Setup.ini"), "settings");
    EXPECT_EQ(Logged(RunEvent::Kept), 1u);
    EXPECT_EQ(Logged(RunEvent::Deleted) + Logged(RunEvent::Failed), 0u);
}

TEST_F(Copy, AFolderAsSourceCopiesAndDeletesNothing) {
    MakeFolder("C:\\Live\\Sub");
    Write("C:\\Pkg\\Sub", "a file named like the folder");
    EXPECT_EQ(CopyOneFile("C:\\Live\\Sub", "C:\\Pkg\\Sub", 0, 1), 1);
    EXPECT_EQ(Read("C:\\Pkg\\Sub"), "a file named like the folder");
}

TEST_F(Copy, CopyFolderTreeRecreatesTheWholeTree) {
    Write("C:\\Live\\Skin\\a.bmp", "A");
    Write("C:\\Live\\Skin\\Blue\\b.bmp", "B");
    Write("C:\\Live\\Skin\\Blue\\Dark\\c.bmp", "C");
    MakeFolder("C:\\Live\\Skin\\Empty\\Inner");
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\Skin\\", "C:\\Live\\Skin\\"), 1);
    EXPECT_EQ(Read("C:\\Pkg\\Skin\\a.bmp"), "A");
    EXPECT_EQ(Read("C:\\Pkg\\Skin\\Blue\\b.bmp"), "B");
    EXPECT_EQ(Read("C:\\Pkg\\Skin\\Blue\\Dark\\c.bmp"), "C");
    EXPECT_TRUE(IsFolder("C:\\Pkg\\Skin\\Empty\\Inner"));
    EXPECT_EQ(Logged(RunEvent::Copied), 3u);
}

TEST_F(Copy, CopyFolderTreeWithoutClosingBackslashesStaysInsideTheFolders) {
    Write("C:\\Live\\Skin\\a.bmp", "A");
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\Skin", "C:\\Live\\Skin"), 1);
    EXPECT_EQ(Read("C:\\Pkg\\Skin\\a.bmp"), "A");
    EXPECT_FALSE(Exists("C:\\Pkg\\Skina.bmp"));
}

TEST_F(Copy, CopyFolderTreeNeedsASourceFolderAndADestinationItCanMake) {
    Write("C:\\Live\\file.txt", "x");
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\A\\", "C:\\Live\\Missing\\"), 0);
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\A\\", "C:\\Live\\file.txt"), 0);
    EXPECT_FALSE(Exists("C:\\Pkg\\A"));
    MakeFolder("C:\\Live\\Tree");
    Write("C:\\Live\\Tree\\t.txt", "t");
    Write("C:\\Pkg\\InTheWay", "a file");
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\InTheWay\\", "C:\\Live\\Tree\\"), 0);
    EXPECT_EQ(Read("C:\\Pkg\\InTheWay"), "a file");
    EXPECT_EQ(Logged(RunEvent::Failed), 1u);
}

TEST_F(Copy, CopyFolderTreeGoesOnPastAFileThatFails) {
    Write("C:\\Live\\T\\a.txt", "A");
    Write("C:\\Live\\T\\b.txt", "B");
    Write("C:\\Live\\T\\c.txt", "C");
    Write("C:\\Pkg\\T\\b.txt", "old");
    MakeReadOnly("C:\\Pkg\\T\\b.txt");
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\T\\", "C:\\Live\\T\\"), 1);
    EXPECT_EQ(Read("C:\\Pkg\\T\\a.txt"), "A");
    EXPECT_EQ(Read("C:\\Pkg\\T\\b.txt"), "old");
    EXPECT_EQ(Read("C:\\Pkg\\T\\c.txt"), "C");
}

TEST_F(Copy, CopyFolderTreeOverAnOldTreeReplacesEachFileWholeOrNotAtAll) {
    Write("C:\\Pkg\\T\\a.txt", "A new");
    Write("C:\\Pkg\\T\\big.dat", std::string(256 * 1024, 'x'));
    Write("C:\\Pkg\\T\\Sub\\b.txt", "B new");
    Write("C:\\Pkg\\T\\Sub\\n.txt", "N");
    for (const char* name : {"a.txt", "big.dat", "Sub\\b.txt"})
        Write(std::string("C:\\Live\\T\\") + name, "old");
    {
        // The disk fills while one replacing copy is written.
        FileSizeLimit limit(64 * 1024);
        EXPECT_EQ(CopyFolderTree("C:\\Live\\T\\", "C:\\Pkg\\T\\"), 1);
    }
    EXPECT_EQ(Read("C:\\Live\\T\\a.txt"), "A new");
    EXPECT_EQ(Read("C:\\Live\\T\\big.dat"), "old");
    EXPECT_EQ(Read("C:\\Live\\T\\Sub\\b.txt"), "B new");
    EXPECT_EQ(Read("C:\\Live\\T\\Sub\\n.txt"), "N");
    // Each file is recorded once, a replaced one as copied from its source.
    const auto& entries = CurrentRunLog().entries();
    EXPECT_EQ(Logged(RunEvent::Copied), 3u);
    EXPECT_EQ(Logged(RunEvent::Failed), 1u);
    EXPECT_EQ(entries.size(), 4u);
    EXPECT_TRUE(std::any_of(entries.begin(), entries.end(), [](const RunLogEntry& e) {
        return e.event == RunEvent::Copied && e.path == "C:\\Live\\T\\Sub\\b.txt" &&
               e.detail == "C:\\Pkg\\T\\Sub\\b.txt";
    }));
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(prefix.HostOf("C:\\Live\\T")))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Sub", "a.txt", "b.txt", "big.dat", "n.txt"}));
}

TEST_F(Copy, CopyFolderTreeDoesNotFollowFolderLinks) {
    Write("C:\\Elsewhere\\big.dat", "not part of the tree");
    Write("C:\\Live\\T\\own.txt", "own");
    fs::create_directory_symlink(prefix.HostOf("C:\\Elsewhere"), prefix.HostOf("C:\\Live\\T\\Link"));
    EXPECT_EQ(CopyFolderTree("C:\\Pkg\\T\\", "C:\\Live\\T\\"), 1);
    EXPECT_EQ(Read("C:\\Pkg\\T\\own.txt"), "own");
    EXPECT_FALSE(Exists("C:\\Pkg\\T\\Link"));
}

TEST_F(Copy, CopyFolderTreeIntoItsOwnSubfolderEnds) {
    Write("C:\\Data\\a.txt", "A");
    Write("C:\\Data\\Sub\\b.txt", "B");
    EXPECT_EQ(CopyFolderTree("C:\\Data\\Sub\\Copy\\", "C:\\Data\\"), 1);
    EXPECT_EQ(Read("C:\\Data\\Sub\\Copy\\a.txt"), "A");
    EXPECT_EQ(Read("C:\\Data\\Sub\\Copy\\Sub\\b.txt"), "B");
    EXPECT_FALSE(Exists("C:\\Data\\Sub\\Copy\\Sub\\Copy"));
}

TEST_F(Copy, CopyFolderTreeOntoItselfKeepsEveryFile) {
    Write("C:\\Prog\\Skin\\a.bmp", "A");
    Write("C:\\Prog\\Skin\\Sub\\b.bmp", "B");
    EXPECT_EQ(CopyFolderTree("C:\\Prog\\Skin\\", "c:\\prog\\skin\\"), 1);
    EXPECT_EQ(Read("C:\\Prog\\Skin\\a.bmp"), "A");
    EXPECT_EQ(Read("C:\\Prog\\Skin\\Sub\\b.bmp"), "B");
    EXPECT_EQ(Logged(RunEvent::Kept), 2u);
}

} // namespace
} // namespace tavo::test
