// Loading and saving from the menus and the command line, and the press dispatch by mode.

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "fake_host.h"
#include "support/recording_surface.h"
#include "support/temp_dir.h"
#include "ui/command_line.h"
#include "ui/file_commands.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/status.h"
#include "ui/view_commands.h"

namespace kv {
namespace {

namespace fs = std::filesystem;
using test::FakeHost;
using test::RecordingSurface;
using test::TempDir;

const std::string kTriangle = std::string(KORVINTH_TEST_DATA) + "/triangle.kvf";

// A folder of its own for each test, removed afterwards.
class FileCommands : public ::testing::Test {
  protected:
    std::string PathIn(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(PathIn(name), std::ios::binary) << bytes;
        return PathIn(name);
    }
    // Loads the triangle as the current figure.
    void LoadTriangle() {
        host.openAnswers.push_back(kTriangle);
        mnuLoad_Click(app, host, surface);
        ASSERT_EQ(app.session.FigureFileName, kTriangle);
        host = FakeHost{};
        surface.Forget();
    }

    TempDir temp_;
    const fs::path& dir_ = temp_.path();
    App app;
    FakeHost host;
    RecordingSurface surface;
};

TEST_F(FileCommands, LoadReadsTheFileInModeEightAndReturnsToStandard) {
    host.openAnswers.push_back("  " + kTriangle + " ");
    mnuLoad_Click(app, host, surface);
    EXPECT_EQ(host.openAsked, 1);
    ASSERT_EQ(host.statusAtDialog.size(), 1u);
    EXPECT_EQ(host.statusAtDialog[0].panel1, "例__読込");
    EXPECT_EQ(app.session.FigureFileName, kTriangle);
    EXPECT_GE(app.figure.ObjectCount[kKindPoint], 3);
    EXPECT_GT(app.figure.ProcedureCount, 0);
    EXPECT_EQ(surface.clears, 1);
    EXPECT_EQ(host.LastStatus().panel2, "triangle.kvf");
    EXPECT_EQ(host.LastStatus().caption, "[triangle.kvf] Korvinth / Win 0.2.9");
    EXPECT_EQ(host.LastStatus().panel1, "標準");
    EXPECT_EQ(app.session.ModeDepth, 1);
    EXPECT_TRUE(host.messages.empty());
}

TEST_F(FileCommands, CancelledOrBlankLoadChangesNothing) {
    host.openAnswers.push_back(std::nullopt);
    host.openAnswers.push_back("   ");
    mnuLoad_Click(app, host, surface);
    mnuLoad_Click(app, host, surface);
    EXPECT_EQ(host.openAsked, 2);
    EXPECT_EQ(app.session.FigureFileName, "untitled");
    EXPECT_EQ(surface.clears, 0);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(app.session.ModeDepth, 1);
}

TEST_F(FileCommands, AFailedLoadLeavesFigureNameAndStatusAsTheyWere) {
    LoadTriangle();
    const int points = app.figure.ObjectCount[kKindPoint];
    const int procedures = app.figure.ProcedureCount;
    const double x1 = app.figure.Points[1].x;
    const std::string bad = Write("broken.kvf", "3\r\n\"P1\"\r\nnot a figure\r\n");
    host.openAnswers.push_back(bad);
    mnuLoad_Click(app, host, surface);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].prompt.find(bad), std::string::npos) << host.messages[0].prompt;
    EXPECT_NE(host.messages[0].prompt.find("読み込めませんでした"), std::string::npos);
    EXPECT_NE(host.messages[0].prompt.find("行目が図形ファイルの形式に合いません。"),
              std::string::npos)
        << host.messages[0].prompt;
    EXPECT_EQ(host.messages[0].title, "Korvinth / Win");
    EXPECT_GE(host.beeps, 1);
    EXPECT_EQ(app.session.FigureFileName, kTriangle);
    EXPECT_EQ(app.figure.ObjectCount[kKindPoint], points);
    EXPECT_EQ(app.figure.ProcedureCount, procedures);
    EXPECT_EQ(app.figure.Points[1].x, x1);
    EXPECT_EQ(host.LastStatus().panel2, "triangle.kvf");
    EXPECT_EQ(host.LastStatus().caption, "[triangle.kvf] Korvinth / Win 0.2.9");
    EXPECT_EQ(CurrentMode(app.session), 2);
}

