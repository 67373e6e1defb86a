// Dragging a point by mouse and keys, locus recording, the drag benchmark, undo and redo, through
// the scripted host and a recording surface.

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "engine/constants.h"
#include "fake_host.h"
#include "io/report.h"
#include "render/number_list.h"
#include "render/view_transform.h"
#include "support/recording_surface.h"
#include "support/test_figure.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/locus.h"
#include "ui/modes.h"
#include "ui/new_figure.h"
#include "ui/redraw.h"
#include "ui/undo.h"

namespace kv {
namespace {

using test::FakeHost;
using test::RecordingSurface;

// A window's worth of state around a figure built with the engine's test builder.
struct Rig {
    App app;
    FakeHost host;
    RecordingSurface surface;

    explicit Rig(TestFigure& t) {
        app.figure = std::move(t.f);
        SetScreen(app.view, surface);
        FullRedraw(app, host, surface);
    }
    Figure& f() { return app.figure; }
    PointRecord& Pt(ObjectRef r) { return app.figure.Points[r.index]; }

    // "1点を動かす" with the pick of `point` accepted: "選択" is left, "変形" is current.
    void StartDrag(ObjectRef point) {
        mnuDeform1Pt_Click(app, host, surface);
        ASSERT_EQ(CurrentMode(app.session), kModeDragPick);
        PopMode(app.session);
        app.session.DragPoint = point.index;
        ASSERT_EQ(CurrentMode(app.session), kModeDeform);
    }
    void Mouse(double x, double y, int buttons = kButtonLeft) {
        Form_MouseMove(app, host, surface, buttons, 0, x, y);
    }
    void Key(int key) { Form_KeyDown(app, host, surface, key, 0); }
};

TEST(Drag, FreePointFollowsTheMouseAndDependentsFollowIt) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
    const ObjectRef seg = t.Make1("L1", {a, b});
    Rig rig(t);
    rig.StartDrag(b);
    rig.Mouse(1.234, -5.678);
    EXPECT_EQ(rig.Pt(b).x, 1.234);
    EXPECT_EQ(rig.Pt(b).y, -5.678);
    EXPECT_DOUBLE_EQ(rig.f().Lines[seg.index].x2, 1.234);
    EXPECT_EQ(rig.surface.clears, 1) << "a drag step paints over, it does not clear";

