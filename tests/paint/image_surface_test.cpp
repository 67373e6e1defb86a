#include "paint/image_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <limits>
#include <string>

#include "engine/drag_dependents.h"
#include "engine/recompute.h"
#include "model/figure.h"
#include "render/draw.h"
#include "render/number_list.h"
#include "render/palette.h"
#include "render/redraw.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

const QRgb kGrey = qRgb(192, 192, 192);

struct Canvas {
    ImageSurface surface{641, 481};
    View view;
    Notifier note;
    ColourNotice notice;
    Canvas() { SetScreen(view, surface); }
    DrawContext Ctx() { return DrawContext{surface, view, true, note, notice}; }
    QRgb At(int x, int y) { return surface.Image().pixel(x, y); }
    int Count(int x0, int y0, int x1, int y1, QRgb c) {
        const QImage& im = surface.Image();
        int n = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) n += im.pixel(x, y) == c;
        return n;
    }
};

using test::PointAt;

TEST(ImageSurface, StartsAsBackgroundGreyRgb32) {
    Canvas c;
    const QImage& im = c.surface.Image();
    EXPECT_EQ(im.format(), QImage::Format_RGB32);
    EXPECT_EQ(im.width(), 641);
    EXPECT_EQ(im.height(), 481);
    EXPECT_EQ(c.Count(0, 0, 640, 480, kGrey), 641 * 481);
}

TEST(ImageSurface, FilledRedMarkCoversElevenByElevenPixels) {
    Canvas c;
    DrawPointMark(PointAt(0, 0, 4, 4), c.Ctx());
    const QRgb red = qRgb(128, 0, 0);
    // The point (0, 0) is pixel (320, 240); five pixels each way.
    EXPECT_EQ(c.Count(315, 235, 325, 245, red), 121);
    EXPECT_EQ(c.Count(0, 0, 640, 480, red), 121);
    EXPECT_EQ(c.At(314, 240), kGrey);
    EXPECT_EQ(c.At(326, 240), kGrey);
    EXPECT_EQ(c.At(320, 234), kGrey);
    EXPECT_EQ(c.At(320, 246), kGrey);
}

TEST(ImageSurface, OutlinedBoxAndPixelMark) {
    Canvas c;
    DrawPointMark(PointAt(0, 0, 3, 7), c.Ctx());
    DrawPointMark(PointAt(2, 2, 0, 1), c.Ctx());
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(c.Count(315, 235, 325, 245, black), 40);  // the ring of an 11 x 11 box
    EXPECT_EQ(c.At(320, 240), kGrey);
    // (2, 2) is pixel (360, 200).
    EXPECT_EQ(c.At(360, 200), qRgb(0, 0, 128));
    EXPECT_EQ(c.Count(355, 195, 365, 205, qRgb(0, 0, 128)), 1);
}

TEST(ImageSurface, PenWidthWidensLinesButNotMarks) {
    for (int width : {1, 5}) {
        Canvas c;
        c.surface.SetPenWidth(width);
        c.surface.Line(-5, 0, 5, 0, kBlack);
        EXPECT_EQ(c.Count(320, 0, 320, 480, qRgb(0, 0, 0)), width) << width;
        // The circle mark keeps its radius of four pixels: its wide ring stays near it.
        DrawPointMark(PointAt(8, 8, 2, 4), c.Ctx());  // pixel (480, 80)
        const int ring = c.Count(470, 70, 490, 90, qRgb(128, 0, 0));
        EXPECT_GT(ring, 0);
        EXPECT_EQ(c.Count(0, 0, 640, 480, qRgb(128, 0, 0)), ring);
        EXPECT_EQ(c.At(480, 80), kGrey);
        EXPECT_EQ(c.At(480 + 4, 80), qRgb(128, 0, 0));
        EXPECT_EQ(c.At(480 + 2, 80), width == 1 ? kGrey : qRgb(128, 0, 0));
    }
}

TEST(ImageSurface, DottedLinesAlternatePixels) {
    Canvas c;
    c.surface.SetDotted(true);
    c.surface.Line(0, -12, 0, 12, {170, 170, 170});
    const int lit = c.Count(320, 0, 320, 480, qRgb(170, 170, 170));
    EXPECT_GE(lit, 239);
    EXPECT_LE(lit, 242);
    for (int y = 1; y < 480; ++y)
        EXPECT_FALSE(c.At(320, y) != kGrey && c.At(320, y + 1) != kGrey) << y;
}

