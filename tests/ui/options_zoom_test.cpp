// The display options and the zoom commands, through the scripted host.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <utility>

#include "fake_host.h"
#include "io/report.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"
#include "support/recording_surface.h"
#include "ui/option_commands.h"
#include "ui/redraw.h"
#include "ui/status.h"
#include "ui/view_commands.h"

namespace kv {
namespace {

using test::FakeHost;
using test::RecordingSurface;

enum class Setting { kPenWidth, kFontSize, kDigits };

struct OptionRow {
    Setting setting;
    std::optional<std::string> answer;  // nullopt: the box was cancelled
    int expected;
};

int Read(const View& v, Setting s) {
    switch (s) {
        case Setting::kPenWidth:
            return v.PenWidth;
        case Setting::kFontSize:
            return v.FontSize;
        case Setting::kDigits:
            return v.MeasureDigits;
    }
    return -1;
}

void Ask(App& app, Host& host, Surface& surface, Setting s) {
    switch (s) {
        case Setting::kPenWidth:
            return mnuWidth_Click(app, host, surface);
        case Setting::kFontSize:
            return mnuFont_Click(app, host, surface);
        case Setting::kDigits:
            return mnuKeta_Click(app, host, surface);
    }
}

class OptionAnswers : public ::testing::TestWithParam<OptionRow> {};

TEST_P(OptionAnswers, AreReadClampedAndApplied) {
    const OptionRow& row = GetParam();
    App app;
    // Settings away from their start values, so that "unchanged" is visible.
    app.view.PenWidth = 3;
    app.view.FontSize = 14;
    app.view.MeasureDigits = 5;
    const int before = Read(app.view, row.setting);
    FakeHost host;
    host.inputAnswers.push_back(row.answer);
    RecordingSurface surface;
    Ask(app, host, surface, row.setting);
    ASSERT_EQ(host.inputs.size(), 1u);
    EXPECT_EQ(host.inputs[0].proposed, std::to_string(before));
    if (row.answer) {
        EXPECT_EQ(Read(app.view, row.setting), row.expected);
        EXPECT_EQ(surface.clears, 1) << "an answered box redraws";
    } else {
        EXPECT_EQ(Read(app.view, row.setting), before) << "cancel changes nothing";
        EXPECT_EQ(surface.clears, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(PenWidth, OptionAnswers,
                         ::testing::Values(OptionRow{Setting::kPenWidth, "12", 10},
                                           OptionRow{Setting::kPenWidth, "0", 1},
                                           OptionRow{Setting::kPenWidth, "", 1},
                                           OptionRow{Setting::kPenWidth, "2.7", 2},
                                           OptionRow{Setting::kPenWidth, "-0.5", 1},
                                           OptionRow{Setting::kPenWidth, "4abc", 4},
                                           OptionRow{Setting::kPenWidth, " 7", 7},
                                           OptionRow{Setting::kPenWidth, "1e400", 10},
                                           OptionRow{Setting::kPenWidth, std::nullopt, 0}));
INSTANTIATE_TEST_SUITE_P(FontSize, OptionAnswers,
                         ::testing::Values(OptionRow{Setting::kFontSize, "8.5", 8},
                                           OptionRow{Setting::kFontSize, "3", 6},
                                           OptionRow{Setting::kFontSize, "5.9", 6},
                                           OptionRow{Setting::kFontSize, "100.7", 100},
                                           OptionRow{Setting::kFontSize, "250", 100},
                                           OptionRow{Setting::kFontSize, "abc", 6},
                                           OptionRow{Setting::kFontSize, std::nullopt, 0}));
INSTANTIATE_TEST_SUITE_P(Digits, OptionAnswers,
                         ::testing::Values(OptionRow{Setting::kDigits, "25", 20},
                                           OptionRow{Setting::kDigits, "-3", 0},
                                           OptionRow{Setting::kDigits, "3.9", 3},
                                           OptionRow{Setting::kDigits, "-0.5", 0},
                                           OptionRow{Setting::kDigits, "4abc", 4},
                                           OptionRow{Setting::kDigits, std::nullopt, 0}));

TEST(OptionBoxes, ShowTheirPromptsAndTitles) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    mnuWidth_Click(app, host, surface);
    mnuFont_Click(app, host, surface);
    mnuKeta_Click(app, host, surface);
    ASSERT_EQ(host.inputs.size(), 3u);
    EXPECT_EQ(host.inputs[0].prompt, "1から10までの数値を入力してください");
    EXPECT_EQ(host.inputs[0].title, "線の太さの設定");
    EXPECT_EQ(host.inputs[0].proposed, "1");
    EXPECT_EQ(host.inputs[1].prompt, "フォントの大きさを入力してください");
    EXPECT_EQ(host.inputs[1].title, "フォントサイズの設定");
    EXPECT_EQ(host.inputs[2].prompt, "測定値の小数点以下の表示桁数を入力してください");
    EXPECT_EQ(host.inputs[2].title, "表示桁数の設定");
    EXPECT_EQ(host.inputs[2].proposed, "0");
}

TEST(OptionSwitches, LabelsChangeOnlyTheCheckMarkAtOnce) {
    App app;
    FakeHost host;
    mnuOchrDisp_Click(app, host);
    EXPECT_EQ(app.view.LabelsHidden, kTrue);
    EXPECT_EQ(host.LastStatus().checks[2], (MenuSetting{"mnuOchrDisp", false}));
    mnuOchrDisp_Click(app, host);
    EXPECT_EQ(app.view.LabelsHidden, kFalse);
    EXPECT_EQ(host.LastStatus().checks[2], (MenuSetting{"mnuOchrDisp", true}));
}

TEST(OptionSwitches, AxesPaintOverThePictureWithoutClearing) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    Form_Resize(app, host, surface);
    surface.Forget();
    mnuOAxis_Click(app, host, surface);
    EXPECT_EQ(app.view.ShowAxes, kTrue);
    EXPECT_EQ(surface.clears, 0);
    // 33 vertical and 25 horizontal grid lines and the two axes on a 641 x 481 client area.
    EXPECT_EQ(surface.lines, 33 + 25 + 2);
    EXPECT_EQ(host.LastStatus().checks[3], (MenuSetting{"mnuOAxis", true}));
    mnuOAxis_Click(app, host, surface);
    EXPECT_EQ(app.view.ShowAxes, kFalse);
    EXPECT_EQ(surface.clears, 0);
    EXPECT_EQ(surface.lines, 2 * (33 + 25 + 2)) << "switching off paints them once in light grey";
}

TEST(Zoom, ResizeKeepsTheScaleAndCentre) {
    App app;
    FakeHost host;
    RecordingSurface surface(641, 481);
    Form_Resize(app, host, surface);
    EXPECT_DOUBLE_EQ(app.view.HalfWidth, 16.0);
    EXPECT_DOUBLE_EQ(app.view.HalfHeight, 12.0);
    EXPECT_EQ(surface.clears, 1);
    RecordingSurface wider(1281, 481);
    Form_Resize(app, host, wider);
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(app.view.HalfWidth, 32.0);
}

TEST(Zoom, TheNinthMagnificationShowsTheFloorMessageAndReturnsToDefault) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    for (int i = 0; i < 8; ++i) mnuZoomIn_Click(app, host, surface);
    EXPECT_TRUE(host.messages.empty());
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.0001953125);
    EXPECT_EQ(surface.clears, 8);
    mnuZoomIn_Click(app, host, surface);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt, "そろそろ限界ですので,元の画面に戻します");
    EXPECT_EQ(host.messages[0].title, "Korvinth / Win");
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(app.view.HalfWidth, 16.0);
    EXPECT_EQ(surface.clears, 9);
}

