// Drag steps on the window's kind of surface, a persistent image: what stays on it after
// painting over, and the traces left while tracing.

#include <gtest/gtest.h>

#include <QImage>
#include <utility>

#include "../ui/fake_host.h"
#include "paint/image_surface.h"
#include "render/palette.h"
#include "render/view_transform.h"
#include "support/test_figure.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {
namespace {

// A figure with every kind of drawn object depending on the dragged point A: a segment and a
// line through A, a circle about A, a point tied to that circle, A mirrored in B, and their
// distance in the number list.
struct DragScene {
    App app;
    test::FakeHost host;
    ImageSurface surface{641, 481};
    ObjectRef a;

    explicit DragScene(int pen, i16 locusColour = 0) {
        TestFigure t;
        a = t.Free(-3, -1);
        const ObjectRef b = t.Free(2, 1.5), r = t.Free(-1, -1);
        t.Pt(a).mark = 4;
        t.Pt(b).mark = 5;
        t.Pt(r).mark = 1;
        const ObjectRef seg = t.Make1("L1", {a, b});
        t.Ln(seg).form = 1;
        t.Ln(seg).locusColour = locusColour;
        t.Make1("L1", {r, a});
        const ObjectRef circle = t.Make1("C2", {a, r});
        t.Pt(t.Tied(circle, 1)).mark = 2;
        t.Pt(t.Make1("PT3", {a, b})).mark = 3;
        t.Nm(t.Make1("ND2P", {a, b})).name = "距離AB";
        for (int i = 1; i <= t.f.ObjectCount[kKindPoint]; ++i) t.f.Points[i].colour = 7;
        app.figure = std::move(t.f);
        app.view.PenWidth = pen;
        app.view.MeasureDigits = 5;
        SetScreen(app.view, surface);
        FullRedraw(app, host, surface);
        PushMode(app.session, kModeDeform);
        app.session.DragPoint = a.index;
        app.session.NeedDependencyMarks = kTrue;
    }
    void Drag(std::initializer_list<std::pair<double, double>> path) {
        for (auto [x, y] : path) Form_MouseMove(app, host, surface, kButtonLeft, 0, x, y);
    }
    int CountOf(Rgb c) {
        const QImage& im = surface.Image();
        const QRgb want = qRgb(c.r, c.g, c.b);
        int n = 0;
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x) n += im.pixel(x, y) == want;
        return n;
    }
};

TEST(DragPicture, StepsLeaveExactlyThePictureOfAFullRedraw) {
    for (int pen : {1, 3}) {
        DragScene scene(pen);
        scene.Drag({{-2.5, -1.25}, {0.5, -0.25}, {1, 2}});
        scene.app.session.NudgeSteps = 7;
        Form_KeyDown(scene.app, scene.host, scene.surface, kKeyLeft, 0);

        ImageSurface fresh(641, 481);
        App again;
        again.figure = scene.app.figure;
        again.view = scene.app.view;
        SetScreen(again.view, fresh);
        FullRedraw(again, scene.host, fresh);
        const QImage& want = fresh.Image();
        const QImage& got = scene.surface.Image();
        int wrong = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) wrong += got.pixel(x, y) != want.pixel(x, y);
        EXPECT_EQ(wrong, 0) << "pen " << pen;
    }
}

TEST(DragPicture, TracingLeavesTheOldImagesInTheLocusColour) {
    const Rgb red = *PaletteColour(4);
    for (bool on : {true, false}) {
        DragScene scene(1, 4);
        scene.app.session.LocusOn = on ? kTrue : kFalse;
        ASSERT_EQ(scene.CountOf(red), 0);
        scene.Drag({{-2.5, -1.5}, {-2, -2}, {-1.5, -2.5}});
        const int traced = scene.CountOf(red);
        if (!on) {
            EXPECT_EQ(traced, 0);
            continue;
        }
        // Three old segments, each some 100 pixels long, less what the later images cover.
        EXPECT_GT(traced, 150);
        // The full redraw at the end of the drag draws the stored images again.
        Form_KeyDown(scene.app, scene.host, scene.surface, kKeyEsc, 0);
        EXPECT_GE(scene.CountOf(red), traced);
    }
}

}  // namespace
}  // namespace kv
