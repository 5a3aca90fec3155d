#include "cli/terminal_operator.h"
#include "support/temp_prefix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::cli {
namespace {

// A stream that the test can read back.
class CapturedStream {
  public:
    CapturedStream() : file_(std::tmpfile()) {}
    ~CapturedStream() { std::fclose(file_); }
    CapturedStream(const CapturedStream&) = delete;
    CapturedStream& operator=(const CapturedStream&) = delete;

    std::FILE* get() const { return file_; }
    std::string Text() const {
        std::fflush(file_);
        std::rewind(file_);
        std::string text;
        for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_))
            text += static_cast<char>(c);
        return text;
    }
    // Puts text in for a reader, from the start.
    void Feed(std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), file_);
        std::rewind(file_);
    }

  private:
    std::FILE* file_;
};

std::size_t CountOf(const std::string& text, char c) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), c));
}

bool AnyFolder(std::string_view) {
    return true;
}

class TerminalOperatorTest : public ::testing::Test {
  protected:
    TerminalStreams Streams(bool inIsTerminal, bool errIsTerminal) {
        return TerminalStreams{in.get(), out.get(), err.get(), inIsTerminal, errIsTerminal};
    }

    test::TempPrefix prefix;
    CapturedStream in;
    CapturedStream out;
    CapturedStream err;
};

TEST_F(TerminalOperatorTest, ProgressWithoutTerminalPrintsAFewPlainLinesHoweverManySteps) {
    TerminalOperator op(Streams(false, false), {});
    op.ProgressShow(true);
    op.ProgressRange(0, 1'000'000);
    for (int i = 0; i <= 1'000'000; ++i)
        op.ProgressPosition(i);
    op.ProgressShow(false);
    const std::string text = err.Text();
    EXPECT_EQ(CountOf(text, '\n'), 11u) << text; // 0%, 10%, ..., 100%
    EXPECT_EQ(CountOf(text, '\r'), 0u);
    EXPECT_NE(text.find("progress 50% (500000/1000000)\n"), std::string::npos) << text;
    EXPECT_EQ(out.Text(), "");
}

