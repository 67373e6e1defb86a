#include "engine/recompute.h"

#include "engine/evaluators.h"
#include "model/catalogue.h"
#include "support/figure_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <set>
#include <span>
#include <string>
#include <string_view>
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

    // A procedure whose inputs all carry the "unchanged" marker is skipped by the recompute; a
    // point placed on a figure (given an input by a hand-made file) stays defined all the same.
    const ObjectRef placed = b.NewObject(kKindPoint);
    const int bnd = b.Proc("PBND", {a}, {placed});
    SetProcedureCode(b.f, 1, "XNEW");
    b.f.ProcInput[1][1] = {kKindPoint, static_cast<i16>(b.NewObject(kKindPoint).index)};
    b.f.Points[b.f.ProcInput[1][1].index].exists = 2;
    AnalyseDependencies(b.f, {}, Notifier{});
    EXPECT_EQ(b.f.ProcState[1], 2);
    EXPECT_EQ(b.f.Points[a.index].exists, 2);
    EXPECT_EQ(b.f.ProcState[p], 2);
    EXPECT_EQ(b.f.ProcState[bnd], 2);
    EXPECT_EQ(b.f.Points[placed.index].exists, kTrue);
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

// When the analysis stops at its bound before the chain has settled, the links it could not
// reach are undefined, never defined at a position of an earlier pass, and so is what is
// built on them; procedures without a forward reference are evaluated as usual.
TEST(AnalyseDependencies, OutputsThatDidNotSettleAreUndefined) {
    Builder b;
    const std::vector<ObjectRef> out = UndefinedChain(b, 10000);
    const ObjectRef a{kKindPoint, 1}, c{kKindPoint, 2};
    const ObjectRef after = b.NewObject(kKindPoint);
    b.Proc("P3", {a, c, out.front()}, {after});
    const ObjectRef apart = b.NewObject(kKindPoint);
    b.Proc("P3", {a, c, c}, {apart});
    RecomputeFigure(b.f, Notifier{});
    int defined = 0;
    for (const ObjectRef& p : out) defined += b.f.Points[p.index].exists != 0;
    EXPECT_EQ(defined, 0);
    EXPECT_EQ(b.f.Points[after.index].exists, 0);
    ASSERT_NE(b.f.Points[apart.index].exists, 0);
    EXPECT_NEAR(b.f.Points[apart.index].x, 4.0 / 3, 1e-12);
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
    SetProcedureCode(b.f, 2, "C2");
    const ObjectRef q = b.FreePoint(3, 0);
    b.f.ProcInput[2][2] = q;
    RecomputeFigure(b.f, Notifier{});
    EXPECT_NE(b.f.Points[t.index].exists, 0);
    EXPECT_NEAR(std::hypot(b.f.Points[t.index].x, b.f.Points[t.index].y), 3, 1e-9);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// Evaluation dispatches on the operation number looked up once per code: every catalogue code
// that makes objects has an evaluation of its own output family, unless it is one the driver
// or a command handles (free and tied points, macros), so a new code cannot be forgotten.
TEST(Dispatch, EveryCodeWithOutputsIsEvaluatedOrKnownToComputeNothing) {
    const std::set<std::string_view> handledElsewhere = {"PNEW", "PBND"};
    const auto catalogue = CodeCatalogue();
    for (size_t i = 0; i < catalogue.size(); ++i) {
        const CodeInfo& c = catalogue[i];
        const int op = OperationOf(c.code);
        ASSERT_EQ(op, static_cast<int>(i) + 1) << c.code;
        const Evaluation& e = EvaluationOf(op);
        // The slot kinds an evaluation reads and writes are the catalogue's letters.
        ASSERT_EQ(e.slots.inputs, static_cast<int>(c.inputs.size())) << c.code;
        ASSERT_EQ(e.slots.outputs, static_cast<int>(c.outputs.size())) << c.code;
        for (size_t k = 0; k < c.inputs.size(); ++k)
            EXPECT_EQ(e.slots.in[k], KindOfLetter(c.inputs[k])) << c.code;
        for (size_t k = 0; k < c.outputs.size(); ++k)
            EXPECT_EQ(e.slots.out[k], KindOfLetter(c.outputs[k])) << c.code;
        EXPECT_EQ(e.placedOnFigure, c.code == "PBND") << c.code;
        if (c.isMacro || c.outputs.empty() || handledElsewhere.count(c.code)) {
            EXPECT_EQ(e.kind, Evaluation::kInert) << c.code;
            continue;
        }
        ASSERT_NE(e.kind, Evaluation::kInert) << c.code << " has no evaluation";
        const bool numberOut = c.outputs == "N";
        EXPECT_EQ(numberOut, e.kind != Evaluation::kSlots) << c.code;
        if (e.kind == Evaluation::kSlots) {
            EXPECT_NE(e.rule, nullptr) << c.code;
        }
    }
    EXPECT_EQ(OperationOf("XNEW"), 0);
    EXPECT_EQ(EvaluationOf(0).kind, Evaluation::kInert);
    EXPECT_EQ(EvaluationOf(100000).kind, Evaluation::kInert);
}

}  // namespace
}  // namespace kv

