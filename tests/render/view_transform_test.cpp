#include "render/view_transform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "support/recording_surface.h"

namespace kv {
namespace {

using test::Op;
using test::RecordingSurface;

struct MessageLog {
    std::vector<std::string> messages;
    Notifier note{[this](const std::string& m) { messages.push_back(m); }, nullptr};
};

TEST(SetScreen, DefaultClientAreaSpansSixteenByTwelve) {
    RecordingSurface s(641, 481);
    View v;
    SetScreen(v, s);
    EXPECT_DOUBLE_EQ(v.HalfWidth, 16);
    EXPECT_DOUBLE_EQ(v.HalfHeight, 12);
    ASSERT_TRUE(s.userScale);
    EXPECT_DOUBLE_EQ(s.left, -16);
    EXPECT_DOUBLE_EQ(s.top, 12);
    EXPECT_DOUBLE_EQ(s.width, 32);
    EXPECT_DOUBLE_EQ(s.height, -24);  // y grows upwards
}

TEST(SetScreen, ResizingKeepsScaleAndCentre) {
    RecordingSurface s(641, 481);
    View v;
    SetScreen(v, s);
    s.Resize(1281, 241);
    SetScreen(v, s);
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(v.HalfWidth, 32);
    EXPECT_DOUBLE_EQ(v.HalfHeight, 6);
    EXPECT_DOUBLE_EQ(s.left + s.width / 2, 0);
    EXPECT_DOUBLE_EQ(s.top + s.height / 2, 0);
}

TEST(SetScreen, DegenerateClientAreaStillHasAnExtent) {
    RecordingSurface s(0, 1);
    View v;
    SetScreen(v, s);
    EXPECT_GT(v.HalfWidth, 0);
    EXPECT_GT(v.HalfHeight, 0);
}

TEST(ViewMapping, OriginAtCentreAndRoundTrip) {
    View v;
    const ViewMapping m = MappingOf(v, 641, 481);
    const PixelPos c = m.WorldToPixel(0, 0);
    EXPECT_DOUBLE_EQ(c.x, 320.5);
    EXPECT_DOUBLE_EQ(c.y, 240.5);
    const WorldPos tl = m.PixelToWorld(0, 0);
    EXPECT_DOUBLE_EQ(tl.x, -16);
    EXPECT_DOUBLE_EQ(tl.y, 12);
    for (auto [px, py] : {std::pair{0.0, 0.0}, {17.25, 400.5}, {640.0, 480.0}, {-3.0, 1000.0}}) {
        const WorldPos w = m.PixelToWorld(px, py);
        const PixelPos back = m.WorldToPixel(w.x, w.y);
        EXPECT_NEAR(back.x, px, 1e-9);
        EXPECT_NEAR(back.y, py, 1e-9);
    }
    // y up: a pixel lower on the screen is a smaller world y.
    EXPECT_LT(m.PixelToWorld(0, 300).y, m.PixelToWorld(0, 100).y);
}

TEST(DrawAxis, GridLinesAtEveryIntegerThenSolidAxes) {
    RecordingSurface s(641, 481);
    View v;
    SetScreen(v, s);
    v.ShowAxes = kTrue;
    DrawAxis(v, s);
    const auto lines = s.Of(Op::Line);
    ASSERT_EQ(lines.size(), 33u + 25u + 2u);
    for (int k = -16; k <= 16; ++k) {
        const auto& l = lines[k + 16];
        EXPECT_EQ(l.x1, k);
        EXPECT_EQ(l.x2, k);
        EXPECT_EQ(l.y1, -12);
        EXPECT_EQ(l.y2, 12);
        EXPECT_TRUE(l.dotted);
    }
    for (int k = -12; k <= 12; ++k) {
        const auto& l = lines[33 + k + 12];
        EXPECT_EQ(l.y1, k);
        EXPECT_EQ(l.y2, k);
        EXPECT_EQ(l.x1, -16);
        EXPECT_EQ(l.x2, 16);
    }
    const auto& yAxis = lines[58];
    const auto& xAxis = lines[59];
    EXPECT_FALSE(yAxis.dotted);
    EXPECT_FALSE(xAxis.dotted);
    EXPECT_EQ(yAxis.x1, 0);
    EXPECT_EQ(yAxis.y1, -12);
    EXPECT_EQ(xAxis.y1, 0);
    EXPECT_EQ(xAxis.x2, 16);
    for (const auto& l : lines) EXPECT_EQ(l.colour, (Rgb{170, 170, 170}));
    EXPECT_EQ(s.Count(Op::Clear), 0u);
}

TEST(DrawAxis, RestoresThePenStyleAndUsesFaintGreyWhenOff) {
    RecordingSurface s;
    View v;
    SetScreen(v, s);
    s.SetDotted(true);
    DrawAxis(v, s);
    EXPECT_TRUE(s.Dotted());
    s.SetDotted(false);
    DrawAxis(v, s);
    EXPECT_FALSE(s.Dotted());
    for (const auto& l : s.Of(Op::Line)) EXPECT_EQ(l.colour, (Rgb{190, 190, 190}));
}

TEST(ToggleAxes, PaintsAtOnceWithoutClearing) {
    RecordingSurface s;
    View v;
    SetScreen(v, s);
    ToggleAxes(v, s);
    EXPECT_NE(v.ShowAxes, 0);
    EXPECT_EQ(s.Of(Op::Line).front().colour, (Rgb{170, 170, 170}));
    s.calls.clear();
    ToggleAxes(v, s);
    EXPECT_EQ(v.ShowAxes, 0);
    ASSERT_FALSE(s.calls.empty());
    EXPECT_EQ(s.Of(Op::Line).front().colour, (Rgb{190, 190, 190}));
    EXPECT_EQ(s.Count(Op::Clear), 0u);
}

TEST(Zoom, EightMagnificationsThenTheFloorMessage) {
    RecordingSurface s;
    View v;
    MessageLog log;
    SetScreen(v, s);
    double expected = 0.05;
    for (int step = 1; step <= 8; ++step) {
        ZoomIn(v, s, log.note);
        expected /= 2;
        EXPECT_DOUBLE_EQ(v.PixelSize, expected) << "step " << step;
    }
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.0001953125);
    EXPECT_TRUE(log.messages.empty());
    ZoomIn(v, s, log.note);
    ASSERT_EQ(log.messages.size(), 1u);
    EXPECT_EQ(log.messages[0], "そろそろ限界ですので,元の画面に戻します");
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(v.HalfWidth, 16);  // SetScreen ran with the restored scale
}

TEST(Zoom, ShrinkDoublesAndDefaultRestores) {
    RecordingSurface s;
    View v;
    SetScreen(v, s);
    ZoomOut(v, s);
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.1);
    EXPECT_DOUBLE_EQ(v.HalfWidth, 32);
    ZoomDefault(v, s);
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.05);
    EXPECT_DOUBLE_EQ(v.HalfHeight, 12);
}