TEST_F(FileCommands, SaveWritesTheFigureThatLoadReadsBack) {
    LoadTriangle();
    const std::string target = PathIn("copy.kvf");
    host.saveAnswers.push_back(target);
    mnuSave_Click(app, host, surface);
    ASSERT_EQ(host.statusAtDialog.size(), 1u);
    EXPECT_EQ(host.statusAtDialog[0].panel1, "保存中");
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(app.session.FigureFileName, target);
    EXPECT_EQ(host.LastStatus().panel2, "copy.kvf");
    EXPECT_EQ(surface.clears, 1) << "save ends with a full redraw";
    EXPECT_EQ(app.session.ModeDepth, 1);

    App again;
    FakeHost other;
    other.openAnswers.push_back(target);
    mnuLoad_Click(again, other, surface);
    EXPECT_EQ(again.figure.ProcedureCount, app.figure.ProcedureCount);
    EXPECT_EQ(again.figure.ObjectCount, app.figure.ObjectCount);
    for (int i = 1; i <= app.figure.ObjectCount[kKindPoint]; ++i) {
        EXPECT_EQ(again.figure.Points[i].x, app.figure.Points[i].x) << i;
        EXPECT_EQ(again.figure.Points[i].y, app.figure.Points[i].y) << i;
    }
}

TEST_F(FileCommands, SavingOverAReadOnlyFileShowsTheMessageAndKeepsTheName) {
    LoadTriangle();
    const std::string target = Write("locked.kvf", "old contents");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read);
    host.saveAnswers.push_back(target);
    mnuSave_Click(app, host, surface);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt,
              "上書しようとしたファイルは読み取り専用なので,上書できません。"
              "ファイル名を変えて,保存し直してください。");
    EXPECT_EQ(app.session.FigureFileName, kTriangle);
    EXPECT_EQ(host.LastStatus().panel2, "triangle.kvf");
    std::ifstream in(target);
    std::string kept((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(kept, "old contents");
}

TEST_F(FileCommands, ASaveThatFailsIsReportedAndKeepsTheName) {
    LoadTriangle();
    const std::string target = PathIn("no-such-folder/fig.kvf");
    host.saveAnswers.push_back(target);
    mnuSave_Click(app, host, surface);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].prompt.find("保存できませんでした"), std::string::npos);
    EXPECT_NE(host.messages[0].prompt.find("ファイルに書き込めません。"), std::string::npos)
        << host.messages[0].prompt;
    EXPECT_NE(host.messages[0].prompt.find(target), std::string::npos);
    EXPECT_EQ(app.session.FigureFileName, kTriangle);
}

TEST_F(FileCommands, ACancelledSaveOnlyRedraws) {
    mnuSave_Click(app, host, surface);
    EXPECT_EQ(host.saveAsked, 1);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(app.session.FigureFileName, "untitled");
    EXPECT_EQ(surface.clears, 1);
}

TEST_F(FileCommands, LoadAndSaveWaitForTheRestingMode) {
    LoadTriangle();
    const int procedures = app.figure.ProcedureCount;
    std::string empty = "0\r\n";
    for (int k = 0; k <= 10; ++k) empty += "0\r\n";
    const std::string elsewhere = Write("other.kvf", empty);
    // Dragging, picking the inputs of a construction, placing new points.
    for (const i16 mode : {kModeDeform, i16{15}, kModeNewPoint}) {
        PushMode(app.session, mode);
        host = FakeHost{};
        host.openAnswers.push_back(elsewhere);
        host.saveAnswers.push_back(PathIn("saved.kvf"));
        mnuLoad_Click(app, host, surface);
        mnuSave_Click(app, host, surface);
        KVStatus1_PanelClick(app, host, surface, 2);
        EXPECT_EQ(host.openAsked + host.saveAsked, 0) << mode;
        EXPECT_EQ(host.beeps, 3) << mode;
        EXPECT_EQ(CurrentMode(app.session), mode);
        EXPECT_EQ(app.session.FigureFileName, kTriangle);
        EXPECT_EQ(app.figure.ProcedureCount, procedures);
        EXPECT_FALSE(fs::exists(PathIn("saved.kvf")));
        PopMode(app.session);
    }
    host = FakeHost{};
    host.openAnswers.push_back(elsewhere);
    KVStatus1_PanelClick(app, host, surface, 2);
    EXPECT_EQ(app.session.FigureFileName, elsewhere) << "back in 標準 the panel loads again";
    EXPECT_EQ(host.beeps, 0);
}

