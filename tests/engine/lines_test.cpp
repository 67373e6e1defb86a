#include <gtest/gtest.h>

#include <cmath>

#include "engine/constants.h"
#include "support/test_figure.h"

namespace kv {
namespace {

constexpr double kEps = 1e-9;

XY Base(const LineRecord& l) {
    return {l.x1, l.y1};
}
XY Dir(const LineRecord& l) {
    return {l.dx, l.dy};
}
double Dot(XY a, XY b) {
    return a.x * b.x + a.y * b.y;
}

void ExpectUnit(const LineRecord& l) {
    EXPECT_NEAR(std::hypot(l.dx, l.dy), 1, kEps);
}

TEST(LineCodes, ThroughTwoPointsRunsFromTheFirst) {
    struct Row {
        XY b;
        bool defined;
    };
    const Row rows[] = {{{3, 4}, true}, {{0.009, 0}, false}, {{0.01, 0}, true}, {{0, 0}, false}};
    for (const Row& row : rows) {
        TestFigure t;
        const ObjectRef a = t.Free(0, 0), b = t.Free(row.b.x, row.b.y);
        const ObjectRef l = t.Make1("L1", {a, b});
        t.Recompute();
        ASSERT_EQ(t.Ln(l).exists != 0, row.defined) << row.b.x;
        if (!row.defined) continue;
        EXPECT_EQ(t.Ln(l).x1, 0);
        EXPECT_EQ(t.Ln(l).x2, row.b.x);
        EXPECT_NEAR(t.Ln(l).dx, row.b.x / std::hypot(row.b.x, row.b.y), kEps);
    }
}

TEST(LineCodes, ParallelPerpendicularAndBisector) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 2), q = t.Free(1, 3);
    const ObjectRef ab = t.Make1("L1", {a, b});
    const ObjectRef par = t.Make1("L2", {ab, q});
    const auto perp = t.Make("L3", {ab, q}, "LP");  // with its foot as a point
    const ObjectRef perpOnly = t.Make1("L3", {ab, q}, "L");
    const ObjectRef onLine = t.Free(2, 1);
    const auto perpOn = t.Make("L3", {ab, onLine}, "LP");
    const ObjectRef bis = t.Make1("L4", {ab});
    t.Recompute();
    const XY Q = At(t.Pt(q));
    const LineRecord& L = t.Ln(ab);

    EXPECT_EQ(Base(t.Ln(par)).x, Q.x);
    EXPECT_NEAR(t.Ln(par).dx, L.dx, kEps);
    EXPECT_NEAR(t.Ln(par).dy, L.dy, kEps);

    // The perpendicular starts at Q, turns L's direction by +90° and ends at the foot.
    const LineRecord& P = t.Ln(perp[0]);
    ASSERT_TRUE(P.exists);
    EXPECT_EQ(P.x1, Q.x);
    EXPECT_NEAR(P.dx, -L.dy, kEps);
    EXPECT_NEAR(P.dy, L.dx, kEps);
    const PointRecord& foot = t.Pt(perp[1]);
    ASSERT_TRUE(foot.exists);
    EXPECT_NEAR(SideOf(L, At(foot)), 0, kEps);
    EXPECT_NEAR(foot.x, P.x2, kEps);
    EXPECT_NEAR(foot.y, P.y2, kEps);
    EXPECT_TRUE(t.Ln(perpOnly).exists);
    EXPECT_NEAR(t.Ln(perpOnly).x2, foot.x, kEps);
    EXPECT_FALSE(t.f.Points[0].exists);  // the one-output form writes no point entry

    // From a point on the line: both stored points are that point and the line exists.
    EXPECT_TRUE(t.Ln(perpOn[0]).exists);
    EXPECT_NEAR(t.Ln(perpOn[0]).x2, 2, kEps);
    EXPECT_NEAR(t.Pt(perpOn[1]).x, 2, kEps);
    EXPECT_NEAR(t.Pt(perpOn[1]).y, 1, kEps);