    // A move without the button changes nothing and the drag goes on until Esc.
    rig.Mouse(3, 3, 0);
    EXPECT_EQ(rig.Pt(b).x, 1.234);
    EXPECT_EQ(CurrentMode(rig.app.session), kModeDeform);
    Form_MouseDown(rig.app, rig.host, rig.surface, kButtonRight, 0, 0, 0);
    EXPECT_EQ(CurrentMode(rig.app.session), kModeStandard);
    EXPECT_EQ(rig.surface.clears, 2) << "the end of the drag redraws in full";
}

TEST(Drag, PointOnACircleTakesTheNearerIntersectionWithTheLineThroughTheCentre) {
    TestFigure t;
    const ObjectRef o = t.Free(1, 1), q = t.Free(4, 1);
    const ObjectRef circle = t.Make1("C2", {o, q});  // radius 3
    const ObjectRef p = t.Tied(circle, 0);
    Rig rig(t);
    rig.StartDrag(p);
    struct Row {
        double mx, my;  // the mouse
        double angle;   // where the point must end, counter-clockwise from +x
    };
    for (const Row& row :
         {Row{2, 2, kPi / 4}, Row{-5, 1, kPi}, Row{1, 0.5, 3 * kPi / 2}, Row{1, 100, kPi / 2}}) {
        rig.Mouse(row.mx, row.my);
        const PointRecord& pt = rig.Pt(p);
        EXPECT_NEAR(pt.x, 1 + 3 * std::cos(row.angle), 1e-5) << row.mx << "," << row.my;
        EXPECT_NEAR(pt.y, 1 + 3 * std::sin(row.angle), 1e-5) << row.mx << "," << row.my;
        EXPECT_NEAR(pt.param, 3 * row.angle, 1e-5);
        EXPECT_NE(pt.exists, 0);
    }
    // With the mouse on the centre there is no direction: the point stays.
    const PointRecord before = rig.Pt(p);
    rig.Mouse(1, 1);
    EXPECT_DOUBLE_EQ(rig.Pt(p).x, before.x);
    EXPECT_DOUBLE_EQ(rig.Pt(p).y, before.y);
}

TEST(Drag, PointOnALineGoesToTheFootOfThePerpendicularAndStaysOnASegment) {
    struct Row {
        i16 form;
        bool reversed;  // the line runs from B = (4, 0) to A = (0, 0)
        double mx, my;
        double x, param;  // where the point ends (y is 0) and its parameter
    };
    const Row rows[] = {
        {0, false, 2.5, 3, 2.5, 2.5},  {0, false, -1, 2, -1, -1},
        {0, true, -1, 2, -1, 5},       {0, true, 6, -2, 6, -2},
        {1, false, 2.5, -3, 2.5, 2.5}, {1, false, -1, 2, 0, 0},  // clamped at the first end
        {1, false, 9, 2, 4, 4},        {1, true, 1, 1, 1, 3},
        {1, true, 5, 1, 4, 0},
    };
    for (const Row& row : rows) {
        TestFigure t;
        ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
        if (row.reversed) std::swap(a, b);
        const ObjectRef line = t.Make1("L1", {a, b});
        t.Ln(line).form = row.form;
        const ObjectRef p = t.Tied(line, 1);
        Rig rig(t);
        rig.StartDrag(p);
        rig.Mouse(row.mx, row.my);
        const PointRecord& pt = rig.Pt(p);
        EXPECT_NEAR(pt.x, row.x, 1e-12) << row.form << row.reversed << row.mx;
        EXPECT_NEAR(pt.y, 0, 1e-12);
        EXPECT_NEAR(pt.param, row.param, 1e-12) << row.form << row.reversed << row.mx;
    }
}

TEST(Drag, ArrowKeysMoveTenPixelsAtTheCurrentZoomAndKeepTheMark) {
    TestFigure t;
    const ObjectRef a = t.Free(0.5, -0.5);
    t.Pt(a).mark = 2;
    Rig rig(t);
    rig.app.view.PixelSize = 0.025;
    rig.StartDrag(a);
    for (int i = 0; i < 5; ++i) rig.Key(kKeyRight);
    EXPECT_EQ(rig.app.session.NudgeSteps, 10);
    EXPECT_NEAR(rig.Pt(a).x, 0.5 + 50 * 0.025, 1e-12);
    rig.Key(kKeyUp);
    rig.Key(kKeyDown);
    rig.Key(kKeyDown);
    EXPECT_NEAR(rig.Pt(a).y, -0.5 - 10 * 0.025, 1e-12);
    EXPECT_EQ(rig.Pt(a).mark, 2);

    // A tied point moves its parameter by the same amount and is placed again.
    TestFigure u;
    const ObjectRef o = u.Free(0, 0), q = u.Free(2, 0);
    const ObjectRef p = u.Tied(u.Make1("C2", {o, q}), 0);
    Rig tied(u);
    tied.StartDrag(p);
    tied.Key(kKeyUp);
    EXPECT_NEAR(tied.Pt(p).param, 10 * 0.05, 1e-12);
    EXPECT_NEAR(std::hypot(tied.Pt(p).x, tied.Pt(p).y), 2, 1e-12);
    EXPECT_NEAR(std::atan2(tied.Pt(p).y, tied.Pt(p).x), 0.25, 1e-12);
}

TEST(Drag, AStepWithoutADraggedPointOnlyRedraws) {
    TestFigure t;
    const ObjectRef a = t.Free(1, 1);
    Rig rig(t);
    for (i16 none : {i16{0}, i16{2}, i16{-1}}) {  // none, past the last point, nonsense
        rig.app.session.DragPoint = none;
        const int clears = rig.surface.clears;
        DragToMouse(rig.app, rig.host, rig.surface, 3, 3);
        DragByKey(rig.app, rig.host, rig.surface, kKeyUp);
        EXPECT_EQ(rig.surface.clears, clears + 2);
        EXPECT_EQ(rig.Pt(a).x, 1);
        EXPECT_EQ(rig.f().Points[2].exists, 0) << "an unused entry is not brought to life";
    }
}

TEST(Locus, EveryStepRecordsTheOldImagesOfTracedObjectsOnlyWhileTracing) {
    struct Row {
        bool on;
        i16 colour;  // locus colour of the segment AB and of C = A mirrored in B
    };
    for (const Row row : {Row{true, 4}, Row{false, 4}, Row{true, 0}}) {
        TestFigure t;
        const ObjectRef a = t.Free(0, 0), b = t.Free(3, 1);
        const ObjectRef seg = t.Make1("L1", {a, b}), c = t.Make1("PT3", {a, b});
        t.Ln(seg).form = 1;
        t.Ln(seg).locusColour = t.Pt(c).locusColour = row.colour;
        Rig rig(t);
        rig.app.session.LocusOn = row.on ? kTrue : kFalse;
        rig.StartDrag(a);
        const double path[][2] = {{0.5, 0}, {1, -0.5}, {1.5, -1}};
        for (auto& m : path) rig.Mouse(m[0], m[1]);
        const Figure& f = rig.f();
        if (!row.on || row.colour == 0) {
            EXPECT_EQ(f.LocusCount[kKindPoint] + f.LocusCount[kKindLine], 0);
            continue;
        }
        ASSERT_EQ(f.LocusCount[kKindLine], 3);
        ASSERT_EQ(f.LocusCount[kKindPoint], 3);
        // Each image is the object before its step, in its locus colour.
        const double starts[][2] = {{0, 0}, {0.5, 0}, {1, -0.5}};
        for (int i = 1; i <= 3; ++i) {
            const LineRecord& l = f.LocusLines[i];
            EXPECT_EQ(l.colour, 4);
            EXPECT_EQ(l.form, 1);
            EXPECT_DOUBLE_EQ(l.x1, starts[i - 1][0]);
            EXPECT_DOUBLE_EQ(l.y1, starts[i - 1][1]);
            EXPECT_EQ(f.LocusPoints[i].colour, 4);
            EXPECT_NEAR(f.LocusPoints[i].x, 6 - starts[i - 1][0], 1e-12);
        }
        // Switching tracing off stops recording and keeps what is there; "消去" empties it.
        rig.app.session.LocusOn = kFalse;
        rig.Mouse(2, 2);
        EXPECT_EQ(f.LocusCount[kKindLine], 3);
        mnuLocusReset_Click(rig.app, rig.host, rig.surface);
        EXPECT_EQ(f.LocusCount[kKindPoint] + f.LocusCount[kKindLine], 0);
        EXPECT_EQ(f.LocusLines.size(), size_t{kLocusStoreStart + 1});
        EXPECT_EQ(rig.surface.clears, 2);
    }
}

TEST(Locus, TheStoreGrowsByFiftyAndKeepsItsImages) {
    Figure f;
    const ObjectRef p{kKindPoint, static_cast<i16>(AppendObject(f, kKindPoint))};
    f.Points[p.index].locusColour = 3;
    f.Points[p.index].mark = 4;
    for (int n = 1; n <= 201; ++n) {
        f.Points[p.index].x = n;
        RecordLocus(f, p);
    }
    EXPECT_EQ(f.LocusPoints.size(), 251u);
    ASSERT_EQ(f.LocusCount[kKindPoint], 201);
    for (int n = 1; n <= 201; ++n) {
        ASSERT_EQ(f.LocusPoints[n].x, n);
        ASSERT_EQ(f.LocusPoints[n].colour, 3);
        ASSERT_EQ(f.LocusPoints[n].mark, 4);
    }
    // Nothing is recorded for an index past the table's objects or a kind without loci.
    RecordLocus(f, {kKindPoint, static_cast<i16>(p.index + 1)});
    RecordLocus(f, {kKindNumber, 1});
    EXPECT_EQ(f.LocusCount[kKindPoint], 201);
    EXPECT_EQ(f.LocusCount[kKindNumber], 0);
}

TEST(Bench, HundredKeyStepsBringTheFirstPointBackAndPrintTheSeconds) {
    TestFigure t;
    const ObjectRef a = t.Free(1.5, -2), b = t.Free(-3, 0.25);
    t.Make1("L1", {a, b});
    Rig rig(t);
    const int depth = rig.app.session.ModeDepth;
    rig.surface.Forget();
    mnuBench_Click(rig.app, rig.host, rig.surface);
    EXPECT_NEAR(rig.Pt(a).x, 1.5, 1e-12);
    EXPECT_NEAR(rig.Pt(a).y, -2, 1e-12);
    EXPECT_DOUBLE_EQ(rig.f().Lines[1].x1, rig.Pt(a).x);
    EXPECT_EQ(rig.app.session.ModeDepth, depth);
    EXPECT_EQ(rig.surface.clears, 0) << "the steps are drag steps, not full redraws";
    ASSERT_FALSE(rig.surface.printed.empty());
    EXPECT_EQ(rig.surface.printed.back(), " 0");  // the fake clock stands still
}

TEST(Undo, RemovesTheLastProcedureWithItsOutputs) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0), r = t.Free(0, 2);
    const ObjectRef seg = t.Make1("L1", {a, b});
    t.Ln(seg).form = 1;
    t.Ln(seg).colour = 4;
    const ObjectRef circle = t.Make1("C2", {a, r});
    const auto cuts = t.Make("PC2", {seg, circle});
    ASSERT_EQ(cuts.size(), 2u);
    Rig rig(t);
    ASSERT_NE(rig.Pt(cuts[0]).exists, 0);
    const int procedures = rig.f().ProcedureCount;

    mnuCundo_Click(rig.app, rig.host, rig.surface);  // both intersection points go
    EXPECT_EQ(rig.f().ProcedureCount, procedures - 1);
    EXPECT_EQ(rig.f().ObjectCount[kKindPoint], 3);
    for (ObjectRef cut : cuts) {
        EXPECT_EQ(rig.Pt(cut).exists, 0);
        EXPECT_EQ(rig.Pt(cut).name, DefaultPointName(cut.index));
    }
    EXPECT_TRUE(rig.f().ProcInput[procedures][1].IsEmpty());
    EXPECT_TRUE(CodeOf(rig.f(), procedures).empty());

    mnuMundo_Click(rig.app, rig.host, rig.surface);  // the circle
    EXPECT_EQ(rig.f().ObjectCount[kKindCircle], 0);
    mnuCundo_Click(rig.app, rig.host, rig.surface);  // the segment
    EXPECT_EQ(rig.f().ObjectCount[kKindLine], 0);
    EXPECT_EQ(rig.f().Lines[seg.index].form, 0);
    EXPECT_EQ(rig.f().Lines[seg.index].colour, 7);
    EXPECT_EQ(rig.surface.clears, 4) << "every undo redraws";
}

