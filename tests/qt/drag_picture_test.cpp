// Drag steps on the window's kind of surface, a persistent image: what stays on it after
// painting over, and the traces left while tracing.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <utility>

#include "../ui/fake_host.h"
#include "paint/image_surface.h"
#include "render/palette.h"
#include "render/view_transform.h"
#include "support/test_figure.h"
#include "ui/attributes.h"
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

    explicit DragScene(int pen, i16 locusColour = 0, bool dragging = true, bool smooth = false,
                       int ratio = 1) {
        surface.SetDeviceRatio(ratio);
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
        app.view.Smooth = smooth;
        app.view.MeasureDigits = 5;
        SetScreen(app.view, surface);
        FullRedraw(app, host, surface);
        if (!dragging) return;
        PushMode(app.session, kModeDeform);
        app.session.DragPoint = a.index;
        app.session.NeedDependencyMarks = kTrue;
    }
    void Drag(std::initializer_list<std::pair<double, double>> path) {
        for (auto [x, y] : path) Form_MouseMove(app, host, surface, kButtonLeft, 0, x, y);
    }
    // The pixels that differ from a full redraw of the same figure.
    int WrongPixels() {
        ImageSurface fresh(641, 481);
        fresh.SetDeviceRatio(surface.DeviceScale());
        App again;
        again.figure = app.figure;
        again.view = app.view;
        SetScreen(again.view, fresh);
        FullRedraw(again, host, fresh);
        const QImage& want = fresh.Image();
        const QImage& got = surface.Image();
        int wrong = 0;
        for (int y = 0; y < want.height(); ++y)
            for (int x = 0; x < want.width(); ++x) wrong += got.pixel(x, y) != want.pixel(x, y);
        return wrong;
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
    struct Row {
        int pen;
        bool smooth;
        int ratio;  // of a high-density screen, which only smooth drawing takes up
    } const rows[] = {{1, false, 1}, {3, false, 1}, {1, true, 1},
                      {3, true, 1},  {1, true, 2},  {1, false, 2}};
    for (const auto [pen, smooth, ratio] : rows) {
        DragScene scene(pen, 0, true, smooth, ratio);
        // Blended edges leave no fringe where an old image was: nothing is painted over.
        ASSERT_EQ(scene.surface.Smooth(), smooth);
        ASSERT_EQ(scene.surface.DeviceScale(), smooth ? ratio : 1);
        ASSERT_EQ(scene.surface.Image().width(), 641 * scene.surface.DeviceScale());
        scene.Drag({{-2.5, -1.25}, {0.5, -0.25}, {1, 2}});
        scene.app.session.NudgeSteps = 7;
        Form_KeyDown(scene.app, scene.host, scene.surface, kKeyLeft, 0);
        EXPECT_EQ(scene.WrongPixels(), 0)
            << "pen " << pen << (smooth ? ", smooth" : "") << ", ratio " << ratio;
        // A drag that moves nothing else: the free point R has no dependents but its circle.
        scene.app.session.DragPoint = 1;
        scene.app.session.NeedDependencyMarks = kTrue;
        scene.Drag({{4, 4}, {-5, 3}});
        EXPECT_EQ(scene.WrongPixels(), 0)
            << "pen " << pen << (smooth ? ", smooth" : "") << ", ratio " << ratio;
        // A resize lets go of the kept layers; the next step draws them afresh.
        scene.surface.Resize(641, 481);
        scene.Drag({{-4, 2}});
        EXPECT_EQ(scene.WrongPixels(), 0)
            << "pen " << pen << (smooth ? ", smooth" : "") << ", ratio " << ratio;
    }
}

// Highlights come and go without leaving holes: the picks of a drag and of an attribute
// dialog, accepted or cancelled, leave the picture of a full redraw.
TEST(DragPicture, PicksLeaveThePictureOfAFullRedraw) {
    using Start = void (*)(App&, Host&, Surface&);
    struct Row {
        const char* what;
        Start start;
        double x, y;  // where the object to pick lies
        bool accept;
        int key;  // the key that ends the pick after one click, or 0 for a second click
    } const rows[] = {
        // A second click in "変形" would also start the drag, which recomposes the picture.
        {"drag pick accepted", mnuDeform1Pt_Click, -3, -1, true, kKeyEnter},
        {"drag pick cancelled", mnuDeform1Pt_Click, -3, -1, false, kKeyEsc},
        {"drag pick cancelled at once", mnuDeform1Pt_Click, NAN, NAN, false, kKeyEsc},
        {"line attributes", mnuEbasicLine_Click, 0, -1, true, 0},
        {"point attributes", mnuEbasicPt_Click, 2, 1.5, true, 0},
    };
    for (const bool smooth : {false, true})
        for (const Row& row : rows) {
            DragScene scene(1, 0, false, smooth);
            App& app = scene.app;
            row.start(app, scene.host, scene.surface);
            if (!std::isnan(row.x))
                Form_MouseDown(app, scene.host, scene.surface, kButtonLeft, 0, row.x, row.y);
            if (row.key == 0) {
                Form_MouseDown(app, scene.host, scene.surface, kButtonLeft, 0, row.x, row.y);
            } else {
                Form_KeyDown(app, scene.host, scene.surface, row.key, 0);
            }
            const bool dialog = !scene.host.attributeDialogs.empty();
            EXPECT_EQ(dialog, row.accept && row.start != mnuDeform1Pt_Click) << row.what;
            EXPECT_EQ(CurrentMode(app.session), row.accept && !dialog ? kModeDeform : kModeStandard)
                << row.what;
            EXPECT_EQ(scene.WrongPixels(), 0) << row.what << (smooth ? ", smooth" : "");
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
        // The traces lie in their layer beneath the figure, where a full redraw puts them.
        EXPECT_EQ(scene.WrongPixels(), 0);
        // The full redraw at the end of the drag draws the stored images again.
        Form_KeyDown(scene.app, scene.host, scene.surface, kKeyEsc, 0);
        EXPECT_GE(scene.CountOf(red), traced);
    }
}

}  // namespace
}  // namespace kv