QImage TextImage(const char* text) {
    ImageSurface s(100, 60);
    s.SetPixelScale();
    s.SetFontSize(32);
    s.MoveTo(10, 10);
    s.Print(text);
    return s.Image().copy();
}

TEST(ImageSurface, JapaneseTextRendersAsRealGlyphs) {
    const QImage ten = TextImage("点");
    const QImage en = TextImage("円");
    int inked = 0;
    for (int y = 0; y < ten.height(); ++y)
        for (int x = 0; x < ten.width(); ++x) {
            if (ten.pixel(x, y) == kGrey) continue;
            ++inked;
            // The text hangs below and right of its top-left corner.
            EXPECT_GE(x, 10);
            EXPECT_GE(y, 10);
        }
    EXPECT_GT(inked, 40);
    // Two different characters look different (a missing-glyph box would look the same).
    EXPECT_NE(ten, en);
}

TEST(ImageSurface, PrintAdvancesAndOpaqueFillsTheBox) {
    ImageSurface s(200, 60);
    s.SetPixelScale();
    s.SetFontSize(12);
    s.MoveTo(5, 5);
    s.Print("AB");
    const double afterAB = s.CurrentPixel().x;
    EXPECT_GT(afterAB, 5 + 8);
    s.SetForeColour({255, 255, 255});
    s.PrintOpaque("C", {0, 0, 128});
    EXPECT_GT(s.CurrentPixel().x, afterAB);
    const QImage& im = s.Image();
    EXPECT_EQ(im.pixel(static_cast<int>(afterAB) + 1, 6), qRgb(0, 0, 128));
    EXPECT_EQ(im.pixel(static_cast<int>(afterAB) + 1, 40), kGrey);
}

// During a drag the number list overprints each row's old text in the background colour: on
// the image that must leave no ghost pixels, even though the erase prints the row in pieces.
TEST(ImageSurface, NumberListRedrawnOverItsLayerLeavesNoGhosts) {
    Figure f;
    const int n = AppendObject(f, kKindNumber);
    f.Numbers[n].name = "距離(A, B)";
    f.Numbers[n].value = -12345.678;
    f.Numbers[n].exists = kTrue;

    Canvas dragged;
    dragged.view.MeasureDigits = 3;
    RedrawAll(f, dragged.Ctx());
    f.Numbers[n].value = 1.5;
    // As a drag step: the picture beneath the list comes back, then the list is drawn anew.
    ASSERT_TRUE(dragged.surface.RestoreLayer(Layer::kLoci));
    DrawNumberLabels(f, dragged.Ctx());

    Canvas fresh;
    fresh.view.MeasureDigits = 3;
    RedrawAll(f, fresh.Ctx());
    EXPECT_EQ(dragged.surface.Image(), fresh.surface.Image());
    EXPECT_LT(fresh.Count(0, 0, 640, 480, kGrey), 641 * 481);  // something was printed
}

// Traces lie beneath the figure and the number list; the list's rows stand on boxes of the
// background colour, so a trace crossing them does not run through the text.
TEST(ImageSurface, NumberRowsStayReadableOverTraces) {
    Figure f;
    const int n = AppendObject(f, kKindNumber);
    f.Numbers[n].name = "AB";
    f.Numbers[n].value = 12.5;
    f.Numbers[n].exists = kTrue;
    LineRecord trace;  // a vertical line at x = -15, some 20 pixels from the left edge
    trace.x1 = -15;
    trace.y1 = 0;
    trace.x2 = -15;
    trace.y2 = 1;
    trace.dx = 0;
    trace.dy = 1;
    trace.exists = kTrue;
    trace.colour = 4;
    f.LocusLines[1] = trace;
    f.LocusCount[kKindLine] = 1;
    Canvas c;
    RedrawAll(f, c.Ctx());
    const QRgb red = qRgb(128, 0, 0);
    EXPECT_GT(c.Count(15, 0, 25, 400, red), 300);  // the trace is drawn above the list
    const int top = 481 - 41 - 11;                 // the one row, 41 pixels above the bottom
    EXPECT_EQ(c.Count(15, top + 1, 25, top + 9, red), 0);
    EXPECT_LT(c.Count(0, top + 1, 40, top + 9, kGrey), 41 * 9);  // the row's text is there
}

