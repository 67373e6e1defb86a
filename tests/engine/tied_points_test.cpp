#include <gtest/gtest.h>

#include <cmath>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "support/test_figure.h"

namespace kv {
namespace {

constexpr double kEps = 1e-9;

// A figure with one line from (1, 1) to (4, 5) (length 5) and a point tied to it.
struct OnLine {
    TestFigure t;
    ObjectRef line, p;
    OnLine(i16 form, double param) {
        line = t.Make1("L1", {t.Free(1, 1), t.Free(4, 5)});
        t.Ln(line).form = form;
        p = t.Tied(line, param);
        t.Recompute();
    }
    XY AtParam(double s) { return {1 + 0.6 * s, 1 + 0.8 * s}; }
};

struct ClampRow {
    i16 form;
    double param;
    double placed;  // parameter the point ends at
    int beeps;
};

TEST(TiedPoints, LinesClampToTheirDrawnPart) {
    const ClampRow rows[] = {
        {1, 7, 5, 1},   {1, -1, 0, 1},  {1, 2, 2, 0},      // segment: both ends
        {2, -2, 0, 1},  {2, 9, 9, 0},                      // half-line: start only
        {3, 7, 5, 1},   {3, -3, -3, 0}, {3, 4.5, 4.5, 0},  // reversed: from the second point back
        {0, -8, -8, 0}, {0, 12, 12, 0},                    // line: unbounded
    };
    for (const ClampRow& row : rows) {
        OnLine s(row.form, row.param);
        SCOPED_TRACE(testing::Message() << "form " << row.form << " param " << row.param);
        const PointRecord& p = s.t.Pt(s.p);
        ASSERT_TRUE(p.exists);
        EXPECT_NEAR(p.param, row.placed, kEps);
        EXPECT_NEAR(p.x, s.AtParam(row.placed).x, kEps);
        EXPECT_NEAR(p.y, s.AtParam(row.placed).y, kEps);
        EXPECT_EQ(s.t.beeps, row.beeps);  // clamped once, stored back, silent afterwards
    }
}

TEST(TiedPoints, CirclesWrapTheArcLength) {
    struct Row {
        double r, param, arc;
    };
    const Row rows[] = {
        {1, 7, 7 - kTwoPi},  // more than once round
        {1, -1, kTwoPi - 1},
        {2, 3, 3},
        {0.5, 1, 1},  // two radians round
    };
    for (const Row& row : rows) {
        TestFigure t;
        const ObjectRef c = t.Make1("C1", {t.Free(2, -1), t.Number(row.r)});
        const ObjectRef p = t.Tied(c, row.param);
        t.Recompute();
        SCOPED_TRACE(row.param);
        ASSERT_TRUE(t.Pt(p).exists);
        EXPECT_NEAR(t.Pt(p).param, row.arc, 1e-12);
        EXPECT_NEAR(Dist(At(t.Pt(p)), {2, -1}), row.r, kEps);
        EXPECT_NEAR(std::atan2(t.Pt(p).y + 1, t.Pt(p).x - 2),
                    std::remainder(row.arc / row.r, 2 * kPi), 1e-9);
        EXPECT_EQ(t.beeps, 0);
    }
}

TEST(TiedPoints, FollowWhatTheyHangOn) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(5, 0);
    const ObjectRef onPoint = t.Tied(b, 0);
    const ObjectRef k1 = t.Make1("C2", {a, b});
    const ObjectRef zero = t.Make1("C2", {a, a});
    const ObjectRef ab = t.Make1("L1", {a, b});
    const ObjectRef onCircle = t.Tied(k1, 0);
    const ObjectRef onZero = t.Tied(zero, 1);
    const ObjectRef onLine = t.Tied(ab, 2);
    t.Recompute();
    EXPECT_EQ(t.Pt(onPoint).x, 5);
    EXPECT_NEAR(t.Pt(onCircle).x, 5, kEps);
    // A circle of radius 0 has no arc to run on: the placement fails and puts the point on
    // the centre.
    PlaceBoundPoint(t.f, onZero.index, t.note);
    EXPECT_FALSE(t.Pt(onZero).exists);
    EXPECT_EQ(t.Pt(onZero).x, 0);
    EXPECT_EQ(t.Pt(onZero).param, 1);
    EXPECT_NEAR(t.Pt(onLine).x, 2, kEps);

