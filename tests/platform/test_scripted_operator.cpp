#include "support/scripted_operator.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using tavo::test::ScriptedOperator;
using ::testing::ElementsAre;

bool LongerThanThree(std::string_view path) {
    return path.size() > 3;
}

TEST(ScriptedOperator, RecordsEveryCallAsOneLine) {
    ScriptedOperator op;
    op.ShowMessage("Disk full", "Tavo", plat::MessageIcon::Exclamation, plat::MessageButtons::Ok);
    op.PromptFolder("Choose", "C:\\Data", LongerThanThree);
    op.PromptFile("Program", "C:\\Tools", "Programs (*.exe)|*.exe||");
    op.PopupMenu({"Open", "", "Delete"});
    op.ProgressShow(true);
    op.ProgressRange(1, 5);
    op.ProgressPosition(3);
    op.ProgressShow(false);
    op.ShowWaitCursor(500);
    EXPECT_THAT(op.calls(), ElementsAre("message[Exclamation,Ok] Disk full", "folder? Choose | C:\\Data",
                                        "file? Program | C:\\Tools | Programs (*.exe)|*.exe||",
                                        "menu Open | - | Delete", "progress show", "progress range 1..5",
                                        "progress pos 3", "progress hide", "wait cursor 500"));
    EXPECT_THAT(op.CallsStartingWith("progress "),
                ElementsAre("progress show", "progress range 1..5", "progress pos 3", "progress hide"));
    EXPECT_EQ(op.Transcript().substr(0, 34), "message[Exclamation,Ok] Disk full\n");

    ASSERT_EQ(op.messages().size(), 1u);
    EXPECT_EQ(op.messages()[0].caption, "Tavo");
    const ScriptedOperator::Progress progress = op.progress();
    EXPECT_FALSE(progress.visible);
    EXPECT_EQ(progress.low, 1);
    EXPECT_EQ(progress.high, 5);
    EXPECT_EQ(progress.position, 3);

    op.ClearCalls();
    EXPECT_TRUE(op.calls().empty());
    EXPECT_TRUE(op.messages().empty());
}

TEST(ScriptedOperator, AnswersFromTheScriptInOrderThenLikeAPersonClosingThePrompt) {
    ScriptedOperator op;
    op.AnswerMessage(plat::kIdYes).AnswerMessage(plat::kIdNo);
    op.AnswerFile("C:\\Tools\\cam.exe").CancelFile();
    op.AnswerMenu(2);
    op.AnswerFolder("C:\\Data");
    EXPECT_FALSE(op.ScriptUsedUp());

    const auto message = [&] {
        return op.ShowMessage("?", "", plat::MessageIcon::Question, plat::MessageButtons::YesNo);
    };
    EXPECT_EQ(message(), plat::kIdYes);
    EXPECT_EQ(message(), plat::kIdNo);
    EXPECT_EQ(op.PromptFile("", "", ""), "C:\\Tools\\cam.exe");
    EXPECT_EQ(op.PromptFile("", "", ""), std::nullopt);
    EXPECT_EQ(op.PopupMenu({"a", "b", "c"}), 2);
    EXPECT_EQ(op.PromptFolder("", "", LongerThanThree), "C:\\Data");
    EXPECT_TRUE(op.ScriptUsedUp());
    EXPECT_EQ(op.unscriptedPrompts(), 0);

    EXPECT_EQ(message(), plat::kIdOk);
    EXPECT_EQ(op.PromptFile("", "", ""), std::nullopt);
    EXPECT_EQ(op.PopupMenu({"a"}), -1);
    EXPECT_EQ(op.PromptFolder("", "", LongerThanThree), std::nullopt);
    EXPECT_EQ(op.unscriptedPrompts(), 4);
}

TEST(ScriptedOperator, FolderPromptRefusesWhatItDoesNotAccept) {
    ScriptedOperator op;
    op.AnswerFolder("C:\\").CancelFolder().AnswerFolder("C:\\Next");
    EXPECT_EQ(op.PromptFolder("First", "", LongerThanThree), std::nullopt);
    EXPECT_EQ(op.PromptFolder("Second", "", LongerThanThree), "C:\\Next");
    EXPECT_THAT(op.calls(), ElementsAre("folder? First | ", "folder refused C:\\", "folder? Second | "));
    // Nothing acceptable left: cancelled, not counted as unscripted.
    op.AnswerFolder("D:\\");
    EXPECT_EQ(op.PromptFolder("Third", "", LongerThanThree), std::nullopt);
    EXPECT_EQ(op.unscriptedPrompts(), 0);
}

TEST(ScriptedOperator, MainOperatorScopePutsThePreviousOneBack) {
    ScriptedOperator outer, inner;
    plat::SetMainOperator(&outer);
    {
        tavo::test::MainOperatorScope scope(inner);
        EXPECT_EQ(plat::MainOperator(), &inner);
    }
    EXPECT_EQ(plat::MainOperator(), &outer);
    plat::SetMainOperator(nullptr);
    EXPECT_EQ(plat::MainOperator(), nullptr);
}

} // namespace
