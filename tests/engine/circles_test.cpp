#include <gtest/gtest.h>

#include <cmath>

#include "support/test_figure.h"

namespace kv {
namespace {

constexpr double kEps = 1e-9;

struct Row {
    const char* code;
    std::vector<XY> points;
    std::vector<double> numbers;
    bool defined;
    XY centre;
    double r;
};

// Known circles, including the boundary cases of each code.
TEST(CircleCodes, KnownCircles) {
    const Row rows[] = {
        {"C1", {{1, 2}}, {0}, true, {1, 2}, 0},  // radius 0 is a circle
        {"C1", {{1, 2}}, {-1}, false, {}, 0},    // a negative radius is not
        {"C1", {{1, 2}}, {2.5}, true, {1, 2}, 2.5},
        {"C2", {{1, 1}, {1, 1}}, {}, true, {1, 1}, 0},
        {"C2", {{1, 1}, {4, 5}}, {}, true, {1, 1}, 5},
        {"C3", {{0, 0}, {2, 0}, {0, 2}}, {}, true, {1, 1}, std::sqrt(2.0)},
        {"C3", {{0, 0}, {1, 1}, {2, 2}}, {}, false, {}, 0},
        {"C5", {{0, 0}, {4, 0}, {0, 3}}, {}, true, {1, 1}, 1},
        {"C5", {{0, 0}, {0.005, 0}, {0, 3}}, {}, false, {}, 0},
        {"C6", {{0, 0}, {4, 0}, {0, 3}}, {}, true, {6, 6}, 6},
        {"C6", {{0, 0}, {4, 0}, {4.005, 0}}, {}, false, {}, 0},
        {"C7", {{0, 0}, {4, 0}, {0, 3}}, {}, true, {1, 0.75}, 1.25},
        {"C7", {{0, 0}, {1, 0}, {3, 0}}, {}, false, {}, 0},
    };
    for (const Row& row : rows) {
        TestFigure t;
        std::vector<ObjectRef> in;
        for (XY p : row.points) in.push_back(t.Free(p.x, p.y));
        for (double v : row.numbers) in.push_back(t.Number(v));
        const ObjectRef c = t.Make1(row.code, in);
        t.Recompute();
        SCOPED_TRACE(row.code);
        ASSERT_EQ(t.Cr(c).exists != 0, row.defined);
        if (!row.defined) continue;
        EXPECT_NEAR(t.Cr(c).cx, row.centre.x, kEps);
        EXPECT_NEAR(t.Cr(c).cy, row.centre.y, kEps);
        EXPECT_NEAR(t.Cr(c).r, row.r, kEps);
    }
}

TEST(CircleCodes, DiameterUsesTheStoredPoints) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 0);
    const ObjectRef seg = t.Make1("L1", {a, b});
    const ObjectRef bis = t.Make1("L4", {seg});
    const ObjectRef onSeg = t.Make1("C4", {seg});
    const ObjectRef onBis = t.Make1("C4", {bis});  // both points are the midpoint
    t.Recompute();
    EXPECT_NEAR(t.Cr(onSeg).cx, 2, kEps);
    EXPECT_NEAR(t.Cr(onSeg).cy, 0, kEps);
    EXPECT_NEAR(t.Cr(onSeg).r, 2, kEps);
    ASSERT_TRUE(t.Cr(onBis).exists);
    EXPECT_EQ(t.Cr(onBis).r, 0);
    EXPECT_NEAR(t.Cr(onBis).cx, 2, kEps);
}

struct Triangle {
    const char* label;
    XY a, b, c;
};

void PrintTo(const Triangle& v, std::ostream* os) {
    *os << v.label;
}

class TriangleCircles : public ::testing::TestWithParam<Triangle> {};

TEST_P(TriangleCircles, CirclesOfATriangle) {
    const Triangle& tri = GetParam();
    TestFigure t;
    const ObjectRef a = t.Free(tri.a.x, tri.a.y), b = t.Free(tri.b.x, tri.b.y),
                    c = t.Free(tri.c.x, tri.c.y);
    const ObjectRef circum = t.Make1("C3", {a, b, c});
    const ObjectRef in = t.Make1("C5", {a, b, c});
    const ObjectRef ex = t.Make1("C6", {a, b, c});
    const ObjectRef nine = t.Make1("C7", {a, b, c});
    t.Recompute();
    const XY A = tri.a, B = tri.b, C = tri.c;
    for (ObjectRef k : {circum, in, ex, nine}) ASSERT_TRUE(t.Cr(k).exists);

    const CircleRecord& k3 = t.Cr(circum);
    const XY O{k3.cx, k3.cy};
    for (XY v : {A, B, C}) EXPECT_NEAR(Dist(O, v), k3.r, 1e-9);

    // Inradius = area / semiperimeter, and the incircle touches every side.
    const CircleRecord& k5 = t.Cr(in);
    const XY I{k5.cx, k5.cy};
    const double area = std::fabs(Cross(A, B, C)) / 2;
    const double semi = (Dist(A, B) + Dist(B, C) + Dist(C, A)) / 2;
    EXPECT_NEAR(k5.r, area / semi, 1e-9);
    EXPECT_NEAR(DistToLine(B, C, I), k5.r, 1e-9);
    EXPECT_NEAR(DistToLine(C, A, I), k5.r, 1e-9);

    // The excircle touches the three side lines; its radius is area / (s - a).
    const CircleRecord& k6 = t.Cr(ex);
    const XY E{k6.cx, k6.cy};
    EXPECT_NEAR(k6.r, area / (semi - Dist(B, C)), 1e-7);
    EXPECT_NEAR(DistToLine(A, B, E), k6.r, 1e-7);
    EXPECT_NEAR(DistToLine(C, A, E), k6.r, 1e-7);

    // The nine-point circle: half the circumradius, through the midpoints and the feet of
    // the altitudes.
    const CircleRecord& k7 = t.Cr(nine);
    const XY N{k7.cx, k7.cy};
    EXPECT_NEAR(k7.r, k3.r / 2, 1e-9);
    auto foot = [](XY p, XY q, XY v) {
        const double s = ((v.x - p.x) * (q.x - p.x) + (v.y - p.y) * (q.y - p.y)) /
                         ((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y));
        return XY{p.x + s * (q.x - p.x), p.y + s * (q.y - p.y)};
    };
    const XY on[] = {{(A.x + B.x) / 2, (A.y + B.y) / 2},
                     {(B.x + C.x) / 2, (B.y + C.y) / 2},
                     {(C.x + A.x) / 2, (C.y + A.y) / 2},
                     foot(B, C, A),
                     foot(C, A, B),
                     foot(A, B, C)};
    for (XY v : on) EXPECT_NEAR(Dist(N, v), k7.r, 1e-8);
}

INSTANTIATE_TEST_SUITE_P(Triangles, TriangleCircles,
                         ::testing::Values(Triangle{"right", {0, 0}, {4, 0}, {0, 3}},
                                           Triangle{"obtuse", {0, 0}, {6, 0}, {1, 1}},
                                           Triangle{"clockwise", {3, 3}, {-1, 4}, {0, -2}},
                                           Triangle{"large", {-40, 10}, {25, -30}, {10, 35}}),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace kv