    // The line becomes undefined (its points coincide): so does the point on it.
    t.MoveTo(b, 0, 0);
    t.Recompute();
    EXPECT_FALSE(t.Ln(ab).exists);
    EXPECT_FALSE(t.Pt(onLine).exists);
    EXPECT_EQ(t.Pt(onPoint).x, 0);

    t.MoveTo(b, 0, 4);
    t.Recompute();
    ASSERT_TRUE(t.Pt(onLine).exists);
    EXPECT_NEAR(t.Pt(onLine).y, 2, kEps);
    EXPECT_NEAR(Dist(At(t.Pt(onCircle)), {0, 0}), 4, kEps);
}

// Setting a point at parameter s along a line, reading the parameter back from the position
// and placing the point again must give s and the same position: the conversion and the
// placement measure the same way on every kind of constructed line.
TEST(TiedPoints, ParamFromPositionInvertsThePlacement) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0), q = t.Free(1, 3);
    const ObjectRef ab = t.Make1("L1", {a, b});
    const ObjectRef lines[] = {
        ab, t.Make1("L2", {ab, q}),
        t.Make1("L3", {ab, q}, "L"),  // the foot lies behind the base point
        t.Make1("L4", {ab}),          // both stored points are the midpoint
    };
    const ObjectRef p = t.Tied(ab, 0);
    t.Recompute();
    for (const ObjectRef line : lines) {
        for (i16 form : {0, 2, 3}) {
            t.Ln(line).form = form;
            for (double s : {-3.5, -2.5, -0.5, 0.0, 0.75, 1.5}) {
                // Stay on the drawn part of half-lines.
                const LineRecord& l = t.Ln(line);
                const double end = (l.x2 - l.x1) * l.dx + (l.y2 - l.y1) * l.dy;
                if ((form == 2 && s < 0) || (form == 3 && s > end)) continue;
                PointRecord& pt = t.Pt(p);
                pt.bindIndex = line.index;
                pt.x = l.x1 + s * l.dx;
                pt.y = l.y1 + s * l.dy;
                ParamFromPosition(t.f, p.index);
                SCOPED_TRACE(testing::Message()
                             << "line " << line.index << " form " << form << " s " << s);
                EXPECT_NEAR(pt.param, s, kEps);
                PlaceBoundPoint(t.f, p.index, t.note);
                EXPECT_NEAR(pt.x, l.x1 + s * l.dx, kEps);
                EXPECT_NEAR(pt.y, l.y1 + s * l.dy, kEps);
            }
        }
    }
    EXPECT_EQ(t.beeps, 0);
}

TEST(TiedPoints, ReversedHalfLineEndsAtTheSecondPoint) {
    // A perpendicular from (1, 3) to the x axis runs upwards but its second point, the foot,
    // lies below the base point: the reversed half-line runs from the foot downwards.
    TestFigure t;
    const ObjectRef ab = t.Make1("L1", {t.Free(0, 0), t.Free(4, 0)});
    const ObjectRef perp = t.Make1("L3", {ab, t.Free(1, 3)}, "L");
    t.Ln(perp).form = 3;
    const ObjectRef p = t.Tied(perp, -1);
    t.Recompute();
    ASSERT_TRUE(t.Pt(p).exists);
    EXPECT_NEAR(t.Pt(p).param, -3, kEps);
    EXPECT_NEAR(t.Pt(p).x, 1, kEps);
    EXPECT_NEAR(t.Pt(p).y, 0, kEps);
    EXPECT_EQ(t.beeps, 1);
}

