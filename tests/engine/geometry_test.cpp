#include "engine/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "engine/constants.h"

namespace kv {
namespace {

PointRecord Pt(double x, double y) {
    PointRecord p;
    p.x = x;
    p.y = y;
    p.exists = kTrue;
    return p;
}

CircleRecord Circle(double cx, double cy, double r) {
    CircleRecord c;
    c.cx = cx;
    c.cy = cy;
    c.r = r;
    c.exists = kTrue;
    return c;
}

LineRecord Through(double x1, double y1, double x2, double y2) {
    LineRecord l;
    LineThroughPoints(Pt(x1, y1), Pt(x2, y2), l);
    return l;
}

NumberRecord Num(double v) {
    NumberRecord n;
    n.value = v;
    n.exists = kTrue;
    return n;
}

double DistToLine(const PointRecord& p, const LineRecord& l) {
    return std::fabs((p.x - l.x1) * l.dy - (p.y - l.y1) * l.dx);
}

struct Messages {
    std::vector<std::string> seen;
    Notifier notifier() {
        Notifier n;
        n.message = [this](const std::string& s) { seen.push_back(s); };
        return n;
    }
};

TEST(Tolerances, PointsTooCloseMakeNoLine) {
    EXPECT_EQ(Through(0, 0, 0.009, 0).exists, 0);
    EXPECT_NE(Through(0, 0, 0.01, 0).exists, 0);
    EXPECT_NE(Through(5, 5, 5, 5.011).exists, 0);
    EXPECT_EQ(Through(5, 5, 5.006, 5.006).exists, 0);  // 0.0085 apart
}

TEST(Tolerances, NearlyParallelLinesDoNotMeet) {
    const LineRecord base = Through(0, 0, 1, 0);
    PointRecord p;
    IntersectLines(base, Through(0, 1, std::cos(DegToRad(0.5)), 1 + std::sin(DegToRad(0.5))), p);
    EXPECT_EQ(p.exists, 0);
    IntersectLines(base, Through(0, 1, std::cos(DegToRad(1)), 1 + std::sin(DegToRad(1))), p);
    ASSERT_NE(p.exists, 0);
    EXPECT_NEAR(p.y, 0, 1e-9);
}

TEST(Tolerances, TangentLineGivesTheTouchingPointTwice) {
    Figure f;
    const CircleRecord c = Circle(0, 0, 1);
    struct Row {
        double y;
        bool meets;
    } rows[] = {{1.0, true}, {1.00004, true}, {0.99999, true}, {1.0001, false}, {1.2, false}};
    for (const Row& row : rows) {
        PointRecord p1, p2;
        IntersectLineCircle(Through(-3, row.y, 3, row.y), c, p1, p2);
        EXPECT_EQ(p1.exists != 0, row.meets) << row.y;
        EXPECT_EQ(p2.exists != 0, row.meets) << row.y;
        if (row.meets && row.y >= 1) {
            EXPECT_DOUBLE_EQ(p1.x, p2.x) << row.y;
            EXPECT_NEAR(p1.x, 0, 1e-12);
        }
    }
}

TEST(Tolerances, ConcentricAndTouchingCircles) {
    Figure f;
    PointRecord p1, p2;
    IntersectCircles(Circle(1, 1, 2), Circle(1, 1, 2), p1, p2);
    EXPECT_EQ(p1.exists, 0);
    EXPECT_EQ(p2.exists, 0);
    IntersectCircles(Circle(0, 0, 1), Circle(2, 0, 1), p1, p2);
    ASSERT_NE(p1.exists, 0);
    EXPECT_NEAR(p1.x, 1, 1e-12);
    EXPECT_NEAR(p2.x, 1, 1e-12);
    EXPECT_NEAR(p1.y, p2.y, 1e-12);
    IntersectCircles(Circle(0, 0, 1), Circle(3, 0, 1), p1, p2);
    EXPECT_EQ(p1.exists, 0);
}

TEST(Intersections, OutputsLieOnBothCurves) {
    Figure f;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> coord(-10, 10), rad(0.5, 8);
    int met = 0;
    for (int i = 0; i < 500; ++i) {
        const CircleRecord c1 = Circle(coord(rng), coord(rng), rad(rng));
        const CircleRecord c2 = Circle(coord(rng), coord(rng), rad(rng));
        PointRecord p1, p2;
        IntersectCircles(c1, c2, p1, p2);
        if (p1.exists) {
            ++met;
            for (const PointRecord& p : {p1, p2}) {
                EXPECT_NEAR(std::hypot(p.x - c1.cx, p.y - c1.cy), c1.r, 1e-6);
                EXPECT_NEAR(std::hypot(p.x - c2.cx, p.y - c2.cy), c2.r, 1e-6);
            }
        }
        const LineRecord l = Through(coord(rng), coord(rng), coord(rng), coord(rng));
        IntersectLineCircle(l, c1, p1, p2);
        if (p1.exists && l.exists) {
            for (const PointRecord& p : {p1, p2}) {
                EXPECT_NEAR(std::hypot(p.x - c1.cx, p.y - c1.cy), c1.r, 1e-6);
                EXPECT_NEAR(DistToLine(p, l), 0, 1e-9);
            }
        }
        const LineRecord m = Through(coord(rng), coord(rng), coord(rng), coord(rng));
        PointRecord q;
        IntersectLines(l, m, q);
        if (q.exists) {
            EXPECT_NEAR(DistToLine(q, l), 0, 1e-6);
            EXPECT_NEAR(DistToLine(q, m), 0, 1e-6);
        }
    }
    EXPECT_GT(met, 50);
}

TEST(Intersections, RawOrderBeforeTheBranchRule) {
    Figure f;
    PointRecord p1, p2;
    // The first solution of a line and a circle is the one farther along the line's direction.
    IntersectLineCircle(Through(-5, 0, 5, 0), Circle(0, 0, 2), p1, p2);
    EXPECT_NEAR(p1.x, 2, 1e-12);
    EXPECT_NEAR(p2.x, -2, 1e-12);
    // The first solution of two circles lies to the left of the direction from C1 to C2.
    IntersectCircles(Circle(0, 0, 2), Circle(2, 0, 2), p1, p2);
    EXPECT_GT(p1.y, 0);
    EXPECT_LT(p2.y, 0);
}

TEST(Lines, BuildersKeepBaseAndDirection) {
    const LineRecord l = Through(0, 0, 2, 0);
    LineRecord b;
    PerpendicularBisector(l, b);
    EXPECT_DOUBLE_EQ(b.x1, 1);
    EXPECT_DOUBLE_EQ(b.x2, 1);
    EXPECT_DOUBLE_EQ(b.y2, 0);
    EXPECT_NEAR(b.dx, 0, 1e-15);
    EXPECT_NEAR(b.dy, 1, 1e-15);

    LineRecord perp;
    PerpendicularThrough(l, Pt(1.5, 3), perp);
    EXPECT_DOUBLE_EQ(perp.x1, 1.5);
    EXPECT_DOUBLE_EQ(perp.y1, 3);
    EXPECT_NEAR(perp.x2, 1.5, 1e-12);  // the foot
    EXPECT_NEAR(perp.y2, 0, 1e-12);
    // A point on the line: base point and foot coincide, the line still exists.
    PerpendicularThrough(l, Pt(0.5, 0), perp);
    EXPECT_NE(perp.exists, 0);
    EXPECT_NEAR(perp.x2, 0.5, 1e-12);

    LineRecord par;
    ParallelThrough(l, Pt(0, 4), par);
    EXPECT_DOUBLE_EQ(par.x2, 1);
    EXPECT_DOUBLE_EQ(par.y2, 4);

    NumberRecord d;
    DistancePointLine(Pt(3, -4), l, d);
    EXPECT_NEAR(d.value, 4, 1e-12);
}

TEST(Lines, PolarOfAPointOutsideTheCircle) {
    LineRecord k;
    PolarLine(Pt(2, 0), Circle(0, 0, 1), k);
    ASSERT_NE(k.exists, 0);
    // x = 1/2: every point of the polar has x = 0.5.
    EXPECT_NEAR(k.x1, 0.5, 1e-12);
    EXPECT_NEAR(k.x2, 0.5, 1e-12);
    PolarLine(Pt(3.005, 4), Circle(3, 4, 1), k);
    EXPECT_EQ(k.exists, 0);
    NumberRecord a = Num(0), b = Num(0), c = Num(1);
    LineFromEquation(a, b, c, k);
    EXPECT_EQ(k.exists, 0);
}

TEST(Points, DivisionExtensionRotation) {
    PointRecord r;
    DividePoint(Pt(0, 0), Pt(3, 3), Num(1), Num(-1), r);
    EXPECT_EQ(r.exists, 0);
    DividePoint(Pt(0, 0), Pt(3, 3), Num(2), Num(1), r);
    EXPECT_NEAR(r.x, 2, 1e-12);
    EXPECT_NEAR(r.y, 2, 1e-12);
    DividePoint(Pt(0, 0), Pt(3, 3), Num(2), Num(-1), r);
    EXPECT_NEAR(r.x, 6, 1e-12);
    ExtendPoint(Pt(1, 1), Pt(2, 3), 0, r);
    EXPECT_NEAR(r.x, 2, 1e-12);
    ExtendPoint(Pt(1, 1), Pt(2, 3), -1, r);
    EXPECT_NEAR(r.x, 1, 1e-12);
    EXPECT_NEAR(r.y, 1, 1e-12);
    RotatePoint(Pt(1, 0), Pt(0, 0), 90, r);
    EXPECT_NEAR(r.x, 0, 1e-12);
    EXPECT_NEAR(r.y, 1, 1e-12);
    RotatePoint(Pt(3, 1), Pt(2, 1), 180, r);
    EXPECT_NEAR(r.x, 1, 1e-12);
}

TEST(Points, UndefinedInputsGiveUndefinedOutputs) {
    PointRecord gone = Pt(1, 1);
    gone.exists = 0;
    PointRecord r = Pt(9, 9);
    DividePoint(gone, Pt(0, 0), 1.0, 1.0, r);
    EXPECT_EQ(r.exists, 0);
    LineRecord l;
    LineThroughPoints(gone, Pt(5, 5), l);
    EXPECT_EQ(l.exists, 0);
    NumberRecord n;
    SignedAngle(Pt(1, 0), gone, Pt(0, 1), n, Notifier{});
    EXPECT_EQ(n.exists, 0);
    CircleRecord c;
    CircleWithRadius(Pt(0, 0), Num(-1), c);
    EXPECT_EQ(c.exists, 0);
    CircleWithRadius(Pt(0, 0), Num(0), c);
    EXPECT_NE(c.exists, 0);
}

TEST(Points, NonFiniteResultsAreUndefined) {
    PointRecord r;
    DividePoint(Pt(1e308, 0), Pt(1e308, 0), 1e308, 1.0, r);
    EXPECT_EQ(r.exists, 0);
    LineRecord l;
    LineThroughPoints(Pt(0, 0), Pt(INFINITY, 0), l);
    EXPECT_EQ(l.exists, 0);
    LineThroughPoints(Pt(0, 0), Pt(NAN, 0), l);
    EXPECT_EQ(l.exists, 0);
    // What cannot be written to a file is not kept either: the figure saved and read back
    // must be the figure in memory. Finite fields stay as they were.
    EXPECT_TRUE(std::isfinite(r.x) && std::isfinite(r.y));
    EXPECT_TRUE(std::isfinite(l.x2) && std::isfinite(l.dx) && std::isfinite(l.dy));
    EXPECT_EQ(l.x1, 0);
    CircleRecord c;
    c.cx = -63.5;
    c.r = INFINITY;
    c.exists = kTrue;
    CheckFinite(c);
    EXPECT_EQ(c.exists, 0);
    EXPECT_EQ(c.r, 0);
    EXPECT_EQ(c.cx, -63.5);
}

TEST(Angles, SignedAngleQuadrantsAndStraightAngle) {
    Messages msgs;
    const Notifier note = msgs.notifier();
    struct Row {
        double cx, cy, expected;
    } rows[] = {{0, 1, 90}, {0, -1, -90}, {-1, 0, 180}, {1, 1, 45}, {-1, -1, -135}, {1, 0, 0}};
    for (const Row& row : rows) {
        NumberRecord n;
        SignedAngle(Pt(1, 0), Pt(0, 0), Pt(row.cx, row.cy), n, note);
        EXPECT_NE(n.exists, 0);
        EXPECT_NEAR(n.value, row.expected, 1e-9) << row.cx << "," << row.cy;
    }
    NumberRecord n;
    SignedAngle(Pt(0, 0), Pt(0, 0), Pt(0, 1), n, note);  // A = B
    EXPECT_EQ(n.value, 0);
    UnsignedAngle(Pt(1, 0), Pt(0, 0), Pt(-1, 0), n);
    EXPECT_EQ(n.value, 0);  // the cosine clamp turns the straight angle into 0 here
    EXPECT_TRUE(msgs.seen.empty());
}

TEST(Angles, HelpersOfTheDegreeInterface) {
    EXPECT_DOUBLE_EQ(AngleFromCosine(0), kHalfPi);
    EXPECT_LT(AngleFromCosine(-0.5), 0);
    EXPECT_EQ(AngleFromCosine(-1), 0);
    EXPECT_NEAR(DirectionAngle({-1, 0}), kPi, 1e-12);
    EXPECT_NEAR(DirectionAngle({0, -2}), -kHalfPi, 1e-15);
    EXPECT_NEAR(DirectionAngle({1, -1}), 7 * kPi / 4, 1e-9);
    EXPECT_EQ(DirectionAngle({0.001, 0}), 0);
    EXPECT_NEAR(ReduceAngle(kTwoPi + 1, kTwoPi), 1, 1e-12);
    EXPECT_NEAR(ReduceAngle(-0.5, kTwoPi), kTwoPi - 0.5, 1e-12);
    EXPECT_NEAR(ReduceAngle(kFourPi + 0.25, kTwoPi), 0.25, 1e-12);
}

// The line-circle intersection of procedure p into points a and b, kept on their branches as
// the procedure's evaluation keeps them.
void IntersectInOrder(Figure& f, int p, const LineRecord& l, const CircleRecord& c, int a, int b) {
    PointRecord &p1 = f.Points[a], &p2 = f.Points[b];
    IntersectLineCircle(l, c, p1, p2);
    if (p1.exists && p2.exists)
        KeepSolutionOrder(f.SavedPoints[a], f.SavedPoints[b], f.SwapFlag[p], p1, p2);
}

// The line through A and the origin turns round when A passes through the origin (and is
// undefined while A is within 0.01 of it). The raw solutions exchange places then, but each
// output must stay on its own intersection point.
TEST(SolutionOrder, OutputsFollowTheirPointWhenTheLineTurnsRound) {
    Figure f;
    const int p = AppendProcedure(f, "PC2");
    const int a = AppendObject(f, kKindPoint), b = AppendObject(f, kKindPoint);
    const CircleRecord c = Circle(0, 0, 2);
    bool flipped = false;
    int defined = 0;
    for (int step = 0; step <= 2000; ++step) {
        const double x = 1.0 - step * 0.001;
        const LineRecord l = Through(x, 0, 0, 0);
        IntersectInOrder(f, p, l, c, a, b);
        if (f.Points[a].exists) {
            ++defined;
            EXPECT_LT(f.Points[a].x, 0) << "step " << step;
            EXPECT_GT(f.Points[b].x, 0) << "step " << step;
        }
        if (f.SwapFlag[p]) flipped = true;
        TakeSnapshot(f);
    }
    EXPECT_GT(defined, 1900);
    EXPECT_TRUE(flipped);
}

// A circle moved across a line through both tangent positions: the first output stays the
// solution farther along the line, and the flag never flips.
TEST(SolutionOrder, CircleMovedThroughATangentPosition) {
    Figure f;
    const int p = AppendProcedure(f, "PC2");
    const int a = AppendObject(f, kKindPoint), b = AppendObject(f, kKindPoint);
    const LineRecord l = Through(-5, 0, 5, 0);
    int defined = 0;
    for (int step = 0; step <= 4200; ++step) {
        const double cy = 1.05 - step * 0.0005;
        IntersectInOrder(f, p, l, Circle(0, cy, 1), a, b);
        if (f.Points[a].exists) {
            ++defined;
            EXPECT_GE(f.Points[a].x, f.Points[b].x) << cy;
        }
        EXPECT_EQ(f.SwapFlag[p], 0) << cy;
        TakeSnapshot(f);
    }
    EXPECT_GT(defined, 3000);
}

TEST(SolutionOrder, AStoredFlagSwapsTheOutputs) {
    Figure f;
    const int p = AppendProcedure(f, "PC2");
    const int a = AppendObject(f, kKindPoint), b = AppendObject(f, kKindPoint);
    f.SwapFlag[p] = kTrue;
    IntersectInOrder(f, p, Through(-5, 0, 5, 0), Circle(0, 0, 2), a, b);
    EXPECT_NEAR(f.Points[a].x, -2, 1e-12);
    EXPECT_NEAR(f.Points[b].x, 2, 1e-12);
}

}  // namespace
}  // namespace kv