TEST(Undo, AMeasurementFollowedByTypedNumbersLeavesThemInPlace) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
    const ObjectRef dist = t.Make1("ND2P", {a, b});
    const ObjectRef typed = t.Number(2.5);  // typed in the number dialog for the circle
    t.Make1("C1", {a, typed});
    Rig rig(t);
    ASSERT_EQ(rig.f().ObjectCount[kKindNumber], 2);

    mnuCundo_Click(rig.app, rig.host, rig.surface);  // the circle
    mnuCundo_Click(rig.app, rig.host, rig.surface);  // the distance, which is not the last number
    EXPECT_EQ(rig.f().ObjectCount[kKindNumber], 2);
    EXPECT_DOUBLE_EQ(rig.f().Numbers[typed.index].value, 2.5);
    EXPECT_NE(rig.f().Numbers[typed.index].exists, 0);
    EXPECT_EQ(rig.f().Numbers[dist.index].exists, 0);
    EXPECT_FALSE(IsListedNumber(rig.f().Numbers[dist.index])) << "no empty row in the list";

    // Hidden entries are given back as soon as they are the last numbers (here in a list whose
    // numbers were made out of order).
    TestFigure u;
    const ObjectRef p = u.Free(0, 0), q = u.Free(3, 4);
    const ObjectRef first = u.NewObject(kKindNumber), second = u.NewObject(kKindNumber);
    u.Make("ND2P", {p, q}, "");
    u.f.ProcOutput[u.f.ProcedureCount][1] = second;
    u.Make("ND2P", {q, p}, "");
    u.f.ProcOutput[u.f.ProcedureCount][1] = first;
    Rig out(u);
    mnuCundo_Click(out.app, out.host, out.surface);
    EXPECT_EQ(out.f().ObjectCount[kKindNumber], 2);
    mnuCundo_Click(out.app, out.host, out.surface);
    EXPECT_EQ(out.f().ObjectCount[kKindNumber], 0);
}