struct CommandLineRow {
    const char* text;
    const char* path;
};

class CommandLineTexts : public ::testing::TestWithParam<CommandLineRow> {};

TEST_P(CommandLineTexts, LoseBlanksThenOneTrailingAndOneLeadingQuote) {
    EXPECT_EQ(CommandLinePath(GetParam().text), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Rules, CommandLineTexts,
                         ::testing::Values(CommandLineRow{"", ""}, CommandLineRow{"   ", ""},
                                           CommandLineRow{"/a/b.kvf", "/a/b.kvf"},
                                           CommandLineRow{"  \"/a/my fig.kvf\"  ", "/a/my fig.kvf"},
                                           CommandLineRow{"\"/a/b.kvf", "/a/b.kvf"},
                                           CommandLineRow{"/a/b.kvf\"", "/a/b.kvf"},
                                           CommandLineRow{"\"\"/a/b.kvf\"\"", "\"/a/b.kvf\""},
                                           CommandLineRow{"\"", ""}));

TEST_F(FileCommands, CommandLineLoadsAnExistingFileWithOrWithoutQuotes) {
    for (const std::string& text : {kTriangle, "\"" + kTriangle + "\"", "  " + kTriangle + "  "}) {
        App fresh;
        FakeHost h;
        RecordingSurface s;
        EXPECT_TRUE(OpenCommandLineFile(fresh, h, s, text)) << text;
        EXPECT_EQ(fresh.session.FigureFileName, kTriangle);
        EXPECT_EQ(h.LastStatus().caption, "[triangle.kvf] Korvinth / Win 0.2.9");
        EXPECT_EQ(CurrentMode(fresh.session), 2);
        EXPECT_EQ(fresh.session.ModeDepth, 0) << "the start-up mode is taken off the stack";
        EXPECT_EQ(h.openAsked, 0);
    }
}

TEST_F(FileCommands, CommandLineIgnoresMissingFilesAndFoldersSilently) {
    for (const std::string& text : {std::string(), PathIn("missing.kvf"),
                                    "\"" + PathIn("missing.kvf") + "\"", dir_.string()}) {
        EXPECT_FALSE(OpenCommandLineFile(app, host, surface, text)) << text;
    }
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(surface.clears, 0);
    EXPECT_EQ(app.session.FigureFileName, "untitled");
    EXPECT_FALSE(IsExistingFile(dir_.string()));
}

TEST_F(FileCommands, CommandLineFileThatCannotBeReadSaysSo) {
    const std::string bad = Write("bad.kvf", "garbage\r\n");
    EXPECT_FALSE(OpenCommandLineFile(app, host, surface, bad));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].prompt.find(bad), std::string::npos);
    EXPECT_EQ(app.session.FigureFileName, "untitled");
}

// The figures in examples/ open as they would from the command line, without a message, and
// every object of them is defined in the position they were saved in.
TEST(Examples, OpenWithEveryObjectDefined) {
    const fs::path examples = fs::path(KORVINTH_TEST_DATA) / ".." / ".." / "examples";
    int opened = 0;
    for (const auto& entry : fs::directory_iterator(examples)) {
        if (entry.path().extension() != ".kvf") continue;
        SCOPED_TRACE(entry.path().string());
        App app;
        FakeHost host;
        RecordingSurface surface;
        ASSERT_TRUE(OpenCommandLineFile(app, host, surface, entry.path().string()));
        EXPECT_TRUE(host.messages.empty());
        const Figure& f = app.figure;
        EXPECT_GE(f.ObjectCount[kKindPoint], 3);
        EXPECT_GE(f.ObjectCount[kKindNumber], 2) << "an example measures something";
        for (int i = 1; i <= f.ObjectCount[kKindNumber]; ++i) EXPECT_NE(f.Numbers[i].exists, 0);
        for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i) EXPECT_NE(f.Points[i].exists, 0);
        for (int i = 1; i <= f.ObjectCount[kKindLine]; ++i) EXPECT_NE(f.Lines[i].exists, 0);
        for (int i = 1; i <= f.ObjectCount[kKindCircle]; ++i) EXPECT_NE(f.Circles[i].exists, 0);
        ++opened;
    }
    EXPECT_GE(opened, 3);
}