TEST_F(TerminalOperatorTest, ProgressOnTerminalRedrawsOneLineAtMostOncePerPercent) {
    TerminalOperator op(Streams(false, true), {});
    op.ProgressShow(true);
    op.ProgressRange(0, 1'000'000);
    for (int i = 0; i <= 1'000'000; ++i)
        op.ProgressPosition(i);
    op.ProgressShow(false);
    const std::string text = err.Text();
    EXPECT_EQ(CountOf(text, '\n'), 0u);
    EXPECT_LE(CountOf(text, '\r'), 103u); // 101 drawings and the erase at the end
    EXPECT_LT(text.size(), 10'000u);
    EXPECT_NE(text.find("100%  1000000/1000000"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "\r\033[K") << "the bar is taken off the line when hidden";
}

TEST_F(TerminalOperatorTest, ProgressOutsideItsRangeStaysWithinTheBarAndAnEmptyRangeShowsNothing) {
    TerminalOperator op(Streams(false, false), {});
    op.ProgressShow(true);
    op.ProgressRange(5, 5);
    op.ProgressRange(0, 10);
    op.ProgressPosition(-3);
    op.ProgressPosition(25);
    const std::string text = err.Text();
    EXPECT_EQ(text, "progress 0% (0/10)\nprogress 100% (25/10)\n");
}

TEST_F(TerminalOperatorTest, HiddenProgressPrintsNothing) {
    TerminalOperator op(Streams(false, true), {});
    op.ProgressRange(0, 10);
    op.ProgressPosition(5);
    EXPECT_EQ(err.Text(), "");
}

TEST_F(TerminalOperatorTest, MessagesGoToStdoutAndWarningsToStderrClearingTheBarFirst) {
    TerminalOperator op(Streams(false, true), {});
    op.ProgressShow(true);
    op.ProgressRange(0, 4);
    EXPECT_EQ(op.ShowMessage("Restore done", "", plat::MessageIcon::None, plat::MessageButtons::Ok),
              plat::kIdOk);
    EXPECT_EQ(
        op.ShowMessage("The DVR runs", "Tavo", plat::MessageIcon::Exclamation, plat::MessageButtons::Ok),
        plat::kIdOk);
    EXPECT_EQ(out.Text(), "Restore done\n");
    const std::string text = err.Text();
    const std::size_t warning = text.find("Tavo: The DVR runs\n");
    ASSERT_NE(warning, std::string::npos) << text;
    EXPECT_EQ(text.substr(warning - 4, 4), "\r\033[K") << "the warning starts on a clean line";
    EXPECT_NE(text.find("\r[", warning), std::string::npos) << "the bar is drawn again after it";
}

struct QuestionCase {
    const char* name;
    bool yes;
    bool inIsTerminal;
    const char* typed;
    plat::MessageButtons buttons;
    int expected;
    bool refused;
};

class QuestionTest : public TerminalOperatorTest, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(QuestionTest, IsAnsweredByYesTheTerminalOrNo) {
    const QuestionCase& c = GetParam();
    in.Feed(c.typed);
    PromptAnswers answers;
    answers.yes = c.yes;
    TerminalOperator op(Streams(c.inIsTerminal, false), answers);
    EXPECT_EQ(op.ShowMessage("Overwrite?", "", plat::MessageIcon::Question, c.buttons), c.expected);
    EXPECT_EQ(op.refusal().empty(), !c.refused) << op.refusal();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, QuestionTest,
    ::testing::Values(
        QuestionCase{"YesOption", true, false, "", plat::MessageButtons::YesNo, plat::kIdYes, false},
        QuestionCase{"YesOptionOkCancel", true, true, "n\n", plat::MessageButtons::OkCancel, plat::kIdOk,
                     false},
        QuestionCase{"TypedYes", false, true, "y\n", plat::MessageButtons::YesNo, plat::kIdYes, false},
        QuestionCase{"TypedOther", false, true, "sure\n", plat::MessageButtons::YesNo, plat::kIdNo, false},
        QuestionCase{"EndOfInput", false, true, "", plat::MessageButtons::OkCancel, plat::kIdCancel, false},
        QuestionCase{"NoTerminal", false, false, "y\n", plat::MessageButtons::YesNo, plat::kIdNo, true}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(TerminalOperatorTest, FolderPromptTakesTheInstallFolderOptionWhenItIsAChoosableFolder) {
    prefix.WriteHost("C:\\DVR\\Main.exe", "MZ");
    PromptAnswers answers;
    answers.folder = "C:\\DVR";
    TerminalOperator op(Streams(true, false), answers);
    EXPECT_EQ(op.PromptFolder("Select the DVR folder", "", AnyFolder), "C:\\DVR");
    EXPECT_EQ(op.refusal(), "");
    EXPECT_NE(out.Text().find("C:\\DVR"), std::string::npos);

    const auto rootOnly = [](std::string_view folder) { return folder.size() > 3; };
    PromptAnswers missing;
    missing.folder = "C:\\Nowhere";
    TerminalOperator other(Streams(true, false), missing);
    EXPECT_EQ(other.PromptFolder("Select", "", rootOnly), std::nullopt);
    EXPECT_NE(other.refusal().find("C:\\Nowhere"), std::string::npos) << other.refusal();
}

TEST_F(TerminalOperatorTest, FolderPromptWithoutAnAnswerIsRefusedWithAReasonUnlessATerminalCanBeAsked) {
    PromptAnswers yes;
    yes.yes = true;
    TerminalOperator withYes(Streams(true, false), yes);
    EXPECT_EQ(withYes.PromptFolder("Select the\nNodera folder", "", AnyFolder), std::nullopt);
    EXPECT_EQ(withYes.refusal(),
              "no folder to answer \"Select the Nodera folder\": --yes needs --install-folder DIR");

    TerminalOperator noTerminal(Streams(false, false), {});
    EXPECT_EQ(noTerminal.PromptFolder("", "", AnyFolder), std::nullopt);
    EXPECT_NE(noTerminal.refusal().find("without a terminal"), std::string::npos) << noTerminal.refusal();
    EXPECT_EQ(out.Text(), "");
}

TEST_F(TerminalOperatorTest, FolderPromptOnTheTerminalAsksAgainUntilAChoosableFolderOrAnEmptyLine) {
    prefix.WriteHost("C:\\Apps\\DVR\\Main.exe", "MZ");
    const auto notRoot = [](std::string_view folder) { return folder.size() > 3; };
    in.Feed("C:\\\nC:\\Missing\nc:\\apps\\dvr\\\n");
    TerminalOperator op(Streams(true, false), {});
    EXPECT_EQ(op.PromptFolder("Select the DVR folder", "", notRoot), "C:\\apps\\dvr");
    EXPECT_EQ(op.refusal(), "");
    const std::string asked = err.Text();
    EXPECT_NE(asked.find("cannot choose C:"), std::string::npos) << asked;
    EXPECT_NE(asked.find("cannot choose C:\\Missing"), std::string::npos) << asked;

    CapturedStream empty;
    empty.Feed("\n");
    TerminalOperator cancelled(TerminalStreams{empty.get(), out.get(), err.get(), true, false}, {});
    EXPECT_EQ(cancelled.PromptFolder("Select the DVR folder", "", notRoot), std::nullopt);
    EXPECT_EQ(cancelled.refusal(), "the folder prompt \"Select the DVR folder\" was cancelled");
}

TEST_F(TerminalOperatorTest, FilePromptsAndMenusAreRefused) {
    PromptAnswers yes;
    yes.yes = true;
    TerminalOperator op(Streams(true, true), yes);
    EXPECT_EQ(op.PromptFile("Choose a program", "", "Programs (*.exe)|*.exe||"), std::nullopt);
    EXPECT_NE(op.refusal().find("Choose a program"), std::string::npos);
    EXPECT_EQ(op.PopupMenu({"Open", "", "Delete"}), -1);
    EXPECT_NE(op.refusal().find("menu"), std::string::npos);
    EXPECT_EQ(out.Text(), "");
}

} // namespace
} // namespace tavo::cli