TEST(Zoom, RepeatedShrinkKeepsExtentsFiniteInSinglePrecision) {
    RecordingSurface s(4000, 3000);
    View v;
    SetScreen(v, s);
    double last = 0;
    for (int i = 0; i < 2000; ++i) {
        last = v.PixelSize;
        ZoomOut(v, s);
    }
    EXPECT_EQ(v.PixelSize, last);  // it has stopped doubling
    EXPECT_TRUE(std::isfinite(v.PixelSize));
    EXPECT_TRUE(std::isfinite(static_cast<float>(2 * v.HalfWidth)));
    EXPECT_TRUE(std::isfinite(static_cast<float>(2 * v.HalfHeight)));
}

// After many "/ 2" the unit grid would need far more lines than there are pixels; the grid
// then draws one line per pixel column and row, all inside the window.
TEST(DrawAxis, GridWorkStaysBoundedAfterManyShrinks) {
    for (int presses : {5, 6, 20, 60}) {
        RecordingSurface s(641, 481);
        View v;
        SetScreen(v, s);
        for (int i = 0; i < presses; ++i) ZoomOut(v, s);
        v.ShowAxes = kTrue;
        DrawAxis(v, s);
        const auto lines = s.Of(Op::Line);
        EXPECT_LE(lines.size(), 641u + 481u + 2u) << presses;
        EXPECT_GE(lines.size(), 2u);
        for (const auto& l : lines) {
            EXPECT_LE(std::abs(l.x1), v.HalfWidth * 1.0001);
            EXPECT_LE(std::abs(l.y1), v.HalfHeight * 1.0001);
        }
    }
}