namespace kv {
namespace {

// A seeded random figure of the kinds a hand-made file can hold: free points, constructions of
// every output family on earlier objects, points tied to points, lines and circles, formula
// numbers, typed numbers (some 0, so divisions fail), and a few inputs or formula operands
// turned into forward references or into a procedure's own output.
Figure RandomFigure(std::mt19937& rng, bool forward, bool tied, bool self = false,
                    bool unreadTies = false) {
    Figure f;
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    std::array<std::vector<ObjectRef>, 4> made;
    const auto add = [&](std::string_view code, std::vector<ObjectRef> in) {
        for (ObjectRef r : test::AddConstruction(f, code, in)) made[r.kind].push_back(r);
    };
    for (int k = 0; k < 4; ++k)
        made[kKindPoint].push_back(test::AddFreePoint(f, pick(20) - 10, pick(20) - 10));
    for (double v : {0.0, 1.0, 2.5})
        made[kKindNumber].push_back({kKindNumber, static_cast<i16>(test::AddNumber(f, "n", v))});
    if (tied && pick(2) == 0) {  // a point tied to another that no procedure makes
        const ObjectRef pt{kKindPoint, static_cast<i16>(AppendObject(f, kKindPoint))};
        f.Points[pt.index].exists = f.Points[pt.index].movable = kTrue;
        f.Points[pt.index].bindKind = kKindPoint;
        f.Points[pt.index].bindIndex = made[kKindPoint][0].index;
        made[kKindPoint].push_back(pt);
    }
    struct Code {
        std::string_view code, in;
    };
    const Code codes[] = {{"P3", "PPP"},  {"P1", "PPP"},  {"L1", "PP"},    {"C2", "PP"},
                          {"C3", "PPP"},  {"PC1", "LL"},  {"PC2", "LC"},   {"PC3", "CC"},
                          {"PN", "PPNN"}, {"ND2P", "PP"}, {"NA3+", "PPP"}, {"L3", "LP"}};
    const auto addTied = [&] {
        const i16 kind = static_cast<i16>(1 + pick(3));
        if (made[kind].empty()) return;
        const ObjectRef on = made[kind][pick(static_cast<int>(made[kind].size()))];
        const ObjectRef pt = test::AddFreePoint(f, 0, 0);
        f.Points[pt.index].bindKind = on.kind;
        f.Points[pt.index].bindIndex = on.index;
        f.Points[pt.index].param = pick(401) - 200;  // also some turns round a circle
        made[kKindPoint].push_back(pt);
    };
    for (int step = 0; step < 40; ++step) {
        const int choice = pick(16);
        if (choice >= 12) {
            if (choice == 12 && tied && !unreadTies) {
                addTied();
            } else if (choice == 13) {
                const ObjectRef n = test::AddConstruction(f, "CALC", {})[0];
                const auto& nums = made[kKindNumber];
                f.Numbers[n.index].formula =
                    "#" + std::to_string(nums[pick(static_cast<int>(nums.size()))].index) + "/#" +
                    std::to_string(nums[pick(static_cast<int>(nums.size()))].index);
                made[kKindNumber].push_back(n);
            } else {
                made[kKindPoint].push_back(test::AddFreePoint(f, pick(20) - 10, pick(20) - 10));
            }
            continue;
        }
        const Code& c = codes[choice];
        std::vector<ObjectRef> in;
        for (char letter : c.in) {
            const auto& pool = made[KindOfLetter(letter)];
            if (pool.empty()) break;
            in.push_back(pool[pick(static_cast<int>(pool.size()))]);
        }
        if (in.size() == c.in.size()) add(c.code, in);
    }
    // Tied points that no procedure reads, hung on objects of the list and on one another.
    for (int k = 0; unreadTies && k < 6; ++k) addTied();
    // Forward references: an input replaced by an object of its kind made later in the list, or
    // by the procedure itself.
    for (int k = 0; forward && k < 3 && f.ProcedureCount > 2; ++k) {
        const int i = 1 + pick(f.ProcedureCount / 2);
        const ObjectRef r = f.ProcInput[i][1];
        if (r.IsEmpty()) continue;
        const int later = i + pick(f.ProcedureCount - i + 1);  // itself included
        const ObjectRef out = f.ProcOutput[later][1];
        if (!out.IsEmpty() && out.kind == r.kind) f.ProcInput[i][1] = out;
    }
    // A tied point hung on an object made after it.
    for (int p = 1; (tied || unreadTies) && p <= f.ObjectCount[kKindPoint]; ++p) {
        PointRecord& pt = f.Points[p];
        if (pt.bindKind == 0 || made[pt.bindKind].empty() || pick(2) == 0) continue;
        pt.bindIndex = made[pt.bindKind].back().index;
        break;
    }
    // A formula that names a number made after it (or its own).
    for (int i = 1; tied && i <= f.ProcedureCount; ++i) {
        if (f.ProcCode[i] != "CALC" || pick(2) == 0) continue;
        f.Numbers[f.ProcOutput[i][1].index].formula +=
            "+#" + std::to_string(made[kKindNumber].back().index);
        break;
    }
    // A procedure that reads its own output.
    for (int i = 1; self && i <= f.ProcedureCount; ++i) {
        if (f.ProcInput[i][1].IsEmpty() || f.ProcOutput[i][1].kind != f.ProcInput[i][1].kind)
            continue;
        f.ProcInput[i][1] = f.ProcOutput[i][1];
        // Defined, as a file may hold it; an undefined output would keep itself undefined.
        SetExists(f, f.ProcOutput[i][1], kTrue);
        break;
    }
    RecomputeFigure(f, Notifier{});
    return f;
}

template <class T>
bool SameBits(const std::vector<T>& a, const std::vector<T>& b, size_t n, std::string& why) {
    for (size_t i = 1; i <= n; ++i) {
        const T &x = a[i], &y = b[i];
        bool same = x.exists == y.exists;
        if constexpr (requires { x.x; })
            same = same && std::memcmp(&x.x, &y.x, 8) == 0 && std::memcmp(&x.y, &y.y, 8) == 0;
        if constexpr (requires { x.value; }) same = same && std::memcmp(&x.value, &y.value, 8) == 0;
        if constexpr (requires { x.r; })
            same = same && std::memcmp(&x.r, &y.r, 8) == 0 && std::memcmp(&x.cx, &y.cx, 8) == 0;
        if constexpr (requires { x.dx; })
            same = same && std::memcmp(&x.x1, &y.x1, 8) == 0 && std::memcmp(&x.dx, &y.dx, 8) == 0;
        if (!same) {
            why = "entry " + std::to_string(i);
            return false;
        }
    }
    return true;
}

// The shortcuts of the analysis and the recompute give exactly the states, flags and values
// of the full rounds and passes: on random figures with and without forward references and
// tied points, for a full recompute and for a drag of each free point.
TEST(AnalyseDependencies, ShortcutsAgreeWithTheFullRoundsAndPasses) {
    std::mt19937 rng(7);
    int oneWalk = 0, several = 0;
    for (int round = 0; round < 400; ++round) {
        const Figure base =
            RandomFigure(rng, round % 4 == 1, round % 4 == 2, round % 4 == 3, round % 8 == 4);
        // moved -1: a full redraw, which first makes every defined point and number "changed";
        // 0: a recompute with no point moved; 1, 2: a drag of that free point.
        for (int moved = -1; moved <= 2; ++moved) {
            Figure a = base, b = base;
            const ObjectRef drag[] = {{kKindPoint, static_cast<i16>(moved)}};
            const std::span<const ObjectRef> list =
                moved <= 0 ? std::span<const ObjectRef>() : std::span<const ObjectRef>(drag);
            for (Figure* g : {&a, &b}) {
                g->Points[1].x += 0.75;
                g->Points[2].y -= 0.5;
                for (int i = 1; moved < 0 && i <= g->Capacity; ++i) {
                    if (g->Numbers[i].exists != 0) g->Numbers[i].exists = kTrue;
                    if (g->Points[i].exists != 0) g->Points[i].exists = kTrue;
                }
            }
            AnalyseDependencies(a, list, Notifier{});
            RecomputeAll(a, Notifier{});
            AnalyseDependenciesInFull(b, list, Notifier{});
            RecomputeAllInFull(b, Notifier{});
            (b.RecomputePasses > 1 ? several : oneWalk) += 1;
            const std::string at =
                "round " + std::to_string(round) + " moved " + std::to_string(moved);
            ASSERT_EQ(a.RecomputePasses, b.RecomputePasses) << at;
            ASSERT_EQ(a.ProcState, b.ProcState) << at;
            ASSERT_EQ(a.SwapFlag, b.SwapFlag) << at;
            // One pass evaluates what the full pass does, and leaves the same procedure current
            // (later shortcut passes evaluate only part of the list).
            if (b.RecomputePasses == 1) {
                ASSERT_EQ(a.CurrentProcedure, b.CurrentProcedure) << at;
                ASSERT_EQ(a.CurrentOutputIndex, b.CurrentOutputIndex) << at;
            }
            std::string why;
            ASSERT_TRUE(SameBits(a.Points, b.Points, a.ObjectCount[kKindPoint], why))
                << at << " point " << why;
            ASSERT_TRUE(SameBits(a.Lines, b.Lines, a.ObjectCount[kKindLine], why))
                << at << " line " << why;
            ASSERT_TRUE(SameBits(a.Circles, b.Circles, a.ObjectCount[kKindCircle], why))
                << at << " circle " << why;
            ASSERT_TRUE(SameBits(a.Numbers, b.Numbers, a.ObjectCount[kKindNumber], why))
                << at << " number " << why;
            for (int p = 1; p <= a.ObjectCount[kKindPoint]; ++p)
                ASSERT_EQ(std::memcmp(&a.Points[p].param, &b.Points[p].param, 8), 0) << at;
        }
    }
    // Both kinds of figure occur: those one walk settles and those that need more passes.
    EXPECT_GT(oneWalk, 100);
    EXPECT_GT(several, 100);
}

}  // namespace
}  // namespace kv
