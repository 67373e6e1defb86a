#include "engine/recompute.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace kv {
namespace {

// A small builder: appends procedures with their inputs and fresh outputs.
struct Builder {
    Figure f;

    ObjectRef FreePoint(double x, double y) {
        const int p = AppendProcedure(f, "PNEW");
        const ObjectRef pt{kKindPoint, static_cast<i16>(AppendObject(f, kKindPoint))};
        f.Points[pt.index].x = x;
        f.Points[pt.index].y = y;
        f.Points[pt.index].exists = kTrue;
        f.Points[pt.index].movable = kTrue;
        f.ProcOutput[p][1] = pt;
        return pt;
    }

    int Proc(const char* code, std::vector<ObjectRef> in, std::vector<ObjectRef> out) {
        const int p = AppendProcedure(f, code);
        for (size_t j = 0; j < in.size(); ++j) f.ProcInput[p][j + 1] = in[j];
        for (size_t j = 0; j < out.size(); ++j) f.ProcOutput[p][j + 1] = out[j];
        return p;
    }

    ObjectRef NewObject(i16 kind) { return {kind, static_cast<i16>(AppendObject(f, kind))}; }
};

TEST(ProcedureLevel, ByInputs) {
    Builder b;
    const ObjectRef a = b.FreePoint(0, 0);
    const ObjectRef c = b.FreePoint(1, 0);
    const ObjectRef m = b.NewObject(kKindPoint);
    const int p = b.Proc("P3", {a, c, a}, {m});
    EXPECT_EQ(ProcedureLevel(b.f, 1), -1);  // PNEW has no inputs

    b.f.Points[a.index].exists = 2;
    b.f.Points[c.index].exists = 2;
    EXPECT_EQ(ProcedureLevel(b.f, p), 2);  // every input unchanged
    b.f.Points[c.index].exists = -7;
    EXPECT_EQ(ProcedureLevel(b.f, p), -7);  // the most negative marker
    b.f.Points[a.index].exists = 0;
    EXPECT_EQ(ProcedureLevel(b.f, p), 0);  // an undefined input
    b.f.ProcInput[p][1] = {9, 1};          // a kind that names nothing reads as undefined
    EXPECT_EQ(ProcedureLevel(b.f, p), 0);
}

TEST(AnalyseDependencies, PassCounts) {
    {
        Figure f;  // empty list
        AnalyseDependencies(f, {}, Notifier{});
        EXPECT_EQ(f.RecomputePasses, 0);
    }
    {
        Builder b;  // an ordinary list: one pass
        const ObjectRef a = b.FreePoint(0, 0), c = b.FreePoint(2, 0), d = b.FreePoint(0, 2);
        b.Proc("P3", {a, c, d}, {b.NewObject(kKindPoint)});
        AnalyseDependencies(b.f, {}, Notifier{});
        EXPECT_EQ(b.f.RecomputePasses, 1);
        EXPECT_EQ(b.f.ProcState[1], -1);
        EXPECT_EQ(b.f.ProcState[4], -3);  // marked by the last free point, the third procedure
    }
    {
        Builder b;  // one tied point adds a pass
        b.FreePoint(0, 0);
        const ObjectRef t = b.FreePoint(1, 1);
        b.f.Points[t.index].bindKind = 1;
        b.f.Points[t.index].bindIndex = 1;
        AnalyseDependencies(b.f, {}, Notifier{});
        EXPECT_EQ(b.f.RecomputePasses, 2);
    }
    {
        Figure f;  // a tied point alone still counts, with an empty list
        const int pt = AppendObject(f, kKindPoint);
        f.Points[pt].movable = kTrue;
        f.Points[pt].bindKind = 1;
        f.Points[pt].bindIndex = 1;
        AnalyseDependencies(f, {}, Notifier{});
        EXPECT_EQ(f.RecomputePasses, 1);
    }
}

TEST(AnalyseDependencies, AForwardReferenceAddsARound) {
    Builder b;
    const ObjectRef a = b.FreePoint(0, 0);
    const ObjectRef c = b.FreePoint(2, 0);
    const ObjectRef later = b.NewObject(kKindPoint);  // made by procedure 4
    b.Proc("P3", {a, later, c}, {b.NewObject(kKindPoint)});
    b.Proc("P3", {a, c, a}, {later});
    for (int i = 1; i <= b.f.ObjectCount[1]; ++i) b.f.Points[i].exists = kTrue;
    AnalyseDependencies(b.f, {}, Notifier{});
    EXPECT_EQ(b.f.RecomputePasses, 2);
    EXPECT_EQ(b.f.ProcState[3], -4);  // depends on procedure 4's output
}

TEST(AnalyseDependencies, UndefinedInputsPropagateDownTheList) {
    Builder b;
    const ObjectRef a = b.FreePoint(0, 0);
    const ObjectRef gone = b.NewObject(kKindPoint);  // never produced: undefined
    const ObjectRef m = b.NewObject(kKindPoint);
    const ObjectRef n = b.NewObject(kKindNumber);
    b.Proc("P3", {a, gone, a}, {m});
    b.Proc("ND2P", {m, a}, {n});
    b.f.Numbers[n.index].exists = kTrue;
    AnalyseDependencies(b.f, {}, Notifier{});
    EXPECT_EQ(b.f.ProcState[2], 0);
    EXPECT_EQ(b.f.ProcState[3], 0);
    EXPECT_EQ(b.f.Points[m.index].exists, 0);
    EXPECT_EQ(b.f.Numbers[n.index].exists, 0);
    EXPECT_NE(b.f.Points[a.index].exists, 0);
}

TEST(AnalyseDependencies, MovedPointsAreDefinedAndUnchangedProceduresSkipped) {
    Builder b;
    const ObjectRef a = b.FreePoint(0, 0);
    const ObjectRef m = b.NewObject(kKindPoint);
    const int p = b.Proc("P3", {a, a, a}, {m});
    b.f.Points[a.index].exists = 0;
    const ObjectRef moved[] = {a, {0, 0}, {kKindPoint, 99}};  // the list ends at (0, 0)
    AnalyseDependencies(b.f, moved, Notifier{});
    EXPECT_EQ(b.f.Points[a.index].exists, -1);
    EXPECT_EQ(b.f.ProcState[p], -1);

    // A procedure whose inputs all carry the "unchanged" marker is skipped by the recompute.
    b.f.ProcCode[1] = "XNEW";
    b.f.ProcInput[1][1] = {kKindPoint, static_cast<i16>(b.NewObject(kKindPoint).index)};
    b.f.Points[b.f.ProcInput[1][1].index].exists = 2;
    AnalyseDependencies(b.f, {}, Notifier{});
    EXPECT_EQ(b.f.ProcState[1], 2);
    EXPECT_EQ(b.f.Points[a.index].exists, 2);
    EXPECT_EQ(b.f.ProcState[p], 2);
}

TEST(AnalyseDependencies, ACyclicListFromADamagedFileStillEnds) {
    Builder b;
    const ObjectRef x = b.NewObject(kKindPoint), y = b.NewObject(kKindPoint);
    b.Proc("P3", {y, y, y}, {x});
    b.Proc("P3", {x, x, x}, {y});
    b.f.Points[x.index].exists = b.f.Points[y.index].exists = kTrue;
    AnalyseDependencies(b.f, {}, Notifier{});
    EXPECT_LE(b.f.RecomputePasses, b.f.ProcedureCount + 2);
    RecomputeAll(b.f, Notifier{});
}

// Procedure k uses the output of procedure k + 1, and the last one has an input that nothing
// produces: each analysis round carries the undefined value one link further up the list.
static std::vector<ObjectRef> UndefinedChain(Builder& b, int length) {
    const ObjectRef a = b.FreePoint(0, 0);
    const ObjectRef c = b.FreePoint(2, 0);
    const ObjectRef gone = b.NewObject(kKindPoint);
    std::vector<ObjectRef> out;
    for (int k = 0; k < length; ++k) out.push_back(b.NewObject(kKindPoint));
    for (int k = 0; k + 1 < length; ++k) b.Proc("P3", {a, out[k + 1], c}, {out[k]});
    b.Proc("P3", {a, gone, c}, {out.back()});
    for (const ObjectRef& p : out) b.f.Points[p.index].exists = kTrue;
    return out;
}

TEST(AnalyseDependencies, ChainsOfForwardReferencesSettleWithinTheWorkBound) {
    {
        // A short chain settles fully: every link ends undefined.
        Builder b;
        const std::vector<ObjectRef> out = UndefinedChain(b, 20);
        AnalyseDependencies(b.f, {}, Notifier{});
        EXPECT_GE(b.f.RecomputePasses, 20);
        RecomputeAll(b.f, Notifier{});
        for (const ObjectRef& p : out) EXPECT_EQ(b.f.Points[p.index].exists, 0) << p.index;
        EXPECT_NE(b.f.Points[1].exists, 0);
    }
    {
        // A chain as long as a hand-made file can make is cut off at the work bound instead of
        // costing the square of its length on every redraw.
        Builder b;
        UndefinedChain(b, 30000);
        AnalyseDependencies(b.f, {}, Notifier{});
        EXPECT_GE(b.f.RecomputePasses, 2);
        EXPECT_LE(b.f.RecomputePasses, 20);
        RecomputeAll(b.f, Notifier{});
    }
}

TEST(RecomputeFigure, FreePointsKeepTheirPlaceAndTheSnapshotFollows) {
    Builder b;
    const ObjectRef a = b.FreePoint(3, 4);
    b.f.Points[a.index].exists = 5;  // any non-zero value reads as defined and is normalised
    RecomputeFigure(b.f, Notifier{});
    EXPECT_EQ(b.f.Points[a.index].x, 3);
    EXPECT_EQ(b.f.Points[a.index].exists, -1);
    EXPECT_EQ(b.f.SavedPoints[a.index].y, 4);
    EXPECT_EQ(b.f.CurrentProcedure, 1);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// A point tied to a circle of radius 0 cannot be placed; the driver must not make it defined
// again just because the circle itself is defined.
TEST(TiedPoints, AFailedPlacementStaysUndefined) {
    Builder b;
    const ObjectRef o = b.FreePoint(0, 0);
    const ObjectRef c = b.NewObject(kKindCircle);
    b.Proc("C2", {o, o}, {c});
    const ObjectRef t = b.FreePoint(1, 0);
    b.f.Points[t.index].bindKind = kKindCircle;
    b.f.Points[t.index].bindIndex = c.index;
    RecomputeFigure(b.f, Notifier{});
    ASSERT_NE(b.f.Circles[c.index].exists, 0);
    EXPECT_EQ(b.f.Circles[c.index].r, 0);
    EXPECT_EQ(b.f.Points[t.index].exists, 0);

    // Once the circle has a radius again the point comes back.
    b.f.ProcInput[2][2] = t;
    b.f.ProcCode[2] = "C2";
    const ObjectRef q = b.FreePoint(3, 0);
    b.f.ProcInput[2][2] = q;
    RecomputeFigure(b.f, Notifier{});
    EXPECT_NE(b.f.Points[t.index].exists, 0);
    EXPECT_NEAR(std::hypot(b.f.Points[t.index].x, b.f.Points[t.index].y), 3, 1e-9);
}

}  // namespace
}  // namespace kv