TEST(Zoom, ShrinkDoublesAndDefaultRestores) {
    App app;
    FakeHost host;
    RecordingSurface surface;
    mnuZoomOut_Click(app, host, surface);
    mnuZoomOut_Click(app, host, surface);
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.2);
    EXPECT_DOUBLE_EQ(app.view.HalfWidth, 64.0);
    mnuZoomDefault_Click(app, host, surface);
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(app.view.HalfHeight, 12.0);
    EXPECT_EQ(surface.clears, 3);
    EXPECT_EQ(host.LastStatus().panel1, "標準");
}

TEST(Wheel, TurnedAloneZoomsSidewaysOrWithShiftMoves) {
    struct Row {
        int x, y;
        bool shift;
        double zoom, panX, panY;
    };
    const Row rows[] = {
        {0, 240, false, 0.5, 0, 0},  // two notches away: twice the magnification
        {0, -120, false, std::sqrt(2.0), 0, 0},
        {0, 0, false, 1, 0, 0},
        {120, 0, false, 1, 40, 0},  // tilted: sideways
        {-60, 0, true, 1, -20, 0},
        {0, 120, true, 1, 0, 40},  // with Shift: up and down
    };
    for (const Row& r : rows) {
        const WheelStep w = WheelGesture(r.x, r.y, r.shift);
        EXPECT_DOUBLE_EQ(w.zoom, r.zoom) << r.x << " " << r.y;
        EXPECT_DOUBLE_EQ(w.panX, r.panX) << r.x << " " << r.y;
        EXPECT_DOUBLE_EQ(w.panY, r.panY) << r.x << " " << r.y;
    }
}

// "全体を表示" brings every drawn object into the window, and neither it nor the wheel changes
// the figure.
TEST(Zoom, FitShowsTheWholeFigureAndTheWheelLeavesItAlone) {
    App app;
    FakeHost host;
    RecordingSurface surface(641, 481);
    Form_Resize(app, host, surface);
    mnuZoomFit_Click(app, host, surface);  // nothing to fit: the standard view
    EXPECT_DOUBLE_EQ(app.view.PixelSize, 0.05);
    EXPECT_EQ(app.view.CentreX, 0);

    const int a = test::AddPoint(app.figure, 40, 30);
    const int b = test::AddPoint(app.figure, 70, 35);
    const int c = test::AddFromTwoPoints(app.figure, "C2", a, b, kKindCircle);
    const int hidden = test::AddPoint(app.figure, -500, 0);
    app.figure.Points[hidden].colour = 0;  // not drawn, so not fitted
    FullRedraw(app, host, surface);
    const std::string before = ConstructionReport(app.figure, "f");
    mnuZoomFit_Click(app, host, surface);
    const CircleRecord& circle = app.figure.Circles[c];
    const ViewMapping m = MappingOf(app.view, 641, 481);
    for (const auto& [x, y] : {std::pair{circle.cx - circle.r, circle.cy - circle.r},
                               std::pair{circle.cx + circle.r, circle.cy + circle.r}}) {
        const PixelPos p = m.WorldToPixel(x, y);
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, 641);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 481);
    }
    EXPECT_GT(app.view.HalfHeight, circle.r);
    EXPECT_LT(app.view.HalfHeight, circle.r * 1.2) << "as large as the window allows";
    Canvas_Wheel(app, host, surface, WheelGesture(0, 360, false), 100, 100);
    Canvas_Wheel(app, host, surface, WheelGesture(120, -120, true), 100, 100);
    EXPECT_EQ(ConstructionReport(app.figure, "f"), before);
}

}  // namespace
}  // namespace kv
