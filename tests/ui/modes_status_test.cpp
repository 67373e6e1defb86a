// The mode stack, the mode texts and what the status refresh shows.

#include <gtest/gtest.h>

#include "fake_host.h"
#include "support/recording_surface.h"
#include "ui/modes.h"
#include "ui/option_commands.h"
#include "ui/status.h"
#include "ui/view_commands.h"

namespace kv {
namespace {

using test::FakeHost;
using test::RecordingSurface;

TEST(ModeStack, StartsInStandardWithOneModePushed) {
    const Session s;
    EXPECT_EQ(s.ModeDepth, 1);
    EXPECT_EQ(s.ModeStack[0], 2);
    EXPECT_EQ(CurrentMode(s), 2);
}

TEST(ModeStack, RefusesAPushOnAFullStack) {
    Session s;
    for (int i = 2; i <= 100; ++i) ASSERT_TRUE(PushMode(s, 13)) << "push to slot " << i;
    EXPECT_EQ(s.ModeDepth, 100);
    EXPECT_FALSE(PushMode(s, 6));
    EXPECT_EQ(s.ModeDepth, 100);
    EXPECT_EQ(CurrentMode(s), 13);
    PopMode(s);
    EXPECT_TRUE(PushMode(s, 6));
    EXPECT_EQ(CurrentMode(s), 6);
}

TEST(ModeStack, PopClearsTheSlotAndStopsAtTheBottom) {
    Session s;
    PushMode(s, 6);
    PopMode(s);
    EXPECT_EQ(s.ModeStack[2], 0);
    EXPECT_EQ(CurrentMode(s), 2);
    PopMode(s);  // removes the start-up push
    PopMode(s);  // nothing left above the bottom slot
    PopMode(s);
    EXPECT_EQ(s.ModeDepth, 0);
    EXPECT_EQ(CurrentMode(s), 2);
    EXPECT_EQ(s.ModeStack[0], 2);
}

struct ModeTextRow {
    int mode;
    const char* text;
};

class KnownModeTexts : public ::testing::TestWithParam<ModeTextRow> {};

TEST_P(KnownModeTexts, Panel1ShowsTheTextWithoutABeep) {
    App app;
    PushMode(app.session, static_cast<i16>(GetParam().mode));
    FakeHost host;
    RefreshStatus(app, host);
    EXPECT_EQ(host.LastStatus().panel1, GetParam().text);
    EXPECT_EQ(host.beeps, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, KnownModeTexts,
    ::testing::Values(ModeTextRow{1, "スタート"}, ModeTextRow{2, "標準"}, ModeTextRow{3, "ｵﾌﾟｼｮﾝ"},
                      ModeTextRow{6, "変形"}, ModeTextRow{8, "例__読込"}, ModeTextRow{9, "保存中"},
                      ModeTextRow{15, "選択(作図中)"}, ModeTextRow{28, "点の追加"},
                      ModeTextRow{40, "選択(編集)"}, ModeTextRow{43, "編集"},
                      ModeTextRow{51, "点の動きの束縛)"}, ModeTextRow{53, "選択(どこに束縛)"}));

class UnknownModes : public ::testing::TestWithParam<int> {};

TEST_P(UnknownModes, ShowUnderscoresAndBeep) {
    App app;
    PushMode(app.session, static_cast<i16>(GetParam()));
    FakeHost host;
    RefreshStatus(app, host);
    EXPECT_EQ(host.LastStatus().panel1, "________");
    EXPECT_EQ(host.beeps, 1);
}

INSTANTIATE_TEST_SUITE_P(Gaps, UnknownModes, ::testing::Values(0, 29, 39, 41, 45, 50, 54, 100, -1));

TEST(PickingModes, AreExactlyTheSix) {
    for (int m = 0; m <= 60; ++m) {
        const bool expected = m == 13 || m == 14 || m == 15 || m == 40 || m == 52 || m == 53;
        EXPECT_EQ(IsPickingMode(m), expected) << m;
    }
}

// Hidden names stay hidden only while resting, dragging and calculating.
TEST(HiddenNames, ApplyInExactlyThreeModes) {
    for (int m = -1; m <= 60; ++m) EXPECT_EQ(NamesMayHide(m), m == 2 || m == 6 || m == 16) << m;
}

TEST(Status, AtStartUp) {
    const App app;
    const StatusView s = StatusOf(app);
    EXPECT_EQ(s.caption, "[untitled] Korvinth / Win 0.2.9");
    EXPECT_EQ(s.panel1, "標準");
    EXPECT_EQ(s.panel2, "untitled");
    EXPECT_EQ(s.panel3, "×軌");
    const std::vector<MenuSetting> checks = {{"mnuLocusOn", false},
                                             {"mnuLocusOff", true},
                                             {"mnuOchrDisp", true},
                                             {"mnuOAxis", false},
                                             {"mnuSmooth", false}};
    EXPECT_EQ(s.checks, checks);
}

struct FileNameRow {
    const char* path;
    const char* part;
};

class FileNames : public ::testing::TestWithParam<FileNameRow> {};

TEST_P(FileNames, CaptionAndPanel2ShowThePartAfterTheLastSeparator) {
    App app;
    app.session.FigureFileName = GetParam().path;
    const StatusView s = StatusOf(app);
    EXPECT_EQ(s.panel2, GetParam().part);
    EXPECT_EQ(s.caption, std::string("[") + GetParam().part + "] Korvinth / Win 0.2.9");
}

INSTANTIATE_TEST_SUITE_P(Paths, FileNames,
                         ::testing::Values(FileNameRow{"/home/ada/figs/euler.kvf", "euler.kvf"},
                                           FileNameRow{"C:\\KV\\data\\tri.kvf", "tri.kvf"},
                                           FileNameRow{"mixed\\dir/last\\名前.kvf", "名前.kvf"},
                                           FileNameRow{"plain.kvf", "plain.kvf"},
                                           FileNameRow{"folder/", ""}));

TEST(MenuEnabling, StandardModeEnablesTheSevenMenus) {
    const auto e = MenuEnabledSet(2);
    ASSERT_EQ(e.size(), 7u);
    for (const MenuSetting& m : e) EXPECT_TRUE(m.on) << m.menu;
}

TEST(MenuEnabling, DraggingGreysTheMenusThatWouldChangeTheFigure) {
    const std::vector<MenuSetting> expected = {
        {"mnuFile", false},    {"mnuDeform", false}, {"mnuConstruction", false},
        {"mnuMeasure", false}, {"mnuOption", false}, {"mnuHelp", true},
        {"mnuZom", true}};
    EXPECT_EQ(MenuEnabledSet(6), expected);
}

TEST(MenuEnabling, OtherModesChangeNothingAndNeverTouchLocusOrEdit) {
    for (int m : {1, 8, 9, 13, 15, 17, 28, 53, 99}) EXPECT_TRUE(MenuEnabledSet(m).empty()) << m;
    for (int m : {2, 6}) {
        for (const MenuSetting& s : MenuEnabledSet(m)) {
            EXPECT_NE(s.menu, "mnuLocus");
            EXPECT_NE(s.menu, "mnuEdit");
        }
    }
}

TEST(StatusPanels, Panel3ClickedTwiceReturnsToTheStartState) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    const StatusView start = StatusOf(app);
    KVStatus1_PanelClick(app, host, surface, 3);
    EXPECT_EQ(app.session.LocusOn, kTrue);
    EXPECT_EQ(host.LastStatus().panel3, "軌");
    EXPECT_EQ(host.LastStatus().checks[0], (MenuSetting{"mnuLocusOn", true}));
    EXPECT_EQ(host.LastStatus().checks[1], (MenuSetting{"mnuLocusOff", false}));
    KVStatus1_PanelClick(app, host, surface, 3);
    EXPECT_EQ(app.session.LocusOn, kFalse);
    EXPECT_EQ(host.LastStatus().panel3, start.panel3);
    EXPECT_EQ(host.LastStatus().checks, start.checks);
    EXPECT_EQ(host.openAsked, 0);
}

TEST(StatusPanels, Panel2OpensTheLoadDialogAndOtherPanelsOnlyRefresh) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    KVStatus1_PanelClick(app, host, surface, 1);
    KVStatus1_PanelClick(app, host, surface, 4);
    EXPECT_EQ(host.openAsked, 0);
    EXPECT_EQ(host.statuses.size(), 2u);
    KVStatus1_PanelClick(app, host, surface, 2);
    EXPECT_EQ(host.openAsked, 1);
    EXPECT_EQ(CurrentMode(app.session), 2);
}

TEST(LocusMenu, OnAndOffSetTheSwitchAndItsCheckMarks) {
    App app;
    FakeHost host;
    mnuLocusOn_Click(app, host);
    mnuLocusOn_Click(app, host);
    EXPECT_EQ(app.session.LocusOn, kTrue);
    EXPECT_EQ(host.LastStatus().panel3, "軌");
    mnuLocusOff_Click(app, host);
    EXPECT_EQ(app.session.LocusOn, kFalse);
    EXPECT_EQ(host.LastStatus().checks[1], (MenuSetting{"mnuLocusOff", true}));
}

TEST(CallHistory, ListsSlotsOneToTheTop) {
    App app;
    FakeHost host;
    PushMode(app.session, 6);
    PushMode(app.session, 13);
    mnuEcallHis_Click(app, host);
    ASSERT_EQ(host.viewerTexts.size(), 1u);
    EXPECT_EQ(host.viewerTexts[0], "2\r\n6\r\n13\r\n");
    PopMode(app.session);
    PopMode(app.session);
    PopMode(app.session);
    EXPECT_EQ(CallHistoryText(app.session), "");
}

TEST(Report, GoesToTheTextViewerWithTheFullFileName) {
    App app;
    app.session.FigureFileName = "/tmp/somewhere/fig.kvf";
    FakeHost host;
    mnuEditFigDataView_Click(app, host);
    ASSERT_EQ(host.viewerTexts.size(), 1u);
    EXPECT_EQ(host.viewerTexts[0].rfind("FileName : /tmp/somewhere/fig.kvf\r\n", 0), 0u);
    EXPECT_NE(host.viewerTexts[0].find("以上"), std::string::npos);
}

}  // namespace
}  // namespace kv