TEST(TiedPoints, SegmentParamsRoundTripAndDegenerateSegments) {
    OnLine s(1, 0);
    PointRecord& p = s.t.Pt(s.p);
    for (double u : {0.0, 1.25, 5.0}) {
        p.x = s.AtParam(u).x;
        p.y = s.AtParam(u).y;
        ParamFromPosition(s.t.f, s.p.index);
        EXPECT_NEAR(p.param, u, kEps);
    }
    // A segment whose two points coincide has nowhere to put the point (0 / 0): the point is
    // undefined, and comes back once the segment has a length.
    TestFigure t;
    const ObjectRef ab = t.Make1("L1", {t.Free(0, 0), t.Free(4, 0)});
    const ObjectRef from = t.Free(2, 0);
    const ObjectRef foot = t.Make1("L3", {ab, from}, "L");
    t.Ln(foot).form = 1;
    const ObjectRef q = t.Tied(foot, 3);
    const ObjectRef d = t.Make1("ND2P", {q, from});
    t.Recompute();
    ASSERT_TRUE(t.Ln(foot).exists);
    EXPECT_FALSE(t.Pt(q).exists);
    EXPECT_FALSE(t.Nm(d).exists);
    t.MoveTo(from, 2, 1);
    t.Recompute();
    ASSERT_TRUE(t.Pt(q).exists);
    EXPECT_NEAR(t.Pt(q).x, 2.0, kEps);
}

// A point tied to another point is undefined while that point is, and so is everything
// measured from it; it comes back with the point.
TEST(TiedPoints, APointTiedToAnUndefinedPointIsUndefined) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0), c = t.Free(0, 3);
    const ObjectRef centre = t.Make1("P1", {a, b, c});
    const ObjectRef tied = t.Tied(centre, 0);
    const ObjectRef d = t.Make1("ND2P", {tied, a});
    t.Recompute();
    ASSERT_TRUE(t.Pt(tied).exists);
    EXPECT_NEAR(t.Nm(d).value, 2.5, kEps);
    t.MoveTo(c, 8, 0);  // collinear: no circumcentre
    t.Recompute();
    ASSERT_FALSE(t.Pt(centre).exists);
    EXPECT_FALSE(t.Pt(tied).exists);
    EXPECT_FALSE(t.Nm(d).exists);
    t.MoveTo(c, 0, 3);
    t.Recompute();
    EXPECT_TRUE(t.Pt(tied).exists);
    EXPECT_TRUE(t.Nm(d).exists);
}

TEST(TiedPoints, CircleParamFromPosition) {
    TestFigure t;
    const ObjectRef c = t.Make1("C1", {t.Free(1, 1), t.Number(2)});
    const ObjectRef p = t.Tied(c, 0);
    t.Recompute();
    PointRecord& pt = t.Pt(p);
    pt.x = 1;
    pt.y = -1;  // straight below the centre
    ParamFromPosition(t.f, p.index);
    EXPECT_TRUE(pt.exists);
    EXPECT_NEAR(pt.param, -kPi, 1e-12);  // negative arc length, wrapped on placement
    PlaceBoundPoint(t.f, p.index, t.note);
    EXPECT_NEAR(pt.param, 3 * kPi, 1e-12);
    EXPECT_NEAR(pt.x, 1, 1e-12);
    EXPECT_NEAR(pt.y, -1, 1e-12);

    pt.x = 2.4;
    pt.y = 2.4;
    ParamFromPosition(t.f, p.index);
    EXPECT_NEAR(pt.param, 2 * kPi / 4, 1e-12);  // 45° on radius 2

    pt.x = 1.001;  // on the centre: no direction
    pt.y = 1;
    ParamFromPosition(t.f, p.index);
    EXPECT_FALSE(pt.exists);
}

TEST(TiedPoints, BindingToNothingIsSafe) {
    TestFigure t;
    const ObjectRef p = t.Free(3, 3);
    t.Pt(p).bindKind = kKindLine;
    t.Pt(p).bindIndex = 500;  // beyond the tables, as a damaged file could hold
    t.Recompute();
    EXPECT_FALSE(t.Pt(p).exists);
    ParamFromPosition(t.f, p.index);
    PlaceBoundPoint(t.f, 0, t.note);
    PlaceBoundPoint(t.f, 9999, t.note);
}

}  // namespace
}  // namespace kv