TEST(Undo, SetsFreeAPointTiedToTheRemovedObject) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0), p = t.Free(9, 9);
    const ObjectRef line = t.Make1("L1", {a, b});
    t.Pt(p).bindKind = kKindLine;  // tied afterwards to the later line, as the binding can
    t.Pt(p).bindIndex = line.index;
    t.Pt(p).param = 3;
    Rig rig(t);
    ASSERT_DOUBLE_EQ(rig.Pt(p).x, 3);
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(rig.Pt(p).bindKind, 0);
    EXPECT_NE(rig.Pt(p).exists, 0);
    EXPECT_DOUBLE_EQ(rig.Pt(p).x, 3);
    EXPECT_DOUBLE_EQ(rig.Pt(p).y, 0);
}

TEST(Undo, DoesNothingOnAnEmptyListOrWhileAConstructionIsUnderWay) {
    TestFigure t;
    t.Free(1, 1);
    Rig rig(t);
    for (i16 busy : {i16{15}, i16{17}, i16{kModeNewPoint}, i16{42}, i16{52}, i16{13}}) {
        PushMode(rig.app.session, busy);
        mnuCundo_Click(rig.app, rig.host, rig.surface);
        mnuMundo_Click(rig.app, rig.host, rig.surface);
        EXPECT_EQ(rig.f().ProcedureCount, 1) << busy;
        PopMode(rig.app.session);
    }
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    const int clears = rig.surface.clears;
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(rig.f().ProcedureCount, 0);
    EXPECT_EQ(rig.f().ObjectCount[kKindPoint], 0);
    EXPECT_EQ(rig.surface.clears, clears) << "an empty list is not even redrawn";
}