TEST(DrawAxis, DenseGridCoversEveryPixelColumnOnce) {
    RecordingSurface s(101, 81);
    View v;
    v.PixelSize = 4;  // a unit is a quarter pixel
    SetScreen(v, s);
    DrawAxis(v, s);
    const ViewMapping m = MappingOf(v, 101, 81);
    std::vector<int> hits(101, 0);
    for (const auto& l : s.Of(Op::Line)) {
        if (l.dotted && l.x1 == l.x2) ++hits[static_cast<int>(m.WorldToPixel(l.x1, 0).x)];
    }
    for (int px = 0; px < 101; ++px) EXPECT_EQ(hits[px], 1) << px;
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// The world point under the pointer stays under it, wherever the pointer is, however far the
// wheel turns and wherever the view was before; the scale never leaves the zoom limits.
TEST(ZoomAbout, KeepsTheWorldPointUnderThePointer) {
    const double factors[] = {0.5, std::sqrt(0.5), 2, 1.0 / 64, 1e6};
    const double pixels[][2] = {{0, 0}, {320, 240}, {640, 480}, {17.5, 401.25}, {600, 3}};
    const double centres[][2] = {{0, 0}, {-3.5, 7}, {250, -900}};
    for (double factor : factors) {
        for (const auto& px : pixels) {
            for (const auto& c : centres) {
                RecordingSurface s(641, 481);
                View v;
                v.CentreX = c[0];
                v.CentreY = c[1];
                SetScreen(v, s);
                const WorldPos before = MappingOf(v, 641, 481).PixelToWorld(px[0], px[1]);
                ZoomAbout(v, s, factor, px[0], px[1]);
                const WorldPos after = MappingOf(v, 641, 481).PixelToWorld(px[0], px[1]);
                const double clamped =
                    std::clamp(0.05 * factor, kPixelSizeFloor, kPixelSizeCeiling);
                EXPECT_DOUBLE_EQ(v.PixelSize, clamped) << factor;
                EXPECT_NEAR(after.x, before.x, 1e-9 * (1 + std::abs(before.x))) << factor;
                EXPECT_NEAR(after.y, before.y, 1e-9 * (1 + std::abs(before.y))) << factor;
                // The surface got the same mapping.
                EXPECT_NEAR(s.left, v.CentreX - v.HalfWidth, 1e-9 * (1 + std::abs(s.left)));
                EXPECT_NEAR(s.top, v.CentreY + v.HalfHeight, 1e-9 * (1 + std::abs(s.top)));
            }
        }
    }
}

TEST(PanBy, ThePictureFollowsThePointerAndStandardViewReturnsToTheOrigin) {
    RecordingSurface s(641, 481);
    View v;
    SetScreen(v, s);
    const WorldPos under = MappingOf(v, 641, 481).PixelToWorld(100, 100);
    PanBy(v, s, 40, -20);
    const WorldPos moved = MappingOf(v, 641, 481).PixelToWorld(140, 80);
    EXPECT_NEAR(moved.x, under.x, 1e-12);
    EXPECT_NEAR(moved.y, under.y, 1e-12);
    EXPECT_DOUBLE_EQ(v.PixelSize, 0.05);
    ZoomDefault(v, s);
    EXPECT_EQ(v.CentreX, 0);
    EXPECT_EQ(v.CentreY, 0);
    EXPECT_DOUBLE_EQ(s.left, -16);
}

// Fitting shows the whole rectangle, as large as the client area allows; the grid of a moved
// view still has a line at every integer inside it and the axes where they cross it.
TEST(FitRectangle, ShowsTheRectangleCentredAndTheGridFollows) {
    RecordingSurface s(641, 481);
    View v;
    FitRectangle(v, s, 10, 20, 18, 22);  // 8 x 2: the width decides
    EXPECT_DOUBLE_EQ(v.CentreX, 14);
    EXPECT_DOUBLE_EQ(v.CentreY, 21);
    EXPECT_DOUBLE_EQ(v.HalfWidth, 4);
    EXPECT_GE(v.HalfHeight, 1);
    FitRectangle(v, s, 1, 1, 1, 1);  // no extent: the scale stays
    EXPECT_DOUBLE_EQ(v.HalfWidth, 4);
    EXPECT_DOUBLE_EQ(v.CentreX, 1);
    FitRectangle(v, s, -1e-9, 0, 1e-9, 0);  // below the magnification floor
    EXPECT_DOUBLE_EQ(v.PixelSize, kPixelSizeFloor);

    View g;
    g.CentreX = 100.5;
    g.CentreY = 3;
    g.ShowAxes = kTrue;
    SetScreen(g, s);
    s.Forget();
    DrawAxis(g, s);
    const auto lines = s.Of(Op::Line);
    ASSERT_EQ(lines.size(), 32u + 25u + 2u);  // x = 85..116, y = -9..15
    EXPECT_EQ(lines.front().x1, 85);
    EXPECT_EQ(lines[31].x1, 116);
    EXPECT_EQ(lines[32].y1, -9);
    EXPECT_FLOAT_EQ(lines[32].x1, 84.5f);
    EXPECT_FLOAT_EQ(lines[32].x2, 116.5f);
}

}  // namespace
}  // namespace kv