    // The perpendicular bisector: both points are the midpoint.
    const LineRecord& B = t.Ln(bis);
    EXPECT_NEAR(B.x1, 2, kEps);
    EXPECT_NEAR(B.y1, 1, kEps);
    EXPECT_EQ(B.x1, B.x2);
    EXPECT_EQ(B.y1, B.y2);
    EXPECT_NEAR(Dot(Dir(B), Dir(L)), 0, kEps);
    EXPECT_NEAR(B.dx, -L.dy, kEps);
}

struct TangentRow {
    XY q;
    XY centre;
    double r;
};

TEST(LineCodes, TangentsFromAPointTouchTheCircle) {
    const TangentRow rows[] = {{{0, 0}, {2, 0}, 1},
                               {{-3, 5}, {1, 1}, 2.5},
                               {{4, -1}, {0, 0}, 0.5},
                               {{1, 1}, {1, 9}, 7.9},
                               {{0, 0}, {0, 3}, 3}};
    for (const TangentRow& row : rows) {
        TestFigure t;
        const ObjectRef q = t.Free(row.q.x, row.q.y);
        const ObjectRef c = t.Make1("C1", {t.Free(row.centre.x, row.centre.y), t.Number(row.r)});
        const auto tangents = t.Make("L5", {q, c});
        t.Recompute();
        SCOPED_TRACE(testing::Message() << "row q=(" << row.q.x << "," << row.q.y << ")");
        const XY O = row.centre;
        for (int k = 0; k < 2; ++k) {
            const LineRecord& l = t.Ln(tangents[k]);
            ASSERT_TRUE(l.exists);
            ExpectUnit(l);
            EXPECT_EQ(l.x1, row.q.x);  // through the point, starting there
            EXPECT_EQ(l.y1, row.q.y);
            EXPECT_NEAR(std::fabs(SideOf(l, O)), row.r, 1e-9);
            EXPECT_LE(Dot(Dir(l), {O.x - row.q.x, O.y - row.q.y}), 1e-9);  // away from the circle
            // Output 1 touches on the left of Q→O, output 2 on the right.
            const double along = Dot(Dir(l), {O.x - row.q.x, O.y - row.q.y});
            const XY touch{row.q.x + along * l.dx, row.q.y + along * l.dy};
            EXPECT_NEAR(Dist(touch, O), row.r, 1e-7);
            if (Dist(row.q, O) > row.r + 1e-6) {
                const double side = Cross(row.q, O, touch);
                EXPECT_TRUE(k == 0 ? side > 0 : side < 0);
            }
        }
    }
}

TEST(LineCodes, TangentsFromAPointKnownDirectionsAndInside) {
    TestFigure t;
    const ObjectRef c = t.Make1("C1", {t.Free(2, 0), t.Number(1)});
    const auto out = t.Make("L5", {t.Free(0, 0), c});
    const auto inside = t.Make("L5", {t.Free(2.5, 0), c});
    const auto onCircle = t.Make("L5", {t.Free(3, 0), c});
    t.Recompute();
    const double h = std::sqrt(3.0) / 2;
    EXPECT_NEAR(t.Ln(out[0]).dx, -h, kEps);
    EXPECT_NEAR(t.Ln(out[0]).dy, -0.5, kEps);
    EXPECT_NEAR(t.Ln(out[1]).dx, -h, kEps);
    EXPECT_NEAR(t.Ln(out[1]).dy, 0.5, kEps);
    EXPECT_FALSE(t.Ln(inside[0]).exists);
    EXPECT_FALSE(t.Ln(inside[1]).exists);
    // On the circle both are the tangent there, with opposite directions.
    ASSERT_TRUE(t.Ln(onCircle[0]).exists);
    EXPECT_NEAR(t.Ln(onCircle[0]).dx, 0, kEps);
    EXPECT_NEAR(t.Ln(onCircle[0]).dy, -t.Ln(onCircle[1]).dy, kEps);
}

struct TwoCircles {
    const char* label;
    XY c1;
    double r1;
    XY c2;
    double r2;
    bool outer, inner;  // which tangent pairs exist
};

void PrintTo(const TwoCircles& v, std::ostream* os) {
    *os << v.label;
}