// A hand-made file can have an earlier procedure read the last one's output. Undo then beeps and
// keeps it: removing the output would leave the reader naming nothing, a figure no longer
// readable once saved.
TEST(Undo, KeepsAnOutputThatAnEarlierProcedureReads) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
    t.Make1("P3", {a, b, a});
    const ObjectRef late = t.Make1("P3", {a, b, b});
    t.f.ProcInput[3][3] = late;  // the first centroid reads the second
    Rig rig(t);
    const int beeps = rig.host.beeps;
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(rig.f().ProcedureCount, 4);
    EXPECT_EQ(rig.f().ObjectCount[kKindPoint], late.index);
    EXPECT_EQ(rig.host.beeps, beeps + 1);
}

// A figure with every kind of output: free points, a coloured segment, a circle, two
// intersection points, a measurement followed by a typed number, a circle on that number, a
// point tied to the segment, and an earlier point tied to the later segment (as the binding can).
struct RedoFigure {
    TestFigure t;
    RedoFigure() {
        const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0), r = t.Free(0, 2);
        const ObjectRef early = t.Free(9, 9);
        const ObjectRef seg = t.Make1("L1", {a, b});
        t.Pt(early).bindKind = kKindLine;
        t.Pt(early).bindIndex = seg.index;
        t.Pt(early).param = 3;
        t.Ln(seg).form = 1;
        t.Ln(seg).colour = 4;
        const ObjectRef circle = t.Make1("C2", {a, r});
        const auto cuts = t.Make("PC2", {seg, circle});
        t.Pt(cuts[1]).name = "X";
        t.Pt(cuts[1]).mark = 3;
        t.Make1("ND2P", {a, b});
        const ObjectRef typed = t.Number(1.5);
        t.Make1("C1", {b, typed});
        t.Tied(seg, 0.25);
    }
};

