#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "engine/constants.h"
#include "support/test_figure.h"

namespace kv {
namespace {

constexpr double kEps = 1e-9;

struct Triangle {
    const char* label;
    XY a, b, c;
};

void PrintTo(const Triangle& v, std::ostream* os) {
    *os << v.label;
}

class TriangleCentres : public ::testing::TestWithParam<Triangle> {};

// Every centre of one triangle, built as the menu commands would build them.
struct Centres {
    TestFigure t;
    ObjectRef a, b, c, o, i, g, h, e, n;
    explicit Centres(const Triangle& tri) {
        a = t.Free(tri.a.x, tri.a.y);
        b = t.Free(tri.b.x, tri.b.y);
        c = t.Free(tri.c.x, tri.c.y);
        o = t.Make1("P1", {a, b, c});
        i = t.Make1("P2", {a, b, c});
        g = t.Make1("P3", {a, b, c});
        h = t.Make1("P4", {a, b, c});
        e = t.Make1("P5", {a, b, c});
        n = t.Make1("P6", {a, b, c});
        t.Recompute();
    }
    XY P(ObjectRef r) { return At(t.Pt(r)); }
};

TEST_P(TriangleCentres, EachCentreHasItsDefiningProperty) {
    Centres s(GetParam());
    const XY A = s.P(s.a), B = s.P(s.b), C = s.P(s.c);
    for (ObjectRef r : {s.o, s.i, s.g, s.h, s.e, s.n}) ASSERT_TRUE(s.t.Pt(r).exists);

    // Circumcentre: equidistant from the vertices.
    const XY O = s.P(s.o);
    EXPECT_NEAR(Dist(O, A), Dist(O, B), kEps);
    EXPECT_NEAR(Dist(O, A), Dist(O, C), kEps);

    // Incentre: equidistant from the three sides, inside the triangle.
    const XY I = s.P(s.i);
    const double r = DistToLine(A, B, I);
    EXPECT_NEAR(DistToLine(B, C, I), r, kEps);
    EXPECT_NEAR(DistToLine(C, A, I), r, kEps);
    const double turn = Cross(A, B, C);
    EXPECT_GT(Cross(A, B, I) * turn, 0);
    EXPECT_GT(Cross(B, C, I) * turn, 0);
    EXPECT_GT(Cross(C, A, I) * turn, 0);

    // Orthocentre: AH is perpendicular to BC and BH to CA.
    const XY H = s.P(s.h);
    EXPECT_NEAR((H.x - A.x) * (C.x - B.x) + (H.y - A.y) * (C.y - B.y), 0, 1e-7);
    EXPECT_NEAR((H.x - B.x) * (A.x - C.x) + (H.y - B.y) * (A.y - C.y), 0, 1e-7);

    // Euler line: the centroid divides OH in the ratio 1 : 2, the nine-point centre halves it.
    const XY G = s.P(s.g), N = s.P(s.n);
    EXPECT_NEAR(H.x - O.x, 3 * (G.x - O.x), 1e-7);
    EXPECT_NEAR(H.y - O.y, 3 * (G.y - O.y), 1e-7);
    EXPECT_NEAR(N.x, (O.x + H.x) / 2, 1e-7);
    EXPECT_NEAR(N.y, (O.y + H.y) / 2, 1e-7);

    // Excentre opposite A: equidistant from the three side lines, on the far side of BC from A
    // and on the same side of AB and AC as the triangle.
    const XY E = s.P(s.e);
    const double re = DistToLine(B, C, E);
    EXPECT_NEAR(DistToLine(A, B, E), re, 1e-7);
    EXPECT_NEAR(DistToLine(C, A, E), re, 1e-7);
    EXPECT_LT(Cross(B, C, E) * Cross(B, C, A), 0);
    EXPECT_GT(Cross(A, B, E) * Cross(A, B, C), 0);
    EXPECT_GT(Cross(C, A, E) * Cross(C, A, B), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Triangles, TriangleCentres,
    ::testing::Values(Triangle{"right", {0, 0}, {4, 0}, {0, 3}},
                      Triangle{"obtuse", {0, 0}, {6, 0}, {1, 1}},
                      Triangle{"clockwise", {0, 0}, {0, 3}, {4, 0}},
                      Triangle{"far", {-50, 20}, {30, -10}, {5, 40}},
                      Triangle{"small", {0, 0}, {0.5, 0}, {0.2, 0.3}},
                      Triangle{"equilateral", {0, 0}, {2, 0}, {1, 1.7320508075688772}}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(TriangleCentres, KnownPositionsAndDegenerateTriangles) {
    {
        Centres s({"", {0, 0}, {4, 0}, {0, 3}});
        EXPECT_NEAR(s.P(s.i).x, 1, kEps);
        EXPECT_NEAR(s.P(s.i).y, 1, kEps);
        EXPECT_NEAR(s.P(s.e).x, 6, kEps);
        EXPECT_NEAR(s.P(s.e).y, 6, kEps);
    }
    {
        Centres s({"", {0, 0}, {1, 1}, {3, 3}});  // collinear
        EXPECT_FALSE(s.t.Pt(s.o).exists);
        EXPECT_FALSE(s.t.Pt(s.n).exists);
        ASSERT_TRUE(s.t.Pt(s.g).exists);
        EXPECT_NEAR(s.P(s.g).x, 4.0 / 3, kEps);
        EXPECT_NEAR(s.P(s.g).y, 4.0 / 3, kEps);
    }
    {
        Centres s({"", {0, 0}, {0.009, 0}, {0, 3}});  // A within 0.01 of B
        EXPECT_FALSE(s.t.Pt(s.o).exists);
    }
    {
        Centres s({"", {2, 1}, {2, 1}, {2, 1}});  // three coincident points
        ASSERT_TRUE(s.t.Pt(s.i).exists);
        EXPECT_DOUBLE_EQ(s.P(s.i).x, 2);
        EXPECT_DOUBLE_EQ(s.P(s.i).y, 1);
    }
}

struct DivisionRow {
    double m, n;
    bool defined;
    XY expected;  // P = (0, 0), Q = (4, 2)
};

TEST(Division, WeightsGiveTheRatio) {
    const DivisionRow rows[] = {
        {1, 1, true, {2, 1}},   // midpoint
        {1, -1, false, {}},     // weights cancel
        {2, -1, true, {8, 4}},  // Q + (Q - P)
        {2, 1, true, {8.0 / 3, 4.0 / 3}},
        {0, 1, true, {0, 0}},
    };
    for (const DivisionRow& row : rows) {
        TestFigure t;
        const ObjectRef p = t.Free(0, 0), q = t.Free(4, 2);
        const ObjectRef r = t.Make1("PN", {p, q, t.Number(row.m), t.Number(row.n)});
        t.Recompute();
        SCOPED_TRACE(testing::Message() << "m=" << row.m << " n=" << row.n);
        ASSERT_EQ(t.Pt(r).exists != 0, row.defined);
        if (!row.defined) continue;
        EXPECT_NEAR(t.Pt(r).x, row.expected.x, kEps);
        EXPECT_NEAR(t.Pt(r).y, row.expected.y, kEps);
    }
}

TEST(Extension, FactorOrOneWhenTheSlotIsEmpty) {
    struct Row {
        bool hasFactor;
        double k;
        XY expected;  // P = (1, 1), Q = (3, 2)
    };
    const Row rows[] = {
        {false, 0, {5, 3}},  // the menu command leaves the factor out: k = 1
        {true, 0, {3, 2}},   // Q
        {true, -1, {1, 1}},  // P
        {true, 2.5, {8, 4.5}},
    };
    for (const Row& row : rows) {
        TestFigure t;
        const ObjectRef p = t.Free(1, 1), q = t.Free(3, 2);
        std::vector<ObjectRef> in{p, q};
        if (row.hasFactor) in.push_back(t.Number(row.k));
        const ObjectRef r = t.Make1("PEXT", in);
        t.Recompute();
        ASSERT_TRUE(t.Pt(r).exists);
        EXPECT_NEAR(t.Pt(r).x, row.expected.x, kEps);
        EXPECT_NEAR(t.Pt(r).y, row.expected.y, kEps);
    }
    // An undefined factor is an undefined input, not a missing one.
    TestFigure t;
    const ObjectRef k = t.Number(2);
    const ObjectRef r = t.Make1("PEXT", {t.Free(0, 0), t.Free(1, 0), k});
    t.Nm(k).exists = 0;
    t.Recompute();
    EXPECT_FALSE(t.Pt(r).exists);
}

TEST(Transformations, RotationKeepsDistanceAndTurnsByTheAngle) {
    for (double theta : {90.0, -45.0, 180.0, 30.0, 400.0}) {
        TestFigure t;
        const ObjectRef p = t.Free(3, 1), o = t.Free(1, -1);
        const ObjectRef r = t.Make1("PT1", {p, o, t.Number(theta)});
        t.Recompute();
        const XY P = At(t.Pt(p)), O = At(t.Pt(o)), R = At(t.Pt(r));
        EXPECT_NEAR(Dist(O, R), Dist(O, P), kEps);
        const double turned =
            std::atan2(Cross(O, P, R), (P.x - O.x) * (R.x - O.x) + (P.y - O.y) * (R.y - O.y));
        EXPECT_NEAR(std::remainder(turned - DegToRad(theta), 2 * kPi), 0, 1e-9) << theta;
    }
    TestFigure t;
    const ObjectRef r = t.Make1("PT1", {t.Free(1, 0), t.Free(0, 0), t.Number(90)});
    t.Recompute();
    EXPECT_NEAR(t.Pt(r).x, 0, 1e-12);
    EXPECT_NEAR(t.Pt(r).y, 1, 1e-12);
}

TEST(Transformations, MirrorInLineAndInPoint) {
    TestFigure t;
    const ObjectRef a = t.Free(-1, 0), b = t.Free(3, 2);
    const ObjectRef line = t.Make1("L1", {a, b});
    const ObjectRef p = t.Free(0, 4), onLine = t.Free(1, 1);
    const ObjectRef m = t.Make1("PT2", {p, line});
    const ObjectRef same = t.Make1("PT2", {onLine, line});
    const ObjectRef half = t.Make1("PT3", {p, b});
    t.Recompute();
    const XY P = At(t.Pt(p)), M = At(t.Pt(m)), A = At(t.Pt(a)), B = At(t.Pt(b));
    // The line is the perpendicular bisector of P and its image.
    EXPECT_NEAR(DistToLine(A, B, {(P.x + M.x) / 2, (P.y + M.y) / 2}), 0, kEps);
    EXPECT_NEAR((M.x - P.x) * (B.x - A.x) + (M.y - P.y) * (B.y - A.y), 0, kEps);
    EXPECT_NEAR(Dist(At(t.Pt(same)), At(t.Pt(onLine))), 0, kEps);
    EXPECT_NEAR(t.Pt(half).x, 6, kEps);
    EXPECT_NEAR(t.Pt(half).y, 0, kEps);
}

TEST(Transformations, InversionInACircle) {
    TestFigure t;
    const ObjectRef o = t.Free(1, 2);
    const ObjectRef circle = t.Make1("C1", {o, t.Number(3)});
    const XY samples[] = {{5, 2}, {1.5, 2.5}, {-3, 7}, {1, 2.2}, {4, 2}};
    std::vector<std::pair<ObjectRef, ObjectRef>> pairs;
    for (XY s : samples) {
        const ObjectRef p = t.Free(s.x, s.y);
        pairs.emplace_back(p, t.Make1("PT4", {p, circle}));
    }
    const ObjectRef centre = t.Make1("PT4", {o, circle});
    t.Recompute();
    const XY O = At(t.Pt(o));
    for (auto [p, q] : pairs) {
        ASSERT_TRUE(t.Pt(q).exists);
        const XY P = At(t.Pt(p)), Q = At(t.Pt(q));
        EXPECT_NEAR(Dist(O, P) * Dist(O, Q), 9, 1e-9);  // |OP|·|OP'| = r²
        EXPECT_NEAR(Cross(O, P, Q), 0, 1e-9);           // on the ray OP
        EXPECT_GT((P.x - O.x) * (Q.x - O.x) + (P.y - O.y) * (Q.y - O.y), 0);
    }
    // A point on the circle is its own image; the centre has none.
    EXPECT_NEAR(t.Pt(pairs.back().second).x, 4, 1e-12);
    EXPECT_FALSE(t.Pt(centre).exists);
}

// Points read as complex numbers, against std::complex.
using Cx = std::complex<double>;
Cx AsComplex(const PointRecord& p) {
    return {p.x, p.y};
}

TEST(ComplexPoints, ArithmeticMatchesStdComplex) {
    const Cx values[] = {{3, 4}, {-1.5, 2}, {0.25, -0.75}, {-2, -3}, {0, 2}, {7, 0}};
    for (Cx z : values) {
        for (Cx w : values) {
            TestFigure t;
            const ObjectRef pz = t.Free(z.real(), z.imag()), pw = t.Free(w.real(), w.imag());
            const ObjectRef sum = t.Make1("PO+", {pz, pw}), diff = t.Make1("PO-", {pz, pw});
            const ObjectRef prod = t.Make1("PO*", {pz, pw}), quot = t.Make1("PO/", {pz, pw});
            const ObjectRef inv = t.Make1("PO-1", {pz});
            t.Recompute();
            SCOPED_TRACE(testing::Message() << z << " " << w);
            EXPECT_LT(std::abs(AsComplex(t.Pt(sum)) - (z + w)), 1e-12);
            EXPECT_LT(std::abs(AsComplex(t.Pt(diff)) - (z - w)), 1e-12);
            EXPECT_LT(std::abs(AsComplex(t.Pt(prod)) - z * w), 1e-12);
            EXPECT_LT(std::abs(AsComplex(t.Pt(quot)) - z / w), 1e-12);
            EXPECT_LT(std::abs(AsComplex(t.Pt(inv)) - 1.0 / z), 1e-12);
        }
    }
}

TEST(ComplexPoints, DivisionByPointsNearTheOrigin) {
    TestFigure t;
    const ObjectRef z = t.Free(1, 1);
    const ObjectRef tiny = t.Free(0.005, 0.005), edge = t.Free(0.005, 0.01), i2 = t.Free(0, 2);
    const ObjectRef q1 = t.Make1("PO/", {z, tiny}), q2 = t.Make1("PO/", {z, edge});
    const ObjectRef r1 = t.Make1("PO-1", {tiny}), r2 = t.Make1("PO-1", {i2});
    t.Recompute();
    EXPECT_FALSE(t.Pt(q1).exists);
    EXPECT_TRUE(t.Pt(q2).exists);  // only one coordinate needs to reach 0.01
    EXPECT_FALSE(t.Pt(r1).exists);
    EXPECT_NEAR(t.Pt(r2).x, 0, 1e-15);
    EXPECT_NEAR(t.Pt(r2).y, -0.5, 1e-15);
}

// The argument of a power lies in [0, 2π), which picks the branch of non-integer powers.
double ArgumentFromZero(Cx z) {
    const double a = std::arg(z);
    return a < 0 ? a + 2 * std::numbers::pi : a;
}

TEST(ComplexPoints, PowerFollowsTheArgumentRule) {
    struct Row {
        Cx z;
        double n;
    };
    const Row rows[] = {{{0, 1}, 2},         {{3, 4}, 3},    {{-1, -1}, 0.5},    {{1, -1}, 0.5},
                        {{1, -1}, 1.5},      {{-2, 0}, 0.5}, {{0, -3}, 1.0 / 3}, {{2, 1}, -2},
                        {{-0.5, 0.2}, -1.5}, {{5, 0}, 0.3}};
    for (const Row& row : rows) {
        TestFigure t;
        const ObjectRef z = t.Free(row.z.real(), row.z.imag());
        const ObjectRef r = t.Make1("PO^", {z, t.Number(row.n)});
        t.Recompute();
        SCOPED_TRACE(testing::Message() << row.z << " ^ " << row.n);
        ASSERT_TRUE(t.Pt(r).exists);
        const Cx expected =
            std::polar(std::pow(std::abs(row.z), row.n), ArgumentFromZero(row.z) * row.n);
        EXPECT_LT(std::abs(AsComplex(t.Pt(r)) - expected),
                  1e-9 * std::max(1.0, std::abs(expected)));
        if (row.n == std::round(row.n)) {  // integer powers have one value
            EXPECT_LT(std::abs(AsComplex(t.Pt(r)) - std::pow(row.z, row.n)), 1e-9);
        }
    }
    // In the lower half-plane the rule gives the other square root than the principal one.
    TestFigure t;
    const ObjectRef r = t.Make1("PO^", {t.Free(0, -4), t.Number(0.5)});
    t.Recompute();
    EXPECT_NEAR(t.Pt(r).x, -std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(t.Pt(r).y, std::sqrt(2.0), 1e-9);
}

TEST(ComplexPoints, PowersOfTheOrigin) {
    TestFigure t;
    const ObjectRef o = t.Free(0, 0);
    const ObjectRef neg = t.Make1("PO^", {o, t.Number(-1)});
    const ObjectRef zero = t.Make1("PO^", {o, t.Number(0)});
    const ObjectRef pos = t.Make1("PO^", {o, t.Number(2)});
    t.Recompute();
    EXPECT_FALSE(t.Pt(neg).exists);  // not finite
    ASSERT_TRUE(t.Pt(zero).exists);
    EXPECT_EQ(t.Pt(zero).x, 1);
    ASSERT_TRUE(t.Pt(pos).exists);
    EXPECT_EQ(t.Pt(pos).x, 0);
}

TEST(PointCodes, IntersectionsLieOnBothCurves) {
    TestFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(4, 1), c = t.Free(1, 3), d = t.Free(2, -2);
    const ObjectRef ab = t.Make1("L1", {a, b}), cd = t.Make1("L1", {c, d});
    const ObjectRef x = t.Make1("PC1", {ab, cd});
    const ObjectRef k1 = t.Make1("C2", {c, a}), k2 = t.Make1("C2", {d, b});
    const auto lc = t.Make("PC2", {ab, k1});
    const auto cc = t.Make("PC3", {k1, k2});
    const ObjectRef parallel = t.Make1("L2", {ab, c});
    const ObjectRef none = t.Make1("PC1", {ab, parallel});
    t.Recompute();
    const XY A = At(t.Pt(a)), B = At(t.Pt(b)), C = At(t.Pt(c)), D = At(t.Pt(d));
    ASSERT_TRUE(t.Pt(x).exists);
    EXPECT_NEAR(DistToLine(A, B, At(t.Pt(x))), 0, kEps);
    EXPECT_NEAR(DistToLine(C, D, At(t.Pt(x))), 0, kEps);
    for (ObjectRef p : lc) {
        ASSERT_TRUE(t.Pt(p).exists);
        EXPECT_NEAR(DistToLine(A, B, At(t.Pt(p))), 0, kEps);
        EXPECT_NEAR(Dist(C, At(t.Pt(p))), t.Cr(k1).r, kEps);
    }
    for (ObjectRef p : cc) {
        ASSERT_TRUE(t.Pt(p).exists);
        EXPECT_NEAR(Dist(C, At(t.Pt(p))), t.Cr(k1).r, kEps);
        EXPECT_NEAR(Dist(D, At(t.Pt(p))), t.Cr(k2).r, kEps);
    }
    EXPECT_GT(Dist(At(t.Pt(cc[0])), At(t.Pt(cc[1]))), 0.1);
    EXPECT_FALSE(t.Pt(none).exists);
}

TEST(PointCodes, CoordinatesFromNumbersAndCodesWithoutComputation) {
    TestFigure t;
    const ObjectRef x = t.Number(2.5), y = t.Number(-1);
    const ObjectRef p = t.Make1("PXY", {x, y});
    const ObjectRef free = t.Free(7, 8);
    const ObjectRef bnd = t.Make1("PBND", {});
    t.Pt(bnd).x = 9;
    t.Recompute();
    EXPECT_TRUE(t.Pt(p).exists);
    EXPECT_EQ(t.Pt(p).x, 2.5);
    EXPECT_EQ(t.Pt(p).y, -1);
    EXPECT_EQ(t.Pt(free).x, 7);  // PNEW leaves the user's position alone
    EXPECT_EQ(t.Pt(bnd).x, 9);   // PBND computes nothing of its own

    t.Nm(y).exists = 0;  // an undefined coordinate
    t.Recompute();
    EXPECT_FALSE(t.Pt(p).exists);
}

}  // namespace
}  // namespace kv
