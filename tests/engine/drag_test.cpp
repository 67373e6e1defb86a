#include <gtest/gtest.h>

#include <cmath>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/recompute.h"
#include "support/test_figure.h"

namespace kv {
namespace {

// Moves one point the way a drag does: the first step analyses which procedures depend on
// the point; every step takes the snapshot (the picture before the step), moves the point
// and re-evaluates the list.
struct Drag {
    TestFigure& t;
    ObjectRef point;
    bool first = true;

    void Step() {
        t.Pt(point).exists = kTrue;
        if (first) {
            const ObjectRef moved[] = {point};
            AnalyseDependencies(t.f, moved, t.note);
            first = false;
        }
        TakeSnapshot(t.f);
    }
    void To(double x, double y) {
        Step();
        t.MoveTo(point, x, y);
        RecomputeAll(t.f, t.note);
    }
    // A tied point follows the mouse by its parameter.
    void ToOnTie(double x, double y) {
        Step();
        t.MoveTo(point, x, y);
        ParamFromPosition(t.f, point.index);
        RecomputeAll(t.f, t.note);
    }
};

// The two outputs of an intersection, checked after each step: each stays nearer to where it
// was than to where the other one was.
struct BranchWatch {
    TestFigure& t;
    ObjectRef o1, o2;
    XY last1{}, last2{};
    bool had = false;
    int steps = 0;

