#include "render/draw.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "draw_rig.h"
#include "engine/recompute.h"
#include "render/palette.h"
#include "render/redraw.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

using test::AddLineThrough;
using test::AddPoint;
using test::Call;
using test::DrawRig;
using test::LineOf;
using test::Op;
using test::PointAt;

Rgb Palette(int i) {
    return *PaletteColour(i);
}

// Each mark value and the shapes it is made of, around (1, 2) with s = 5 pixels = 0.25.
struct MarkRow {
    i16 mark;
    size_t lines, circles, outlines, fills, pixels;
    std::vector<float> radii;
};

class MarkShapes : public ::testing::TestWithParam<MarkRow> {};

TEST_P(MarkShapes, DrawsTheShapesOfTheTable) {
    const MarkRow& row = GetParam();
    DrawRig rig;
    DrawPointMark(PointAt(1, 2, row.mark, 4), rig.Ctx());
    const auto& s = rig.surface;
    EXPECT_EQ(s.Count(Op::Line), row.lines);
    EXPECT_EQ(s.Count(Op::Circle), row.circles);
    EXPECT_EQ(s.Count(Op::Rectangle), row.outlines);
    EXPECT_EQ(s.Count(Op::FilledRectangle), row.fills);
    EXPECT_EQ(s.Count(Op::Pixel), row.pixels);
    std::vector<float> radii;
    for (const Call& c : s.Of(Op::Circle)) {
        radii.push_back(c.x2);
        EXPECT_FLOAT_EQ(c.x1, 1);
        EXPECT_FLOAT_EQ(c.y1, 2);
    }
    ASSERT_EQ(radii.size(), row.radii.size());
    for (size_t i = 0; i < radii.size(); ++i) EXPECT_FLOAT_EQ(radii[i], row.radii[i]);
    // Every stroke stays within the 5-pixel box around the point.
    for (const Call& c : s.calls) {
        if (c.op == Op::Circle) continue;
        const bool twoEnds = c.op != Op::Pixel;
        for (float x : {c.x1, twoEnds ? c.x2 : 1.0f}) EXPECT_LE(std::abs(x - 1), 0.25f + 1e-6f);
        for (float y : {c.y1, twoEnds ? c.y2 : 2.0f}) EXPECT_LE(std::abs(y - 2), 0.25f + 1e-6f);
    }
    if (row.mark < 10) {
        for (const Call& c : s.calls) EXPECT_EQ(c.colour, Palette(4));
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryMark, MarkShapes,
    ::testing::Values(MarkRow{0, 0, 0, 0, 0, 1, {}}, MarkRow{1, 2, 0, 0, 0, 0, {}},
                      MarkRow{2, 0, 1, 0, 0, 0, {0.2f}}, MarkRow{3, 0, 0, 1, 0, 0, {}},
                      MarkRow{4, 0, 0, 0, 1, 0, {}}, MarkRow{5, 3, 0, 0, 0, 0, {}},
                      MarkRow{10, 0, 0, 0, 0, 1, {}}, MarkRow{13, 0, 0, 0, 0, 1, {}},
                      MarkRow{17, 0, 0, 0, 0, 1, {}}, MarkRow{20, 0, 2, 0, 0, 0, {0.125f, 0.25f}},
                      MarkRow{21, 0, 1, 0, 0, 0, {0.125f}}, MarkRow{22, 2, 1, 0, 0, 0, {0.25f}},
                      MarkRow{23, 1, 1, 0, 0, 0, {0.25f}}, MarkRow{6, 0, 0, 0, 0, 0, {}},
                      MarkRow{9, 0, 0, 0, 0, 0, {}}, MarkRow{18, 0, 0, 0, 0, 0, {}},
                      MarkRow{24, 0, 0, 0, 0, 0, {}}, MarkRow{-1, 0, 0, 0, 0, 0, {}}));

TEST(DrawPointMark, CrossAndBoxCorners) {
    DrawRig rig;
    DrawPointMark(PointAt(1, 2, 1), rig.Ctx());
    DrawPointMark(PointAt(1, 2, 3), rig.Ctx());
    const auto lines = rig.surface.Of(Op::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_FLOAT_EQ(lines[0].x1, 1.25f);
    EXPECT_FLOAT_EQ(lines[0].y1, 2.25f);
    EXPECT_FLOAT_EQ(lines[0].x2, 0.75f);
    EXPECT_FLOAT_EQ(lines[0].y2, 1.75f);
    EXPECT_FLOAT_EQ(lines[1].y1, 1.75f);
    EXPECT_FLOAT_EQ(lines[1].y2, 2.25f);
    const Call box = rig.surface.Of(Op::Rectangle).at(0);
    EXPECT_FLOAT_EQ(box.x1, 1.25f);
    EXPECT_FLOAT_EQ(box.y1, 2.25f);
    EXPECT_FLOAT_EQ(box.x2, 0.75f);
    EXPECT_FLOAT_EQ(box.y2, 1.75f);
}

TEST(DrawPointMark, MarkSizeFollowsTheZoomNotThePen) {
    DrawRig rig;
    rig.view.PixelSize = 0.1;
    SetScreen(rig.view, rig.surface);
    rig.surface.SetPenWidth(5);
    DrawPointMark(PointAt(0, 0, 2), rig.Ctx());
    EXPECT_FLOAT_EQ(rig.surface.Of(Op::Circle).at(0).x2, 0.4f);  // four pixels
}

// Marks 10..17: one pixel in a colour different from the point's and from (mark - 10).
struct ContrastRow {
    i16 colour, mark;
    int expected;
};
class ContrastingPixel : public ::testing::TestWithParam<ContrastRow> {};

TEST_P(ContrastingPixel, PicksTheNextFreeIndex) {
    const auto [colour, mark, expected] = GetParam();
    DrawRig rig;
    DrawPointMark(PointAt(0, 0, mark, colour), rig.Ctx());
    EXPECT_EQ(rig.surface.Of(Op::Pixel).at(0).colour, Palette(expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, ContrastingPixel,
                         ::testing::Values(ContrastRow{7, 10, 1}, ContrastRow{0, 11, 2},
                                           ContrastRow{0, 10, 1}, ContrastRow{4, 12, 0},
                                           ContrastRow{7, 17, 0}, ContrastRow{1, 11, 0}));

TEST(DrawPointMark, PointsBeyondThousandAreNotDrawn) {
    DrawRig rig;
    rig.view.PixelSize = 6.4;  // the window reaches y = 1536
    SetScreen(rig.view, rig.surface);
    DrawPointMark(PointAt(0, 1000, 0), rig.Ctx());
    EXPECT_EQ(rig.surface.Count(Op::Pixel), 1u);
    DrawPointMark(PointAt(0, 1000.0001, 0), rig.Ctx());
    DrawPointMark(PointAt(-1000.5, 0, 4), rig.Ctx());
    PointRecord undefined = PointAt(0, 0, 4);
    undefined.exists = 0;
    DrawPointMark(undefined, rig.Ctx());
    EXPECT_EQ(rig.surface.calls.size(), 1u);
}

// Line display forms from P1 = (1, 1) to P2 = (3, 1): where each drawn piece starts and ends.
// The long reach of lines and half-lines is cut at the window's edge plus a small margin.
struct FormRow {
    i16 form;
    bool drawn;
    float x1, x2;
};
class LineForms : public ::testing::TestWithParam<FormRow> {};

TEST_P(LineForms, DrawTheirPiece) {
    const FormRow row = GetParam();
    DrawRig rig;
    const float edge = 16 + 24 * 0.05f;
    DrawLineRecord(LineOf(1, 1, 3, 1, row.form, 1, 0), rig.Ctx());
    const auto lines = rig.surface.Of(Op::Line);
    if (!row.drawn) {
        EXPECT_TRUE(lines.empty());
        return;
    }
    ASSERT_EQ(lines.size(), 1u);
    const float x1 = row.x1 == 99 ? edge : row.x1 == -99 ? -edge : row.x1;
    const float x2 = row.x2 == 99 ? edge : row.x2 == -99 ? -edge : row.x2;
    EXPECT_NEAR(lines[0].x1, x1, 1e-5);
    EXPECT_NEAR(lines[0].x2, x2, 1e-5);
    EXPECT_FLOAT_EQ(lines[0].y1, 1);
    EXPECT_FLOAT_EQ(lines[0].y2, 1);
    EXPECT_EQ(lines[0].colour, kBlack);
}

INSTANTIATE_TEST_SUITE_P(Forms, LineForms,
                         ::testing::Values(FormRow{0, true, -99, 99}, FormRow{1, true, 1, 3},
                                           FormRow{2, true, 1, 99}, FormRow{3, true, 3, -99},
                                           FormRow{4, false, 0, 0}, FormRow{-1, false, 0, 0}));

// A line, or a half-line that runs towards the window, is drawn across the window wherever
// its defining points lie, also thousands of windows away, and in any direction; a half-line
// that runs away from the window is not.
TEST(DrawLineRecord, DrawnWhereverItsDefiningPointsLie) {
    struct Row {
        i16 form;
        double x1, x2;  // defining points on y = 1 or, turned, on x = 1
        bool drawn;
    };
    const float edge = 16 + 24 * 0.05f;
    for (const bool turned : {false, true}) {
        for (const Row& row :
             {Row{0, -230, -229, true}, Row{0, -1e7, -1e7 + 1, true}, Row{0, 5e9, 5e9 + 3, true},
              Row{2, -1e7, -1e7 + 1, true}, Row{2, 230, 231, false}, Row{3, 1e7, 1e7 + 1, true},
              Row{3, -231, -230, false}}) {
            DrawRig rig;
            const LineRecord l = turned ? LineOf(1, row.x1, 1, row.x2, row.form, 0, 1)
                                        : LineOf(row.x1, 1, row.x2, 1, row.form, 1, 0);
            DrawLineRecord(l, rig.Ctx());
            const auto lines = rig.surface.Of(Op::Line);
            SCOPED_TRACE(testing::Message() << row.form << " " << row.x1 << " " << turned);
            ASSERT_EQ(lines.size(), row.drawn ? 1u : 0u);
            if (!row.drawn) continue;
            // From edge to edge of the window (widened by its margin), on the line itself.
            const Call& c = lines[0];
            const float lo = turned ? std::min(c.y1, c.y2) : std::min(c.x1, c.x2);
            const float hi = turned ? std::max(c.y1, c.y2) : std::max(c.x1, c.x2);
            const float across = turned ? 12 + 24 * 0.05f : edge;
            EXPECT_NEAR(lo, -across, 1e-3);
            EXPECT_NEAR(hi, across, 1e-3);
            EXPECT_FLOAT_EQ(turned ? c.x1 : c.y1, 1);
            EXPECT_FLOAT_EQ(turned ? c.x2 : c.y2, 1);
        }
    }
}

// A view moved away from the origin still shows the whole of a line through the origin, and a
// point's name where the point is.
TEST(DrawLineRecord, AMovedViewStillShowsLinesAndNames) {
    DrawRig rig;
    rig.view.CentreX = 600;
    rig.view.CentreY = -40;
    SetScreen(rig.view, rig.surface);
    const double n = std::hypot(600, 40);  // the line from the origin through the centre
    DrawLineRecord(LineOf(0, 0, 600, -40, 0, 600 / n, -40 / n), rig.Ctx());
    const auto lines = rig.surface.Of(Op::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_LE(std::min(lines[0].x1, lines[0].x2), 600 - 16);
    EXPECT_GE(std::max(lines[0].x1, lines[0].x2), 600 + 16);

    const int p = test::AddPoint(rig.figure, 605, -45);
    rig.figure.Points[p].name = "P";
    DrawPointLabel(rig.figure, {kKindPoint, static_cast<i16>(p)}, 7, kSourceCurrent, rig.Ctx());
    EXPECT_EQ(rig.surface.Texts(), std::vector<std::string>{"P"});
}

TEST(DrawLineRecord, UndefinedOrTooShortSegmentsDrawNothing) {
    DrawRig rig;
    LineRecord undefined = LineOf(0, 0, 5, 0, 1, 1, 0);
    undefined.exists = 0;
    DrawLineRecord(undefined, rig.Ctx());
    DrawLineRecord(LineOf(0, 0, 0.005, 0.005, 1, 0.7, 0.7), rig.Ctx());
    EXPECT_TRUE(rig.surface.calls.empty());
}

TEST(RedrawAll, SegmentBetweenPointsCloserThanAHundredthIsNotDrawn) {
    DrawRig rig;
    Figure& f = rig.figure;
    const int a = AddPoint(f, 0, 0);
    const int b = AddPoint(f, 0.006, 0.006);
    const int c = AddPoint(f, 2, 0);
    AddLineThrough(f, a, b, 1);
    const int far = AddLineThrough(f, a, c, 1);
    RedrawAll(f, rig.Ctx());
    const auto lines = rig.surface.Of(Op::Line);
    ASSERT_EQ(lines.size(), 1u);  // only the segment A-C
    EXPECT_NE(f.Lines[far].exists, 0);
    EXPECT_FLOAT_EQ(lines[0].x2, 2);
}

TEST(DrawCircleRecord, RadiusLimitAndUndefined) {
    DrawRig rig;
    CircleRecord c;
    c.cx = 1;
    c.cy = -1;
    c.r = 2;
    c.exists = kTrue;
    c.colour = 2;
    DrawCircleRecord(c, rig.Ctx());
    const auto circles = rig.surface.Of(Op::Circle);
    ASSERT_EQ(circles.size(), 1u);
    EXPECT_FLOAT_EQ(circles[0].x1, 1);
    EXPECT_FLOAT_EQ(circles[0].y1, -1);
    EXPECT_FLOAT_EQ(circles[0].x2, 2);
    EXPECT_EQ(circles[0].colour, Palette(2));
    rig.surface.calls.clear();
    c.r = 1000.5;
    DrawCircleRecord(c, rig.Ctx());
    c.r = 3;
    c.exists = 0;
    DrawCircleRecord(c, rig.Ctx());
    EXPECT_TRUE(rig.surface.calls.empty());
}

TEST(DrawPointLabel, NameWithTopLeftAtThePointOnlyInsideTheWindow) {
    DrawRig rig;
    Figure& f = rig.figure;
    const int in = AddPoint(f, 15.9, 11.9);
    const int out = AddPoint(f, 16.2, 0);
    SetName(f, {kKindPoint, static_cast<i16>(out)}, "Q");
    DrawFigure(f, rig.Ctx());
    const auto prints = rig.surface.Of(Op::Print);
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0].text, NameOf(f, {kKindPoint, static_cast<i16>(in)}));
    EXPECT_FLOAT_EQ(prints[0].x1, 15.9f);
    EXPECT_FLOAT_EQ(prints[0].y1, 11.9f);
    EXPECT_EQ(prints[0].colour, kBlack);
    EXPECT_EQ(rig.surface.Count(Op::Pixel), 2u);  // both marks are drawn
}

// Hidden names stay hidden only where the activity lets the option apply.
struct LabelModeRow {
    bool namesMayHide;
    bool shown;
};
class HiddenLabels : public ::testing::TestWithParam<LabelModeRow> {};

TEST_P(HiddenLabels, FollowTheActivity) {
    DrawRig rig;
    AddPoint(rig.figure, 1, 1);
    rig.view.LabelsHidden = kTrue;
    rig.namesMayHide = GetParam().namesMayHide;
    DrawFigure(rig.figure, rig.Ctx());
    EXPECT_EQ(rig.surface.Count(Op::Print), GetParam().shown ? 1u : 0u);
    // Erasing a name always proceeds.
    rig.surface.calls.clear();
    DrawPointLabel(rig.figure, {kKindPoint, 1}, 0, kSourceCurrent, rig.Ctx());
    EXPECT_EQ(rig.surface.Count(Op::Print), 1u);
}

INSTANTIATE_TEST_SUITE_P(Modes, HiddenLabels,
                         ::testing::Values(LabelModeRow{true, false}, LabelModeRow{false, true}));

TEST(DrawPointLabel, HighColoursPrintGreyOnABoxAndTheTextColourIsKept) {
    DrawRig rig;
    AddPoint(rig.figure, 1, 1);
    rig.surface.SetForeColour({1, 2, 3});
    DrawPointLabel(rig.figure, {kKindPoint, 1}, 12, kSourceCurrent, rig.Ctx());
    DrawPointLabel(rig.figure, {kKindPoint, 1}, 4, kSourceCurrent, rig.Ctx());
    const auto opaque = rig.surface.Of(Op::PrintOpaque);
    ASSERT_EQ(opaque.size(), 1u);
    EXPECT_EQ(opaque[0].colour, kBackgroundGrey);
    EXPECT_EQ(opaque[0].background, Palette(4));
    EXPECT_EQ(rig.surface.Of(Op::Print).at(0).colour, Palette(4));
    EXPECT_EQ(rig.surface.ForeColour(), (Rgb{1, 2, 3}));
    // Lines, circles and numbers have no label.
    rig.surface.calls.clear();
    DrawPointLabel(rig.figure, {kKindLine, 1}, 7, kSourceCurrent, rig.Ctx());
    DrawPointLabel(rig.figure, {kKindPoint, 99}, 7, kSourceCurrent, rig.Ctx());
    EXPECT_TRUE(rig.surface.calls.empty());
}

// The colour DrawObject uses for (colour, locusColour, highlight).
struct HighlightRow {
    i16 colour, locusColour;
    int highlight, drawn;
};
class Highlight : public ::testing::TestWithParam<HighlightRow> {};

TEST_P(Highlight, ChoosesTheColour) {
    const HighlightRow row = GetParam();
    DrawRig rig;
    Figure& f = rig.figure;
    AddPoint(f, 1, 1, 4);
    f.Points[1].colour = row.colour;
    f.Points[1].locusColour = row.locusColour;
    const int l = AddLineThrough(f, 1, 1, 1);
    f.Lines[l] = LineOf(-1, 0, 1, 0, 1, 1, 0);
    f.Lines[l].colour = row.colour;
    f.Lines[l].locusColour = row.locusColour;
    DrawObject(f, {kKindPoint, 1}, row.highlight, kSourceCurrent, rig.Ctx());
    DrawObject(f, {kKindLine, static_cast<i16>(l)}, row.highlight, kSourceCurrent, rig.Ctx());
    EXPECT_EQ(rig.surface.Of(Op::FilledRectangle).at(0).colour, Palette(row.drawn));
    EXPECT_EQ(rig.surface.Of(Op::Line).at(0).colour, Palette(row.drawn));
}

INSTANTIATE_TEST_SUITE_P(Rows, Highlight,
                         ::testing::Values(HighlightRow{7, 0, 0, 7}, HighlightRow{0, 0, 4, 4},
                                           HighlightRow{2, 0, 4, 2}, HighlightRow{7, 3, 10, 3},
                                           HighlightRow{7, 3, 20, 0}, HighlightRow{7, 3, 24, 4},
                                           HighlightRow{7, 3, 9, 7}, HighlightRow{0, 5, 8, 0}));

TEST(DrawObject, TracingErasesTheNameAtItsSavedPosition) {
    DrawRig rig;
    Figure& f = rig.figure;
    AddPoint(f, 1, 1);
    TakeSnapshot(f);
    f.Points[1].x = 5;
    DrawObject(f, {kKindPoint, 1}, kHighlightTrace, kSourceCurrent, rig.Ctx());
    const auto prints = rig.surface.Of(Op::Print);
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_EQ(prints[0].colour, kBackgroundGrey);
    EXPECT_FLOAT_EQ(prints[0].x1, 1);
    // The mark is drawn where the point is now.
    EXPECT_FLOAT_EQ(rig.surface.Of(Op::Pixel).at(0).x1, 5);
}

TEST(DrawObject, SavedSourceReadsTheSnapshot) {
    DrawRig rig;
    Figure& f = rig.figure;
    AddPoint(f, 1, 1);
    TakeSnapshot(f);
    f.Points[1].x = 5;
    DrawObject(f, {kKindPoint, 1}, 0, kSourceSaved, rig.Ctx());
    EXPECT_FLOAT_EQ(rig.surface.Of(Op::Pixel).at(0).x1, 1);
    // Out-of-table references draw nothing.
    rig.surface.calls.clear();
    DrawObject(f, {kKindCircle, 5000}, 0, kSourceCurrent, rig.Ctx());
    DrawObject(f, {kKindPoint, -1}, 0, kSourceCurrent, rig.Ctx());
    DrawObject(f, {kKindNumber, 1}, 0, kSourceCurrent, rig.Ctx());
    EXPECT_TRUE(rig.surface.calls.empty());
}

TEST(ColourOf, SixteenColoursThenBlackWithOneMessage) {
    const Rgb expected[16] = {{192, 192, 192}, {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                              {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {0, 0, 0},
                              {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                              {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};
    DrawRig rig;
    for (int i = 0; i < 16; ++i) EXPECT_EQ(ColourOf(i, rig.note, rig.notice), expected[i]) << i;
    EXPECT_TRUE(rig.messages.empty());
    EXPECT_EQ(ColourOf(16, rig.note, rig.notice), kBlack);
    EXPECT_EQ(ColourOf(-3, rig.note, rig.notice), kBlack);
    ASSERT_EQ(rig.messages.size(), 1u);
    EXPECT_EQ(rig.messages[0], "16");
}

TEST(RedrawAll, BadColourIsReportedOncePerFigure) {
    DrawRig rig;
    AddPoint(rig.figure, 1, 1);
    rig.figure.Points[1].colour = 99;
    RedrawAll(rig.figure, rig.Ctx());
    RedrawAll(rig.figure, rig.Ctx());
    EXPECT_EQ(rig.messages, std::vector<std::string>{"99"});
    EXPECT_EQ(rig.surface.Of(Op::Pixel).at(0).colour, kBlack);
    rig.notice = ColourNotice{};  // a new figure
    RedrawAll(rig.figure, rig.Ctx());
    EXPECT_EQ(rig.messages.size(), 2u);
}

TEST(DrawFigure, SkipsColourZeroAndHighlightedPointsButTheyStillCount) {
    DrawRig rig;
    Figure& f = rig.figure;
    const int a = AddPoint(f, 0, 0);
    const int b = AddPoint(f, 3, 0);
    const int c = AddPoint(f, 5, 5, 12);
    f.Points[a].colour = 0;
    const int l = AddLineThrough(f, a, b, 1);
    const int hidden = AddLineThrough(f, b, c, 1);
    f.Lines[hidden].colour = 0;
    RedrawAll(f, rig.Ctx());
    // The line through the invisible point is evaluated and drawn; the point is not.
    EXPECT_NE(f.Lines[l].exists, 0);
    EXPECT_NE(f.Lines[hidden].exists, 0);
    ASSERT_EQ(rig.surface.Count(Op::Line), 1u);
    const auto pixels = rig.surface.Of(Op::Pixel);
    ASSERT_EQ(pixels.size(), 1u);
    EXPECT_FLOAT_EQ(pixels[0].x1, 3);
    EXPECT_EQ(rig.surface.Texts(), std::vector<std::string>{NameOf(f, {kKindPoint, 2})});
}

TEST(RedrawAll, DrawsInOrder) {
    DrawRig rig;
    Figure& f = rig.figure;
    rig.view.ShowAxes = kTrue;
    const int a = AddPoint(f, 0, 0);
    const int b = AddPoint(f, 2, 1);
    AddLineThrough(f, a, b, 1);
    const int ci = AppendObject(f, kKindCircle);
    f.Circles[ci] = CircleRecord{1, 1, 2, kTrue, 3, 0, ""};
    test::AddNumber(f, "d", 2.5);
    f.LocusCount[kKindCircle] = 1;
    f.LocusCircles[1] = CircleRecord{-1, -1, 1, kTrue, 5, 0, ""};
    f.Points[a].exists = 5;  // a stray marker is normalised
    RedrawAll(f, rig.Ctx());

    const auto& calls = rig.surface.calls;
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front().op, Op::Clear);
    const auto firstOf = [&](auto pred) {
        for (size_t i = 0; i < calls.size(); ++i)
            if (pred(calls[i])) return static_cast<int>(i);
        return -1;
    };
    const int grid = firstOf([](const Call& c) { return c.op == Op::Line && c.dotted; });
    const int point = firstOf([](const Call& c) { return c.op == Op::Pixel; });
    const int line = firstOf([](const Call& c) { return c.op == Op::Line && c.colour == kBlack; });
    const int circle = firstOf([](const Call& c) { return c.op == Op::Circle; });
    const int number =
        firstOf([](const Call& c) { return c.text.find(" = ") != std::string::npos; });
    const int locus =
        firstOf([&](const Call& c) { return c.op == Op::Circle && c.colour == Palette(5); });
    EXPECT_LT(0, grid);
    EXPECT_LT(grid, point);
    EXPECT_LT(point, line);
    EXPECT_LT(line, circle);
    EXPECT_LT(circle, number);
    EXPECT_LT(number, locus);
    EXPECT_EQ(f.Points[a].exists, kTrue);
    EXPECT_EQ(f.SavedLines[1].x2, f.Lines[1].x2);  // the snapshot was taken
    EXPECT_EQ(calls.back().op, Op::Circle);
}

TEST(RedrawAll, AppliesPenWidthAndFontSizeOfTheView) {
    DrawRig rig;
    rig.view.PenWidth = 5;
    rig.view.FontSize = 14;
    AddPoint(rig.figure, 0, 0, 1);
    RedrawAll(rig.figure, rig.Ctx());
    EXPECT_EQ(rig.surface.PenWidth(), 5);
    EXPECT_EQ(rig.surface.FontSize(), 14);
    for (const Call& c : rig.surface.Of(Op::Line)) EXPECT_EQ(c.penWidth, 5);
}

// Nothing non-finite or far out of the window reaches the surface, whatever the records hold.
TEST(Drawing, ExtremeValuesAreClippedOrSkipped) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double pixelSize : {0.0001, 0.05, 1e6, kPixelSizeCeiling}) {
        DrawRig rig;
        rig.view.PixelSize = pixelSize;
        SetScreen(rig.view, rig.surface);
        const auto ctx = rig.Ctx();
        for (double v : {1e300, -1e300, inf, nan, 999.0}) {
            for (i16 mark : {0, 1, 2, 4, 5, 20, 22}) {
                DrawPointMark(PointAt(v, 1, mark), ctx);
                DrawPointMark(PointAt(1, v, mark), ctx);
            }
            for (i16 form : {0, 1, 2, 3}) {
                DrawLineRecord(LineOf(v, 0, 1, 1, form, 1, 0), ctx);
                DrawLineRecord(LineOf(0, 0, 1, v, form, 0, 1), ctx);
                DrawLineRecord(LineOf(0, 0, 1, 1, form, v, 0.5), ctx);
            }
            CircleRecord c{v, 0, 5, kTrue, 7, 0, ""};
            DrawCircleRecord(c, ctx);
            c = CircleRecord{0, 0, v, kTrue, 7, 0, ""};
            DrawCircleRecord(c, ctx);
        }
        DrawLineRecord(LineOf(-1e308, 0, 1e308, 0, 1, 1, 0), ctx);
        DrawLineRecord(LineOf(-1.7e308, -1.7e308, 1.7e308, 1.7e308, 1, 0.7, 0.7), ctx);
        DrawCircleRecord(CircleRecord{0, 0, 1e-300, kTrue, 7, 0, ""}, ctx);
        DrawCircleRecord(CircleRecord{0, 0, 999, kTrue, 7, 0, ""}, ctx);

        const float limitX = static_cast<float>(rig.view.HalfWidth * 3 + 1);
        const float limitY = static_cast<float>(rig.view.HalfHeight * 3 + 1);
        int crossing = 0;
        for (const Call& call : rig.surface.calls) {
            for (float x : {call.x1, call.op == Op::Circle ? 0.0f : call.x2})
                EXPECT_LE(std::abs(x), limitX) << pixelSize;
            for (float y : {call.y1, call.op == Op::Circle ? 0.0f : call.y2})
                EXPECT_LE(std::abs(y), limitY) << pixelSize;
            EXPECT_TRUE(std::isfinite(call.x2)) << pixelSize;
            if (call.op == Op::Line && call.y1 == 0 && call.y2 == 0) ++crossing;
        }
        // The huge horizontal segment is kept as its visible piece.
        EXPECT_GE(crossing, 1) << pixelSize;
    }
}

TEST(EraseOrTrace, PaintsOverChangedObjectsOrTracesThem) {
    for (bool locusOn : {false, true}) {
        DrawRig rig;
        Figure& f = rig.figure;
        const int a = AddPoint(f, 0, 0);
        const int b = AddPoint(f, 2, 0);
        AddLineThrough(f, a, b, 1);
        RedrawAll(f, rig.Ctx());
        f.Points[a].locusColour = 4;
        f.Lines[1].locusColour = 2;
        f.Points[b].exists = 2;  // unchanged by this change
        rig.surface.calls.clear();
        std::vector<ObjectRef> recorded;
        EraseOrTraceChanged(
            f, locusOn, [&](ObjectRef r) { recorded.push_back(r); }, rig.Ctx());
        const auto pixels = rig.surface.Of(Op::Pixel);
        ASSERT_EQ(pixels.size(), 1u);
        EXPECT_FLOAT_EQ(pixels[0].x1, 0);
        EXPECT_EQ(pixels[0].colour, locusOn ? Palette(4) : kBackgroundGrey);
        EXPECT_EQ(rig.surface.Of(Op::Line).at(0).colour, locusOn ? Palette(2) : kBackgroundGrey);
        EXPECT_EQ(rig.surface.Of(Op::Print).at(0).colour, kBackgroundGrey);  // the name is erased
        if (locusOn) {
            EXPECT_EQ(recorded, (std::vector<ObjectRef>{{kKindPoint, 1}, {kKindLine, 1}}));
        } else {
            EXPECT_TRUE(recorded.empty());
        }
    }
}

TEST(UpdateAfterChange, RecomputesAndRedrawsWithoutClearing) {
    DrawRig rig;
    Figure& f = rig.figure;
    const int a = AddPoint(f, 0, 0);
    const int b = AddPoint(f, 2, 0);
    AddLineThrough(f, a, b, 1);
    RedrawAll(f, rig.Ctx());
    const ObjectRef moved[] = {{kKindPoint, static_cast<i16>(b)}};
    AnalyseDependencies(f, moved, rig.note);
    TakeSnapshot(f);
    f.Points[b].x = 4;
    rig.surface.calls.clear();
    rig.namesMayHide = true;  // calculating
    UpdateAfterChange(f, false, nullptr, rig.Ctx());
    EXPECT_EQ(rig.surface.Count(Op::Clear), 0u);
    EXPECT_DOUBLE_EQ(f.Lines[1].x2, 4);
    const auto lines = rig.surface.Of(Op::Line);
    ASSERT_EQ(lines.size(), 2u);  // the old segment painted over, then the new one
    EXPECT_EQ(lines[0].colour, kBackgroundGrey);
    EXPECT_FLOAT_EQ(lines[0].x2, 2);
    EXPECT_EQ(lines[1].colour, kBlack);
    EXPECT_FLOAT_EQ(lines[1].x2, 4);
}

}  // namespace
}  // namespace kv
