// Number codes evaluated through the driver. Lines and circles are set up as records of their
// own (no procedure makes them), so these checks do not lean on the line and circle codes.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "engine/constants.h"
#include "support/test_figure.h"

namespace kv {
namespace {

struct NumberFigure : TestFigure {
    ObjectRef Line(double x1, double y1, double x2, double y2) {
        const ObjectRef r = NewObject(kKindLine);
        LineRecord& l = Ln(r);
        l.x1 = x1;
        l.y1 = y1;
        l.x2 = x2;
        l.y2 = y2;
        const double len = std::hypot(x2 - x1, y2 - y1);
        l.dx = (x2 - x1) / len;
        l.dy = (y2 - y1) / len;
        l.exists = kTrue;
        return r;
    }
    // The line through (x, y) at `degrees` to the x axis.
    ObjectRef LineAt(double x, double y, double degrees) {
        const double a = degrees * std::numbers::pi / 180;
        return Line(x, y, x + std::cos(a), y + std::sin(a));
    }
    ObjectRef Circle(double cx, double cy, double r) {
        const ObjectRef c = NewObject(kKindCircle);
        Cr(c).cx = cx;
        Cr(c).cy = cy;
        Cr(c).r = r;
        Cr(c).exists = kTrue;
        return c;
    }
    // A measurement evaluated at once.
    const NumberRecord& Measure(std::string_view code, std::vector<ObjectRef> in) {
        const ObjectRef n = Make1(code, std::move(in));
        Recompute();
        return Nm(n);
    }
    double Value(std::string_view code, std::vector<ObjectRef> in) {
        const NumberRecord& n = Measure(code, std::move(in));
        EXPECT_NE(n.exists, 0) << code;
        return n.value;
    }
};

TEST(NumberDistances, BetweenPointsLinesAndCircles) {
    NumberFigure t;
    const ObjectRef o = t.Free(0, 0), p = t.Free(3, 4), inside = t.Free(0.5, 0);
    const ObjectRef xAxis = t.Line(0, 0, 1, 0), slant = t.Line(1, 0, 0, 1);
    const ObjectRef unit = t.Circle(0, 0, 1), far = t.Circle(5, 0, 1), up = t.Circle(0, 2, 1);
    const ObjectRef wide = t.Circle(0.5, 0, 2);
    EXPECT_DOUBLE_EQ(t.Value("ND2P", {o, p}), 5);
    EXPECT_DOUBLE_EQ(t.Value("ND2C", {unit, far}), 3);
    EXPECT_DOUBLE_EQ(t.Value("ND2C", {unit, wide}), 0);
    EXPECT_NEAR(t.Value("NDLC", {xAxis, up}), 1, 1e-12);
    EXPECT_NEAR(t.Value("NDLC", {xAxis, unit}), -1, 1e-12);
    EXPECT_DOUBLE_EQ(t.Value("NDPC", {inside, unit}), 0.5);
    EXPECT_DOUBLE_EQ(t.Value("NDPC", {inside, wide}), 2);
    EXPECT_DOUBLE_EQ(t.Value("NDPC", {p, far}), std::hypot(2, 4) - 1);
    EXPECT_NEAR(t.Value("NDPL", {p, xAxis}), 4, 1e-12);
    EXPECT_NEAR(t.Value("NDPL", {o, slant}), std::sqrt(0.5), 1e-12);
    EXPECT_DOUBLE_EQ(t.Value("NRC", {far}), 1);
    EXPECT_EQ(t.Value("NLC", {unit}), 6.28318530717958);
}

TEST(NumberDistances, ParallelLinesOfEitherDirection) {
    NumberFigure t;
    const ObjectRef base = t.Line(0, 0, 1, 0);
    EXPECT_NEAR(t.Value("ND2L", {base, t.Line(7, 2, 8, 2)}), 2, 1e-12);
    EXPECT_NEAR(t.Value("ND2L", {base, t.Line(8, 2, 7, 2)}), 2, 1e-12);
    EXPECT_NEAR(t.Value("ND2L", {t.Line(5, -1, 3, -1), base}), 1, 1e-12);
    // Within 0.01 per component of the direction the lines still count as parallel.
    EXPECT_NEAR(t.Value("ND2L", {base, t.LineAt(0, 3, 0.5)}), 3, 1e-12);
    EXPECT_NEAR(t.Value("ND2L", {base, t.LineAt(0, 3, 180.5)}), 3, 1e-12);
    // Lines that meet have no distance: 0, and the number still reads as defined.
    EXPECT_EQ(t.Value("ND2L", {base, t.LineAt(0, 3, 45)}), 0);
    EXPECT_EQ(t.Value("ND2L", {base, t.LineAt(0, 3, 2)}), 0);
}

struct AngleRow {
    double cx, cy;  // C; A = (1, 0), B = (0, 0)
    double signedDeg, unsignedDeg, fullTurnDeg;
};

class ThreePointAngles : public ::testing::TestWithParam<AngleRow> {};

TEST_P(ThreePointAngles, FromRayBAToRayBC) {
    const AngleRow& row = GetParam();
    NumberFigure t;
    const ObjectRef a = t.Free(1, 0), b = t.Free(0, 0), c = t.Free(row.cx, row.cy);
    EXPECT_NEAR(t.Value("NA3+", {a, b, c}), row.signedDeg, 1e-9);
    EXPECT_NEAR(t.Value("NA3P", {a, b, c}), row.unsignedDeg, 1e-9);
    EXPECT_NEAR(t.Value("NA3M", {a, b, c}), row.unsignedDeg, 1e-9);
    EXPECT_NEAR(t.Value("NA3*", {a, b, c}), row.fullTurnDeg, 1e-9);
    EXPECT_TRUE(t.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Turns, ThreePointAngles,
    ::testing::Values(AngleRow{0, 1, 90, 90, 90}, AngleRow{0, -1, -90, 90, 270},
                      AngleRow{1, 1, 45, 45, 45}, AngleRow{1, -1, -45, 45, 315},
                      AngleRow{-1, 1, 135, 135, 135}, AngleRow{-1, -1, -135, 135, 225},
                      AngleRow{-1, 0, 180, 180, 180}, AngleRow{2, 0, 0, 0, 0}));

TEST(NumberAngles, AVertexOnAnEndGivesZero) {
    NumberFigure t;
    const ObjectRef a = t.Free(0, 0), c = t.Free(0, 1);
    EXPECT_EQ(t.Value("NA3+", {a, a, c}), 0);
    EXPECT_EQ(t.Value("NA3*", {a, a, c}), 0);
}

TEST(NumberAngles, BetweenLinesFoldIntoZeroToNinety) {
    const double turns[][2] = {{0, 0},    {180, 0},  {30, 30},  {90, 90},
                               {120, 60}, {150, 30}, {-60, 60}, {270, 90}};
    for (const auto& row : turns) {
        NumberFigure t;
        EXPECT_NEAR(t.Value("NA2L", {t.LineAt(0, 0, 10), t.LineAt(3, 1, 10 + row[0])}), row[1],
                    1e-6)
            << row[0];
    }
}

TEST(NumberAreas, SignedFollowsOrientationUnsignedIsItsSize) {
    const double triangles[][6] = {{0, 0, 1, 0, 0, 1},   {0, 0, 0, 1, 1, 0},
                                   {0, 0, 4, 0, 0, 3},   {2, -1, -3, 5, 7, 2},
                                   {1, 1, 2, 2, 3, 3.5}, {-2, 0, 5, 0.1, 1, 6}};
    for (const auto& v : triangles) {
        NumberFigure t;
        const ObjectRef a = t.Free(v[0], v[1]), b = t.Free(v[2], v[3]), c = t.Free(v[4], v[5]);
        const double cross = (v[2] - v[0]) * (v[5] - v[1]) - (v[3] - v[1]) * (v[4] - v[0]);
        EXPECT_NEAR(t.Value("NAR+", {a, b, c}), cross / 2, 1e-12);
        EXPECT_NEAR(t.Value("NAR3", {a, b, c}), std::fabs(cross) / 2, 1e-9);
        EXPECT_NEAR(t.Value("NAR3", {c, b, a}), std::fabs(cross) / 2, 1e-9);
    }
    NumberFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(1, 0), c = t.Free(0, 1);
    EXPECT_DOUBLE_EQ(t.Value("NAR+", {a, b, c}), 0.5);
    EXPECT_DOUBLE_EQ(t.Value("NAR+", {a, c, b}), -0.5);
}

struct TangentRow {
    double degrees;
    bool defined;
};

class NumberTangents : public ::testing::TestWithParam<TangentRow> {};

TEST_P(NumberTangents, UndefinedOnlyAtThePoles) {
    NumberFigure t;
    const double d = GetParam().degrees;
    const NumberRecord& n = t.Measure("NTAN", {t.Number(d)});
    if (GetParam().defined) {
        EXPECT_NE(n.exists, 0);
        EXPECT_NEAR(n.value, std::tan(d * kPi / 180), 1e-12);
    } else {
        EXPECT_EQ(n.exists, 0);
        EXPECT_EQ(n.value, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Degrees, NumberTangents,
                         ::testing::Values(TangentRow{0, true}, TangentRow{0.3, true},
                                           TangentRow{0.6, true}, TangentRow{45, true},
                                           TangentRow{180, true}, TangentRow{-180, true},
                                           TangentRow{89.4, true}, TangentRow{89.5, false},
                                           TangentRow{90, false}, TangentRow{90.5, false},
                                           TangentRow{91.5, true}, TangentRow{-90, false},
                                           TangentRow{270, false}, TangentRow{-269.7, false},
                                           TangentRow{450, false}, TangentRow{360, true}));

TEST(NumberTrigonometry, SineAndCosineOfDegrees) {
    NumberFigure t;
    EXPECT_NEAR(t.Value("NSIN", {t.Number(30)}), 0.5, 1e-12);
    EXPECT_NEAR(t.Value("NCOS", {t.Number(60)}), 0.5, 1e-12);
    EXPECT_NEAR(t.Value("NSIN", {t.Number(-90)}), -1, 1e-12);
    EXPECT_NEAR(t.Value("NTAN", {t.Number(45)}), 1, 1e-12);
}

TEST(NumberUndefined, InputsPropagateThroughEveryFamilyOfInputs) {
    NumberFigure t;
    const ObjectRef a = t.Free(0, 0), b = t.Free(1, 0);
    const ObjectRef lost = t.NewObject(kKindPoint);  // made by nothing, never defined
    const ObjectRef line = t.Line(0, 0, 1, 0), gone = t.Line(0, 1, 1, 1);
    const ObjectRef circle = t.Circle(0, 0, 1), noCircle = t.Circle(3, 0, 1);
    t.Ln(gone).exists = 0;
    t.Cr(noCircle).exists = 0;
    const ObjectRef pole = t.Make1("NTAN", {t.Number(90)});
    const ObjectRef chain[] = {
        t.Make1("NSIN", {pole}),
        t.Make1("ND2P", {a, lost}),
        t.Make1("NDPL", {lost, line}),
        t.Make1("ND2L", {line, gone}),
        t.Make1("NA2L", {gone, line}),
        t.Make1("NDLC", {gone, circle}),
        t.Make1("ND2C", {circle, noCircle}),
        t.Make1("NRC", {noCircle}),
        t.Make1("NA3*", {a, b, lost}),
        t.Make1("NAR+", {lost, a, b}),
    };
    const ObjectRef next = t.Make1("NCOS", {chain[1]});
    t.Recompute();
    EXPECT_EQ(t.Nm(pole).exists, 0);
    for (const ObjectRef& n : chain) EXPECT_EQ(t.Nm(n).exists, 0) << n.index;
    EXPECT_EQ(t.Nm(next).exists, 0);
}

TEST(NumberUndefined, DamagedSlotsAndHugeResults) {
    NumberFigure t;
    const ObjectRef a = t.Free(0, 0);
    EXPECT_EQ(t.Measure("ND2P", {a, ObjectRef{kKindPoint, 500}}).exists, 0);
    EXPECT_EQ(t.Measure("ND2P", {a}).exists, 0);
    EXPECT_EQ(t.Measure("NLC", {t.Circle(0, 0, 1e308)}).exists, 0);
    EXPECT_EQ(t.Measure("NSIN", {t.Number(INFINITY)}).exists, 0);
}

// While a point is dragged only the driver's light recompute runs; a value that had no
// solution at one step must come back at the next one.
TEST(NumberDragging, ValuesComeBackAfterAPole) {
    NumberFigure t;
    const ObjectRef a = t.Free(1, 0), b = t.Free(0, 0), c = t.Free(1, 1);
    const ObjectRef angle = t.Make1("NA3+", {a, b, c});
    const ObjectRef tan = t.Make1("NTAN", {angle});
    const ObjectRef sine = t.Make1("NSIN", {tan});
    t.Recompute();
    EXPECT_NEAR(t.Nm(tan).value, 1, 1e-12);

    const ObjectRef moved[] = {c};
    AnalyseDependencies(t.f, moved, t.note);
    const double path[][3] = {{1, 2, 1}, {0, 1, 0}, {-1, 1, 1}, {1, 0.5, 1}};
    for (const auto& step : path) {
        TakeSnapshot(t.f);
        t.MoveTo(c, step[0], step[1]);
        RecomputeAll(t.f, t.note);
        const double deg = std::atan2(step[1], step[0]) * 180 / std::numbers::pi;
        EXPECT_EQ(t.Nm(tan).exists != 0, step[2] != 0) << deg;
        EXPECT_EQ(t.Nm(sine).exists != 0, step[2] != 0) << deg;
        if (step[2] != 0) {
            EXPECT_NEAR(t.Nm(tan).value, std::tan(deg * std::numbers::pi / 180), 1e-9);
        }
    }
}

}  // namespace
}  // namespace kv
