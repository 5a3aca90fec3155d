#include "platform/folder_browser.h"

#include "platform/operator.h"
#include "platform/paths.h"
#include "support/scripted_operator.h"
#include "support/temp_prefix.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using tavo::test::ScriptedOperator;
using ::testing::ElementsAre;

class FolderBrowserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::SetCurrentFolder("C:\\Work");
        plat::SetMainOperator(nullptr);
    }

    tavo::test::TempPrefix prefix;
    ScriptedOperator op;
};

TEST_F(FolderBrowserTest, BothFoldersStartAsTheCurrentFolder) {
    plat::SetCurrentFolder("C:\\Work\\Here");
    plat::FolderBrowser browser;
    EXPECT_EQ(browser.initialFolder, "C:\\Work\\Here");
    EXPECT_EQ(browser.chosenFolder, "C:\\Work\\Here");
    EXPECT_EQ(browser.caption, "");
}

TEST_F(FolderBrowserTest, PromptOpensOnTheInitialFolderWithoutTrailingBlanksAndOneSeparator) {
    struct Case {
        const char* initial;
        const char* cleaned;
    };
    const Case cases[] = {
        {"C:\\Data", "C:\\Data"},
        {"C:\\Data\\", "C:\\Data"},
        {"C:\\Data/", "C:\\Data"},
        {"C:\\Data\\  \t", "C:\\Data"},
        {"C:\\Data\\\\", "C:\\Data\\"},
        {"C:\\Data \\", "C:\\Data "},
        {"C:\\", "C:"},
        {"   ", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        ScriptedOperator prompt;
        plat::FolderBrowser browser;
        browser.caption = "Pick";
        browser.initialFolder = c.initial;
        EXPECT_FALSE(browser.Browse(&prompt));
        EXPECT_THAT(prompt.calls(), ElementsAre(std::string("folder? Pick | ") + c.cleaned)) << c.initial;
        EXPECT_EQ(browser.initialFolder, c.cleaned);
    }
}

TEST_F(FolderBrowserTest, ChosenFolderIsKept) {
    op.AnswerFolder("C:\\Data\\Cameras");
    plat::FolderBrowser browser;
    browser.caption = "Backup folder";
    EXPECT_TRUE(browser.Browse(&op));
    EXPECT_EQ(browser.chosenFolder, "C:\\Data\\Cameras");
    EXPECT_THAT(op.calls(), ElementsAre("folder? Backup folder | C:\\Work"));
}

TEST_F(FolderBrowserTest, DriveRootCannotBeChosen) {
    op.AnswerFolder("C:\\").AnswerFolder("D:").AnswerFolder("C:\\Cam");
    plat::FolderBrowser browser;
    EXPECT_TRUE(browser.Browse(&op));
    EXPECT_EQ(browser.chosenFolder, "C:\\Cam");
    EXPECT_THAT(op.calls(), ElementsAre("folder?  | C:\\Work", "folder refused C:\\", "folder refused D:"));

    ScriptedOperator onlyRoots;
    onlyRoots.AnswerFolder("E:\\");
    plat::FolderBrowser other;
    EXPECT_FALSE(other.Browse(&onlyRoots));
    EXPECT_EQ(other.chosenFolder, "C:\\Work");
}

TEST_F(FolderBrowserTest, CancelLeavesTheChosenFolder) {
    op.CancelFolder();
    plat::FolderBrowser browser;
    browser.chosenFolder = "C:\\Before";
    EXPECT_FALSE(browser.Browse(&op));
    EXPECT_EQ(browser.chosenFolder, "C:\\Before");
}

TEST_F(FolderBrowserTest, WithoutAnOwnerTheMainOperatorAsks) {
    plat::FolderBrowser browser;
    EXPECT_FALSE(browser.Browse(nullptr)); // no main operator: nobody to ask

    op.AnswerFolder("C:\\Main");
    tavo::test::MainOperatorScope scope(op);
    EXPECT_TRUE(browser.Browse(nullptr));
    EXPECT_EQ(browser.chosenFolder, "C:\\Main");
}

// An operator whose prompt does not hold back a drive root.
class LaxOperator : public ScriptedOperator {
  public:
    std::optional<std::string> PromptFolder(std::string_view, std::string_view,
                                            const std::function<bool(std::string_view)>&) override {
        return "C:\\";
    }
};

TEST_F(FolderBrowserTest, DriveRootFromALaxOperatorIsNotTaken) {
    LaxOperator lax;
    plat::FolderBrowser browser;
    EXPECT_FALSE(browser.Browse(&lax));
    EXPECT_EQ(browser.chosenFolder, "C:\\Work");
}

} // namespace
