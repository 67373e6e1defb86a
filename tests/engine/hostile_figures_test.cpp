// Figures no construction in the window makes but a hand-made file can hold: values at the edge
// of the doubles, long chains of forward references, thousands of failing measurements. Each
// must recompute quickly, show a problem once, and keep every stored value finite.

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/evaluators.h"
#include "engine/recompute.h"
#include "support/test_figure.h"

namespace kv {
namespace {

// Tied points whose placement overflows: they become undefined and keep the parameter they had.
// The lines and circles are stored as a hand-made file holds them, with no procedure behind.
struct OverflowRow {
    const char* what;
    i16 form;       // the line's display form; -1 for a circle of radius 1e308 about the origin
    double x1, x2;  // the line's stored points lie on the x axis, its direction is (1, 0)
    double param;
};

class TiedOverflow : public ::testing::TestWithParam<OverflowRow> {};

TEST_P(TiedOverflow, LeavesThePointUndefinedWithItsParameter) {
    const OverflowRow& row = GetParam();
    TestFigure t;
    ObjectRef on;
    if (row.form < 0) {
        on = t.NewObject(kKindCircle);
        t.Cr(on) = {};
        t.Cr(on).r = 1e308;
        t.Cr(on).exists = kTrue;
    } else {
        on = t.NewObject(kKindLine);
        LineRecord& l = t.Ln(on);
        l.x1 = row.x1;
        l.x2 = row.x2;
        l.dx = 1;
        l.form = row.form;
        l.exists = kTrue;
    }
    const ObjectRef p = t.Tied(on, row.param);
    t.Recompute();
    EXPECT_EQ(t.Pt(p).exists, 0) << row.what;
    EXPECT_EQ(t.Pt(p).param, row.param) << row.what;
    EXPECT_TRUE(std::isfinite(t.Pt(p).x) && std::isfinite(t.Pt(p).y)) << row.what;

    // Dragged far out, it gets no parameter either.
    t.MoveTo(p, 0.5e308, -1e308);
    ParamFromPosition(t.f, p.index);
    EXPECT_TRUE(std::isfinite(t.Pt(p).param)) << row.what;
}

INSTANTIATE_TEST_SUITE_P(
    Edges, TiedOverflow,
    ::testing::Values(OverflowRow{"circle, a parameter behind its start", -1, 0, 0, -1},
                      OverflowRow{"circle, a parameter ahead", -1, 0, 0, 5},
                      OverflowRow{"reversed half-line ending behind its base", 3, 1e308, -1e308, 0},
                      OverflowRow{"segment longer than the doubles reach", 1, -1e308, 1e308, 3}));

// A hand-made list whose every formula number reads the one after it: each round of the
// analysis settles one link only, and the rounds, with the passes they add, are held to the
// work they cost rather than to a count of procedures.
Figure ForwardFormulaChain(int n) {
    TestFigure t;
    const std::string one = "#" + std::to_string(t.Number(1).index);
    std::vector<ObjectRef> outs;
    for (int i = 1; i <= n; ++i) outs.push_back(t.Make1("CALC", {}));
    for (int i = 0; i + 1 < n; ++i) {
        t.f.ProcInput[i + 1][1] = outs[static_cast<size_t>(i) + 1];
        t.Nm(outs[static_cast<size_t>(i)]).formula =
            "#" + std::to_string(outs[static_cast<size_t>(i) + 1].index) + "+" + one;
    }
    t.Nm(outs.back()).formula = one;
    return std::move(t.f);
}

TEST(HostileFigures, AForwardChainIsBoundedByTheWorkOfItsPasses) {
    // Short chains settle completely: the first number counts the links.
    Figure small = ForwardFormulaChain(40);
    RecomputeFigure(small, Notifier{});
    EXPECT_EQ(small.Numbers[2].exists, kTrue);
    EXPECT_EQ(small.Numbers[2].value, 40);

    // A chain of the largest length a file can hold costs a few formula evaluations per
    // procedure, not dozens.
    Figure huge = ForwardFormulaChain(32700);
    AnalyseDependencies(huge, {}, Notifier{});
    EXPECT_GE(huge.RecomputePasses, 1);
    EXPECT_LE(static_cast<long>(huge.RecomputePasses) * huge.ProcedureCount, 4 * 32700L);
}

// Angles at vertices far out in the plane, where a rotation cannot be checked to the
// tolerance: every one of them meets "Error in Angle".
TEST(HostileFigures, ErrorInAngleIsShownOncePerRecompute) {
    TestFigure t;
    for (int i = 0; i < 200; ++i) {
        const double c = 1e15 + 8 * i;
        t.Make1("NA3+", {t.Free(c + 5, c + 5), t.Free(c, c), t.Free(c + 5, c + 2)});
    }
    t.Recompute();
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0], "Error in Angle");
    RecomputeAll(t.f, t.note);
    EXPECT_EQ(t.messages.size(), 2u);
}

}  // namespace
}  // namespace kv