    void Check() {
        const PointRecord &p1 = t.Pt(o1), &p2 = t.Pt(o2);
        if (!p1.exists || !p2.exists) {
            had = false;  // the branches start afresh where the points come back
            return;
        }
        const XY n1 = At(p1), n2 = At(p2);
        if (had) {
            EXPECT_LE(Dist(n1, last1), Dist(n1, last2)) << "step " << steps;
            EXPECT_LE(Dist(n2, last2), Dist(n2, last1)) << "step " << steps;
        }
        last1 = n1;
        last2 = n2;
        had = true;
        ++steps;
    }
};

TEST(Drag, CircleIntersectionsKeepTheirBranchesWhenTheRawOrderFlips) {
    // Both circles pass through Q = (0, 5) and meet again at its mirror image in the line of
    // centres, here the x axis; while the moving centre crosses the fixed one, the raw order
    // (left of centre 1 -> centre 2 first) flips, the points do not move.
    TestFigure t;
    const ObjectRef o = t.Free(0, 0), q = t.Free(0, 5), m = t.Free(2.005, 0);
    const ObjectRef k1 = t.Make1("C2", {o, q}), k2 = t.Make1("C2", {m, q});
    const auto x = t.Make("PC3", {k1, k2});
    const int intersection = t.f.ProcedureCount;
    const ObjectRef chord = t.Make1("L1", {x[0], x[1]});
    t.Recompute();
    ASSERT_NEAR(t.Pt(x[0]).y, 5, 1e-9);
    Drag drag{t, m};
    for (int i = 1; i <= 401; ++i) {
        drag.To(2.005 - 0.01 * i, 0);
        ASSERT_TRUE(t.Pt(x[0]).exists) << i;
        EXPECT_NEAR(t.Pt(x[0]).y, 5, 1e-6) << i;
        EXPECT_NEAR(t.Pt(x[1]).y, -5, 1e-6) << i;
        EXPECT_NEAR(t.Ln(chord).dy, -1, 1e-9) << i;  // the line through them never turns
    }
    EXPECT_NE(t.f.SwapFlag[intersection], 0);  // the exchange was seen and undone
}

TEST(Drag, LineCircleIntersectionsKeepTheirBranchesAcrossAnUndefinedStep) {
    // The line through A and B reverses its direction when B passes A; on the way the line is
    // undefined for a step (B within 0.01 of A) and the outputs keep their last positions.
    TestFigure t;
    const ObjectRef a = t.Free(1, 1), b = t.Free(2.005, 2.005);
    const ObjectRef k = t.Make1("C2", {t.Free(0, 0), t.Free(5, 0)});
    const ObjectRef ab = t.Make1("L1", {a, b});
    const auto x = t.Make("PC2", {ab, k});
    t.Recompute();
    const XY upper = At(t.Pt(x[0]));
    ASSERT_GT(upper.x, 0);
    Drag drag{t, b};
    bool sawUndefined = false;
    for (int i = 1; i <= 200; ++i) {
        const double u = 1.005 - 0.01 * i;
        drag.To(1 + u, 1 + u);
        if (!t.Ln(ab).exists) {
            sawUndefined = true;
            EXPECT_FALSE(t.Pt(x[0]).exists);
            continue;
        }
        ASSERT_TRUE(t.Pt(x[0]).exists);
        EXPECT_NEAR(Dist(At(t.Pt(x[0])), upper), 0, 1e-9) << i;
    }
    EXPECT_TRUE(sawUndefined);
    EXPECT_LT(t.Ln(ab).dx, 0);  // the line now runs the other way
}

TEST(Drag, IntersectionsFollowAnOrbitContinuously) {
    TestFigure t;
    const ObjectRef c = t.Free(0, 0), m = t.Free(4, 0);
    const ObjectRef k1 = t.Make1("C1", {c, t.Number(3)});
    const ObjectRef k2 = t.Make1("C1", {m, t.Number(2)});
    const auto x = t.Make("PC3", {k1, k2});
    const ObjectRef line = t.Make1("L1", {t.Free(-5, -1), t.Free(5, 0.5)});
    const auto y = t.Make("PC2", {line, k2});
    t.Recompute();
    BranchWatch wx{t, x[0], x[1]}, wy{t, y[0], y[1]};
    wx.Check();
    wy.Check();
    Drag drag{t, m};
    for (int i = 1; i <= 720; ++i) {
        const double a = DegToRad(i * 0.5);
        drag.To(4 * std::cos(a), 4 * std::sin(a));
        wx.Check();
        wy.Check();
        // Output 1 of the two circles stays on the left of the line of centres.
        ASSERT_TRUE(t.Pt(x[0]).exists);
        EXPECT_GT(Cross({0, 0}, At(t.Pt(m)), At(t.Pt(x[0]))), 0) << i;
    }
    EXPECT_GT(wy.steps, 10);  // the moving circle met the line on part of its way
}

TEST(Drag, UndefinedResultsPropagateAndComeBack) {
    // Two circles that stop meeting: every point, line and circle built on their intersection
    // becomes undefined and returns when they meet again.
    TestFigure t;
    const ObjectRef c = t.Free(0, 0), m = t.Free(3, 0), far = t.Free(1, 7);
    const ObjectRef k1 = t.Make1("C1", {c, t.Number(2)}), k2 = t.Make1("C1", {m, t.Number(2.5)});
    const auto x = t.Make("PC3", {k1, k2});
    const ObjectRef mirror = t.Make1("PT3", {far, x[0]});  // point family
    const ObjectRef line = t.Make1("L1", {x[0], far});     // line family
    const ObjectRef perp = t.Make1("L3", {line, c}, "L");
    const ObjectRef circle = t.Make1("C3", {x[0], x[1], far});  // circle family
    const ObjectRef centre = t.Make1("PT4", {far, circle});
    const ObjectRef onLine = t.Tied(line, 1);
    const ObjectRef ring = t.Make1("C2", {mirror, onLine});
    t.Recompute();
    const auto allDefined = [&] {
        return t.Pt(mirror).exists && t.Ln(line).exists && t.Ln(perp).exists &&
               t.Cr(circle).exists && t.Pt(centre).exists && t.Pt(onLine).exists &&
               t.Cr(ring).exists;
    };
    ASSERT_TRUE(allDefined());

    Drag drag{t, m};
    drag.To(4.3, 0);
    ASSERT_TRUE(allDefined());
    drag.To(4.6, 0);  // the circles are apart
    EXPECT_FALSE(t.Pt(x[0]).exists);
    EXPECT_FALSE(t.Pt(mirror).exists);
    EXPECT_FALSE(t.Ln(line).exists);
    EXPECT_FALSE(t.Ln(perp).exists);
    EXPECT_FALSE(t.Cr(circle).exists);
    EXPECT_FALSE(t.Pt(centre).exists);
    EXPECT_FALSE(t.Pt(onLine).exists);
    EXPECT_FALSE(t.Cr(ring).exists);
    drag.To(3.5, 0);
    EXPECT_TRUE(allDefined());

    // The full recompute agrees.
    t.MoveTo(m, 10, 0);
    t.Recompute();
    EXPECT_FALSE(t.Cr(ring).exists);
    t.MoveTo(m, 1, 1);
    t.Recompute();
    EXPECT_TRUE(allDefined());
}

TEST(Drag, TiedPointsSlideAndStopAtTheEnds) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
    const ObjectRef seg = t.Make1("L1", {a, b});
    t.Ln(seg).form = 1;
    const ObjectRef p = t.Tied(seg, 1);
    const ObjectRef k = t.Make1("C2", {a, b});
    const ObjectRef r = t.Tied(k, 0);
    const ObjectRef image = t.Make1("PT3", {r, p});
    t.Recompute();

    Drag slide{t, p};
    for (double x : {1.5, 2.5, 3.5, 4.5, 6.0}) slide.ToOnTie(x, 0);
    EXPECT_EQ(t.Pt(p).x, 4);  // held at the end of the segment
    EXPECT_EQ(t.Pt(p).param, 4);
    EXPECT_EQ(t.beeps, 2);
    EXPECT_NEAR(t.Pt(image).x, 4, 1e-9);  // 2·(4, 0) − (4, 0)

    Drag round{t, r};
    for (int i = 1; i <= 12; ++i) {
        const double a = DegToRad(30.0 * i);
        round.ToOnTie(4 * std::cos(a), 4 * std::sin(a));
        ASSERT_TRUE(t.Pt(r).exists);
        EXPECT_NEAR(Dist(At(t.Pt(r)), {0, 0}), 4, 1e-9);
        EXPECT_NEAR(t.Pt(image).x, 8 - t.Pt(r).x, 1e-9);
    }
    EXPECT_NEAR(t.Pt(r).x, 4, 1e-9);
}

}  // namespace
}  // namespace kv