std::string Report(const Rig& rig) {
    return ConstructionReport(rig.app.figure, "redo.kvf");
}

// Undoing k steps and redoing them gives back the very figure, for every k down to nothing.
TEST(Redo, RebuildsExactlyWhatTheUndosRemovedInOrder) {
    RedoFigure base;
    const int steps = base.t.f.ProcedureCount;
    for (int k = 1; k <= steps; ++k) {
        RedoFigure fig;
        Rig rig(fig.t);
        const std::string before = Report(rig);
        for (int i = 0; i < k; ++i) mnuCundo_Click(rig.app, rig.host, rig.surface);
        ASSERT_EQ(rig.f().ProcedureCount, steps - k);
        EXPECT_TRUE(CanRedo(rig.app));
        for (int i = 0; i < k; ++i) {
            (i % 2 ? mnuMrestore_Click : mnuCrestore_Click)(rig.app, rig.host, rig.surface);
        }
        EXPECT_FALSE(CanRedo(rig.app)) << k;
        EXPECT_EQ(Report(rig), before) << k << " steps undone and redone";
        const int clears = rig.surface.clears;
        mnuCrestore_Click(rig.app, rig.host, rig.surface);  // nothing left: no change at all
        EXPECT_EQ(Report(rig), before);
        EXPECT_EQ(rig.surface.clears, clears);
    }
}

// Only what was undone since the last new construction comes back; a construction built after
// an undo drops the list, even when it is undone in turn.
TEST(Redo, ANewConstructionClearsTheList) {
    RedoFigure fig;
    Rig rig(fig.t);
    const int steps = rig.f().ProcedureCount;
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    test::AddFreePoint(rig.f(), 7, 7);  // a new construction
    FullRedraw(rig.app, rig.host, rig.surface);
    EXPECT_FALSE(CanRedo(rig.app));
    mnuCrestore_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(rig.f().ProcedureCount, steps - 1);

    mnuCundo_Click(rig.app, rig.host, rig.surface);  // the new point
    EXPECT_TRUE(CanRedo(rig.app));
    mnuCrestore_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(CodeOf(rig.f(), steps - 1), "PNEW");
    EXPECT_DOUBLE_EQ(rig.f().Points[rig.f().ObjectCount[kKindPoint]].x, 7);
    mnuCrestore_Click(rig.app, rig.host, rig.surface);  // the two earlier undos stay undone
    EXPECT_EQ(rig.f().ProcedureCount, steps - 1);

    // A new figure drops it too, even one whose list looks like the undone one's remainder.
    TestFigure single;
    single.Free(1, 1);
    Rig one(single);
    mnuCundo_Click(one.app, one.host, one.surface);
    StartNewFigure(one.app, one.host, one.surface);
    one.Key(kKeyEsc);  // no new point placed
    ASSERT_EQ(CurrentMode(one.app.session), kModeStandard);
    ASSERT_EQ(one.f().ProcedureCount, 0);
    mnuCrestore_Click(one.app, one.host, one.surface);
    EXPECT_EQ(one.f().ProcedureCount, 0);
}

TEST(Redo, WaitsForTheRestingModeLikeUndo) {
    RedoFigure fig;
    Rig rig(fig.t);
    const int steps = rig.f().ProcedureCount;
    mnuCundo_Click(rig.app, rig.host, rig.surface);
    for (i16 busy : {i16{15}, i16{17}, i16{kModeNewPoint}, i16{kModeDeform}, i16{13}}) {
        PushMode(rig.app.session, busy);
        mnuCrestore_Click(rig.app, rig.host, rig.surface);
        mnuMrestore_Click(rig.app, rig.host, rig.surface);
        EXPECT_EQ(rig.f().ProcedureCount, steps - 1) << busy;
        PopMode(rig.app.session);
    }
    mnuMrestore_Click(rig.app, rig.host, rig.surface);
    EXPECT_EQ(rig.f().ProcedureCount, steps);
}

}  // namespace
}  // namespace kv