// The changing values of a long drag fill the store of shaped texts; the names printed at
// every step stay in it.
TEST(ImageSurface, ChangingValuesDoNotFlushShapedNames) {
    ImageSurface s(64, 32);
    s.SetPixelScale();
    int printed = 0;
    for (int step = 0; step < 400; ++step) {
        for (const char* name : {"A", "B12", "距離AB"}) {
            s.MoveTo(1, 1);
            s.Print(name);
        }
        for (int row = 0; row < 100; ++row) {
            s.MoveTo(1, 10);
            s.Print(" " + std::to_string(printed++) + ".25");
        }
        ASSERT_TRUE(s.HoldsShaped("A") && s.HoldsShaped("B12") && s.HoldsShaped("距離AB"))
            << "step " << step;
    }
    EXPECT_GT(printed, 32768);  // the store was full at least once
    EXPECT_LE(s.ShapedCount(), 32768u);
}

TEST(ImageSurface, FullRedrawShowsGridAtIntegersAndAxes) {
    Canvas c;
    c.view.ShowAxes = kTrue;
    Figure f;
    RedrawAll(f, c.Ctx());
    const QRgb grid = qRgb(170, 170, 170);
    // The y axis (pixel column 320) is solid; the line x = 1 (column 340) is dotted.
    EXPECT_EQ(c.Count(320, 0, 320, 480, grid), 481);
    const int dotted = c.Count(340, 0, 340, 480, grid);
    EXPECT_GT(dotted, 200);
    EXPECT_LT(dotted, 300);
    // Between grid lines, away from the row of y = 11 (pixel row 20), only background.
    EXPECT_EQ(c.At(330, 10), kGrey);
    EXPECT_EQ(c.At(330, 30), kGrey);
    // Without axes the next redraw leaves only the background.
    c.view.ShowAxes = 0;
    RedrawAll(f, c.Ctx());
    EXPECT_EQ(c.Count(0, 0, 640, 480, kGrey), 641 * 481);
}

