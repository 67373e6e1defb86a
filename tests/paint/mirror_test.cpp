// A mirror device receives the same drawing as the image: same clipping, same very-large
// circle arcs, same text placement.

#include <gtest/gtest.h>

#include <QImage>
#include <QPicture>

#include "model/figure.h"
#include "paint/image_surface.h"
#include "render/draw_context.h"
#include "render/redraw.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"
#include "support/pixels.h"

namespace kv {
namespace {

using test::DifferentPixels;

// A figure with grid and axes, names (one of them Japanese), the number list, a dotted line, a
// wide pen, a filled mark and a circle whose radius is far beyond the image.
void DrawSample(ImageSurface& s) {
    Figure f;
    const int a = test::AddPoint(f, -3, -2, 4);
    const int b = test::AddPoint(f, 4, 1, 2);
    f.Points[a].name = "点A";
    f.Points[b].name = "B";
    test::AddLineThrough(f, a, b, 0);
    test::AddNumber(f, "長さ", 7.25);
    // Centre far above, through a point just above the origin.
    const int centre = test::AddPoint(f, 0, 1e6);
    const int on = test::AddPoint(f, 0, 5);
    const int p = AppendProcedure(f, "C2");
    const int big = AppendObject(f, kKindCircle);
    f.ProcInput[p][1] = {kKindPoint, static_cast<i16>(centre)};
    f.ProcInput[p][2] = {kKindPoint, static_cast<i16>(on)};
    f.ProcOutput[p][1] = {kKindCircle, static_cast<i16>(big)};
    f.Circles[big].colour = 4;

    View view;
    view.ShowAxes = kTrue;
    SetScreen(view, s);
    Notifier note;
    ColourNotice notice;
    RedrawAll(f, DrawContext{s, view, true, note, notice});
    s.SetDotted(true);
    s.SetPenWidth(3);
    s.Line(-10, 5, 10, 6, {0, 128, 0});
    s.SetDotted(false);
    s.SetPenWidth(1);
    s.MoveTo(-15, 10);
    s.PrintOpaque("角度 12.5", {255, 255, 255});
}

TEST(ImageSurfaceMirror, ReceivesThePixelsOfTheImage) {
    ImageSurface s(641, 481);
    QImage mirror(641, 481, QImage::Format_RGB32);
    mirror.fill(Qt::white);
    ASSERT_TRUE(s.SetMirror(&mirror));
    DrawSample(s);
    s.EndMirror();
    EXPECT_EQ(DifferentPixels(s.Image(), mirror), 0);

    // The mirror changes nothing in the image itself.
    ImageSurface alone(641, 481);
    DrawSample(alone);
    EXPECT_EQ(DifferentPixels(s.Image(), alone.Image()), 0);
}

TEST(ImageSurfaceMirror, EndsWhenAskedAndImageDoesNotEndIt) {
    ImageSurface s(100, 100);
    s.SetUserScale(0, 0, 100, 100);
    QPicture picture;
    ASSERT_TRUE(s.SetMirror(&picture));
    s.Line(0, 10, 99, 10, {0, 0, 0});
    (void)s.Image();  // finishes the image's painter only
    s.Line(0, 20, 99, 20, {0, 0, 0});
    s.EndMirror();
    s.Line(0, 30, 99, 30, {0, 0, 0});  // after the end: not in the picture

    QImage replay(100, 100, QImage::Format_RGB32);
    replay.fill(Qt::white);
    {
        QPainter p(&replay);
        picture.play(&p);
    }
    EXPECT_EQ(replay.pixel(50, 10), qRgb(0, 0, 0));
    EXPECT_EQ(replay.pixel(50, 20), qRgb(0, 0, 0));
    EXPECT_EQ(replay.pixel(50, 30), qRgb(255, 255, 255));
    EXPECT_EQ(s.Image().pixel(50, 30), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace kv