class CommonTangents : public ::testing::TestWithParam<TwoCircles> {};

TEST_P(CommonTangents, TouchBothCirclesOnTheRightSides) {
    const TwoCircles& k = GetParam();
    TestFigure t;
    const ObjectRef a = t.Make1("C1", {t.Free(k.c1.x, k.c1.y), t.Number(k.r1)});
    const ObjectRef b = t.Make1("C1", {t.Free(k.c2.x, k.c2.y), t.Number(k.r2)});
    const auto outer = t.Make("L6", {a, b});
    const auto inner = t.Make("L7", {a, b});
    t.Recompute();
    for (int j = 0; j < 2; ++j) {
        for (bool isInner : {false, true}) {
            const LineRecord& l = t.Ln(isInner ? inner[j] : outer[j]);
            ASSERT_EQ(l.exists != 0, isInner ? k.inner : k.outer) << isInner << j;
            if (!l.exists) continue;
            ExpectUnit(l);
            const double s1 = SideOf(l, k.c1), s2 = SideOf(l, k.c2);
            EXPECT_NEAR(std::fabs(s1), k.r1, 1e-9);
            EXPECT_NEAR(std::fabs(s2), k.r2, 1e-9);
            EXPECT_NEAR(Dist(Base(l), k.c1), k.r1, 1e-9);  // based at the contact on circle 1
            if (k.r1 > 0 && k.r2 > 0) {
                if (isInner)
                    EXPECT_LT(s1 * s2, 0);  // separates the circles
                else
                    EXPECT_GT(s1 * s2, 0);  // leaves both on one side
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, CommonTangents,
    ::testing::Values(TwoCircles{"apart", {0, 0}, 1, {4, 0}, 1, true, true},
                      TwoCircles{"unequal", {-2, 1}, 2, {5, 3}, 0.5, true, true},
                      TwoCircles{"diagonal", {1, 1}, 1.5, {-4, -6}, 3, true, true},
                      TwoCircles{"overlapping", {0, 0}, 2, {3, 0}, 2, true, false},
                      TwoCircles{"nested", {0, 0}, 5, {1, 0}, 1, false, false},
                      TwoCircles{"concentric", {0, 0}, 2, {0, 0}, 1, false, false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(LineCodes, CommonTangentsKnownLines) {
    TestFigure t;
    const ObjectRef a = t.Make1("C1", {t.Free(0, 0), t.Number(1)});
    const ObjectRef b = t.Make1("C1", {t.Free(4, 0), t.Number(1)});
    const auto outer = t.Make("L6", {a, b});
    const auto inner = t.Make("L7", {a, b});
    t.Recompute();
    const double h = std::sqrt(3.0) / 2;
    const LineRecord &o1 = t.Ln(outer[0]), &o2 = t.Ln(outer[1]);
    EXPECT_NEAR(o1.x1, 0, kEps);
    EXPECT_NEAR(o1.y1, 1, kEps);
    EXPECT_NEAR(o1.dx, 1, kEps);
    EXPECT_NEAR(o2.y1, -1, kEps);
    EXPECT_NEAR(o2.dx, 1, kEps);
    const LineRecord &i1 = t.Ln(inner[0]), &i2 = t.Ln(inner[1]);
    EXPECT_NEAR(i1.x1, 0.5, kEps);
    EXPECT_NEAR(i1.y1, h, kEps);
    EXPECT_NEAR(i1.dx, h, kEps);
    EXPECT_NEAR(i1.dy, -0.5, kEps);
    EXPECT_NEAR(i2.x1, 0.5, kEps);
    EXPECT_NEAR(i2.y1, -h, kEps);
    EXPECT_NEAR(i2.dy, 0.5, kEps);
    // Both inner tangents cross the axis at x = 2.
    EXPECT_NEAR(i1.x1 - i1.y1 / i1.dy * i1.dx, 2, kEps);
    EXPECT_NEAR(i2.x1 - i2.y1 / i2.dy * i2.dx, 2, kEps);
}

TEST(LineCodes, PolarOfAPoint) {
    TestFigure t;
    const ObjectRef o = t.Free(1, -1);
    const ObjectRef c = t.Make1("C1", {o, t.Number(2)});
    const ObjectRef q = t.Free(4, 3);
    const ObjectRef polar = t.Make1("L8", {q, c});
    const ObjectRef none = t.Make1("L8", {o, c});
    const auto tangents = t.Make("L5", {q, c});
    t.Recompute();
    const LineRecord& l = t.Ln(polar);
    ASSERT_TRUE(l.exists);
    // The polar is perpendicular to OQ at distance r²/|OQ| and passes through the contact
    // points of the tangents from Q.
    const XY O{1, -1}, Q{4, 3};
    EXPECT_NEAR(std::fabs(SideOf(l, O)), 4 / Dist(O, Q), kEps);
    EXPECT_NEAR(Dot(Dir(l), {Q.x - O.x, Q.y - O.y}), 0, kEps);
    for (ObjectRef k : tangents) {
        const LineRecord& tl = t.Ln(k);
        const double along = Dot(Dir(tl), {O.x - Q.x, O.y - Q.y});
        EXPECT_NEAR(SideOf(l, {Q.x + along * tl.dx, Q.y + along * tl.dy}), 0, 1e-9);
    }
    EXPECT_FALSE(t.Ln(none).exists);
}

TEST(LineCodes, AngleBisectorAndDivision) {
    {
        TestFigure t;
        const ObjectRef l = t.Make1("LH1", {t.Free(1, 0), t.Free(0, 0), t.Free(0, 1)});
        t.Recompute();
        EXPECT_NEAR(t.Ln(l).dx, std::sqrt(0.5), kEps);
        EXPECT_NEAR(t.Ln(l).dy, std::sqrt(0.5), kEps);
        EXPECT_EQ(t.Ln(l).x1, 0);
    }
    struct Row {
        XY c;
        double n, m;
        double degrees;  // expected direction from B = (0, 0), ray BA along +x
    };
    const Row rows[] = {
        {{0, 1}, 3, 1, 30},    {{0, 1}, 3, 2, 60}, {{0, 1}, 3, -1, -30}, {{0, -1}, 3, 1, -30},
        {{-1, 1}, 2, 1, 67.5}, {{0, 1}, 1, 1, 90}, {{-1, 0}, 4, 1, 45},
    };
    for (const Row& row : rows) {
        TestFigure t;
        const ObjectRef a = t.Free(2, 0), b = t.Free(0, 0), c = t.Free(row.c.x, row.c.y);
        const ObjectRef l = t.Make1("LH2", {a, b, c, t.Number(row.n), t.Number(row.m)});
        const ObjectRef bis = t.Make1("LH1", {a, b, c});
        t.Recompute();
        SCOPED_TRACE(testing::Message() << row.n << " " << row.m << " " << row.degrees);
        ASSERT_TRUE(t.Ln(l).exists);
        EXPECT_EQ(t.Ln(l).x1, 0);
        EXPECT_NEAR(t.Ln(l).dx, std::cos(DegToRad(row.degrees)), 1e-9);
        EXPECT_NEAR(t.Ln(l).dy, std::sin(DegToRad(row.degrees)), 1e-9);
        if (row.n == 2 && row.m == 1) {  // halving is the bisector
            EXPECT_NEAR(t.Ln(l).dx, t.Ln(bis).dx, 1e-9);
            EXPECT_NEAR(t.Ln(l).dy, t.Ln(bis).dy, 1e-9);
        }
    }
    // No line divides an angle into zero parts; a vertex on A has no ray BA.
    TestFigure t;
    const ObjectRef a = t.Free(2, 0), b = t.Free(0, 0), c = t.Free(0, 1);
    const ObjectRef zero = t.Make1("LH2", {a, b, c, t.Number(0), t.Number(1)});
    const ObjectRef flat = t.Make1("LH2", {b, b, c, t.Number(2), t.Number(1)});
    t.Recompute();
    EXPECT_FALSE(t.Ln(zero).exists);
    EXPECT_FALSE(t.Ln(flat).exists);
}

}  // namespace
}  // namespace kv