TEST(ImageSurface, ResizeKeepsThePictureAndDrawingContinuesAfterImage) {
    ImageSurface s(20, 10);
    s.SetPixelScale();
    s.Pixel(3, 3, {255, 0, 0});
    EXPECT_EQ(s.Image().pixel(3, 3), qRgb(255, 0, 0));
    s.Pixel(4, 4, {0, 255, 0});
    EXPECT_EQ(s.Image().pixel(4, 4), qRgb(0, 255, 0));
    s.Resize(40, 30);
    EXPECT_EQ(s.PixelWidth(), 40);
    EXPECT_EQ(s.PixelHeight(), 30);
    EXPECT_EQ(s.Image().pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(s.Image().pixel(35, 25), kGrey);
}

// Huge, tiny and non-finite shapes given straight to the surface neither hang nor crash; the
// visible arc of a circle far larger than the window is still drawn.
TEST(ImageSurface, ExtremeShapesAreSafe) {
    ImageSurface s(200, 100);
    s.SetUserScale(0, 0, 200, 100);
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float big = std::numeric_limits<float>::max();
    s.Line(-big, 50, big, 50, {0, 0, 0});
    s.Line(nan, 0, 10, 10, {0, 0, 0});
    s.Line(inf, 0, 10, 10, {0, 0, 0});
    s.CircleOutline(100, 50, 1e-30f, {0, 0, 0});
    s.CircleOutline(100, 50, inf, {0, 0, 0});
    s.CircleOutline(nan, 50, 3, {0, 0, 0});
    s.Rectangle(-big, -big, big, big, {0, 0, 128}, false);
    s.Pixel(big, big, {0, 0, 0});
    s.MoveTo(nan, nan);
    s.Print("x");
    const QImage& im = s.Image();
    EXPECT_EQ(im.pixel(0, 50), qRgb(0, 0, 0));
    EXPECT_EQ(im.pixel(199, 50), qRgb(0, 0, 0));

    ImageSurface arc(200, 100);
    arc.SetUserScale(0, 0, 200, 100);
    arc.CircleOutline(100, 1e7f + 80, 1e7f, {0, 0, 0});
    int lit = 0;
    for (int x = 0; x < 200; ++x) lit += arc.Image().pixel(x, 80) == qRgb(0, 0, 0);
    EXPECT_GT(lit, 190);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Records with extreme values drawn through the figure code onto the image, at the zoom
// limits: nothing hangs or crashes, and what is visible of them is still drawn.
TEST(ImageSurface, ExtremeRecordsDrawOnlyTheirVisiblePieces) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (double pixelSize : {0.0001, 0.05, 1e6, kPixelSizeCeiling}) {
        Canvas c;
        c.view.PixelSize = pixelSize;
        SetScreen(c.view, c.surface);
        Figure f;
        const auto point = [&](double x, double y) {
            const int i = AppendObject(f, kKindPoint);
            f.Points[i] = PointAt(x, y, 4, 4);
        };
        const auto line = [&](double x1, double y1, double x2, double y2, i16 form, double dx,
                              double dy) {
            const int i = AppendObject(f, kKindLine);
            f.Lines[i] = LineRecord{x1, y1, x2, y2, kTrue, form, dx, dy, 7, 0, ""};
        };
        const auto circle = [&](double cx, double cy, double r) {
            const int i = AppendObject(f, kKindCircle);
            f.Circles[i] = CircleRecord{cx, cy, r, kTrue, 1, 0, ""};
        };
        point(1e300, 0);
        point(0, -1e300);
        point(nan, 0);
        for (i16 form : {0, 1, 2, 3}) {
            line(0, 0, 1, 0, form, nan, 0);
            line(0, 0, 1, 0, form, inf, 0);
            line(1e300, 1e300, 1e300, -1e300, form, 0, -1);
        }
        circle(0, 0, 1e-300);
        circle(1e300, 0, 5);
        circle(0, 0, nan);
        // The one visible shape: a segment from far left to far right along pixel row 240.
        line(-1.7e308, 0, 1.7e308, 0, 1, 1, 0);
        DrawFigure(f, c.Ctx());

        const QRgb black = qRgb(0, 0, 0);
        EXPECT_EQ(c.Count(0, 240, 640, 240, black), 641) << pixelSize;
        EXPECT_EQ(c.Count(0, 0, 640, 480, qRgb(128, 0, 0)), 0) << pixelSize;
        // The tiny circle is at most a dot at the centre.
        EXPECT_LE(c.Count(310, 230, 330, 250, qRgb(0, 0, 128)), 4) << pixelSize;
        EXPECT_EQ(c.Count(0, 0, 640, 239, black) + c.Count(0, 241, 640, 480, black), 0)
            << pixelSize;
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// The number list stacks rows 1.2 font sizes apart and erases each row by printing over it,
// so a row's glyphs must stay inside its own band: otherwise erasing a row would cut into the
// row above or below it.
TEST(ImageSurface, TextInkStaysWithinItsRowHeight) {
    for (int size : {6, View{}.FontSize, 20, 100}) {
        ImageSurface s(40 * size, 3 * size);
        s.SetPixelScale();
        s.SetFontSize(size);
        s.MoveTo(2, static_cast<float>(size));
        s.Print("距離(A,gj|)円周_");
        const QImage& im = s.Image();
        int top = im.height(), bottom = -1;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (im.pixel(x, y) != kGrey) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        ASSERT_GE(bottom, 0) << size;
        EXPECT_GE(top, size) << size;
        EXPECT_LT(bottom, size + 1.2 * size) << size;
    }
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

using test::AddFromTwoPoints;

// A drag step paints the old images over and draws the new ones without clearing: the
// picture must end up exactly as a full redraw of the new position would draw it, with no
// ghost of a mark, a line, a circle, a name or a value left behind.
TEST(ImageSurface, DragStepLeavesThePictureOfAFullRedraw) {
    for (int pen : {1, 3}) {
        Figure f;
        const int a = test::AddPoint(f, -3, -1, 1);
        const int b = test::AddPoint(f, 2, 1.5, 4);
        test::AddLineThrough(f, a, b, 1);
        test::AddLineThrough(f, a, b, 0);
        AddFromTwoPoints(f, "C2", a, b, kKindCircle);
        AddFromTwoPoints(f, "PT3", a, b, kKindPoint);  // A mirrored in B
        const int n = AddFromTwoPoints(f, "ND2P", a, b, kKindNumber);
        f.Numbers[n].name = "距離AB";

        Canvas dragged;
        dragged.view.PenWidth = pen;
        dragged.view.MeasureDigits = 5;
        RedrawAll(f, dragged.Ctx());

        const DragDependents d = AnalyseDragDependents(f, b, dragged.note);
        TakeSnapshot(f);
        f.Points[b].x = 0.5;
        f.Points[b].y = -0.25;
        const DrawContext step{dragged.surface, dragged.view, true, dragged.note, dragged.notice};
        ASSERT_TRUE(ComposeDragStep(f, d, false, nullptr, f.LocusCount, step));

        Canvas fresh;
        fresh.view = dragged.view;
        Figure again = f;
        RedrawAll(again, fresh.Ctx());
        const QImage& want = fresh.surface.Image();
        const QImage& got = dragged.surface.Image();
        int wrong = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) wrong += got.pixel(x, y) != want.pixel(x, y);
        EXPECT_EQ(wrong, 0) << "pen " << pen;
    }
}

}  // namespace
}  // namespace kv