// Press and key dispatch.

TEST_F(FileCommands, AStandardPressOnAnEmptyFigureOpensTheLoadDialog) {
    Form_MouseDown(app, host, surface, kButtonLeft, 0, 1.0, 2.0);
    EXPECT_EQ(host.openAsked, 1);
}

TEST_F(FileCommands, AStandardPressWithPointsStartsMovingInsteadOfLoading) {
    LoadTriangle();
    Form_MouseDown(app, host, surface, kButtonLeft, 0, 1.0, 2.0);
    EXPECT_EQ(host.openAsked, 0);
    EXPECT_EQ(surface.clears, 0) << "the press itself is not used as a pick";
}

TEST_F(FileCommands, RightButtonInStandardDoesNothing) {
    Form_MouseDown(app, host, surface, kButtonRight, 0, 0.0, 0.0);
    Form_MouseDown(app, host, surface, kButtonLeft | kButtonRight, 0, 0.0, 0.0);
    EXPECT_EQ(host.openAsked, 0);
    EXPECT_EQ(surface.clears, 0);
    EXPECT_TRUE(host.statuses.empty());
    EXPECT_EQ(app.session.ModeDepth, 1);
}

TEST_F(FileCommands, RightButtonOrEscEndsADragWithAFullRedraw) {
    for (const bool useMouse : {true, false}) {
        PushMode(app.session, kModeDeform);
        surface.Forget();
        if (useMouse) {
            Form_MouseDown(app, host, surface, kButtonRight, 0, 0.0, 0.0);
        } else {
            Form_KeyDown(app, host, surface, kKeyEsc, 0);
        }
        EXPECT_EQ(CurrentMode(app.session), 2);
        EXPECT_EQ(app.session.ModeDepth, 1);
        EXPECT_EQ(surface.clears, 1);
        EXPECT_EQ(host.LastStatus().enabling, MenuEnabledSet(2));
    }
}

TEST_F(FileCommands, EscAtTheBottomKeepsStandardAndChangesNothing) {
    Form_KeyDown(app, host, surface, kKeyEsc, 0);
    Form_KeyDown(app, host, surface, kKeyEnter, 0);
    EXPECT_EQ(CurrentMode(app.session), 2);
    EXPECT_EQ(app.session.ModeDepth, 1);
    EXPECT_EQ(surface.clears, 0);
    EXPECT_TRUE(host.statuses.empty());
}

TEST_F(FileCommands, APressInAModeWithoutAHandlerRedraws) {
    for (const i16 mode : {i16{17}, i16{19}, i16{7}}) {
        PushMode(app.session, mode);
        surface.Forget();
        Form_MouseDown(app, host, surface, kButtonLeft, 0, 0.0, 0.0);
        EXPECT_EQ(surface.clears, 1) << mode;
        Form_KeyDown(app, host, surface, kKeyLeft, 0);
        Form_MouseMove(app, host, surface, kButtonLeft, 0, 1.0, 1.0);
        EXPECT_EQ(surface.clears, 1) << "keys and moves are ignored in mode " << mode;
        PopMode(app.session);
    }
}

TEST_F(FileCommands, APressInAPickingModeRefreshesTheStatus) {
    PushMode(app.session, 15);
    Form_MouseDown(app, host, surface, kButtonLeft, 0, 0.0, 0.0);
    ASSERT_FALSE(host.statuses.empty());
    EXPECT_EQ(host.statuses.front().panel1, "選択(作図中)");
    EXPECT_EQ(surface.clears, 0);
}

}  // namespace
}  // namespace kv
