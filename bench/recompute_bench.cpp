// Re-evaluation of large constructions: the dependency analysis plus one full recompute, and
// the drag step that follows a moved free point through the whole chain. Figures are built in
// code with blocks of ordinary constructions, each block using the outputs of the one before.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/recompute.h"
#include "model/figure.h"
#include "support/chain_figure.h"
#include "support/figure_builder.h"

namespace kv {
namespace {

struct BenchFigure {
    Figure f;
    std::uint32_t seed = 12345;
    ObjectRef firstFree;

    double Uniform(double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;  // a fixed sequence keeps runs comparable
        return lo + static_cast<double>(seed >> 8) / (1u << 24) * (hi - lo);
    }

    ObjectRef Free(double x, double y) { return test::AddFreePoint(f, x, y); }

    std::vector<ObjectRef> Make(std::string_view code, const std::vector<ObjectRef>& in) {
        return test::AddConstruction(f, code, in);
    }

    // One block of 13 procedures on the point u carried over from the previous block. The two
    // new free points lie around u at angles at least 60 degrees apart, so that the triangles
    // stay well shaped however far the chain wanders; the block is evaluated at once so that
    // the next block knows where its carried point is.
    ObjectRef Block(ObjectRef u) {
        const int first = f.ProcedureCount + 1;
        const PointRecord& at = f.Points[u.index];
        const double a = Uniform(0, 6.28), b = a + Uniform(1.05, 2.6);
        const double ra = Uniform(3, 8), rb = Uniform(3, 8);
        const ObjectRef v = Free(at.x + ra * std::cos(a), at.y + ra * std::sin(a));
        const ObjectRef w = Free(at.x + rb * std::cos(b), at.y + rb * std::sin(b));
        const ObjectRef o = Make("P1", {u, v, w})[0];
        const ObjectRef g = Make("P3", {u, v, w})[0];
        const ObjectRef h = Make("P4", {u, v, w})[0];
        const ObjectRef k1 = Make("C3", {u, v, w})[0];
        const ObjectRef k2 = Make("C2", {w, g})[0];
        const auto x = Make("PC3", {k1, k2});
        const ObjectRef euler = Make("L1", {o, h})[0];
        Make("PC2", {euler, k1});
        Make("ND2P", {x[0], x[1]});
        Make("NA3+", {x[0], o, x[1]});
        Make("C5", {x[0], v, w});
        for (int i = first; i <= f.ProcedureCount; ++i) RecomputeProcedure(f, i, Notifier{});
        return x[0];
    }

    // The block with what a figure built by hand also holds: a point tied to the block's
    // 3-point circle and a formula number over the block's two measurements.
    ObjectRef MixedBlock(ObjectRef u) {
        const int first = f.ProcedureCount + 1;
        const ObjectRef x = Block(u);
        ObjectRef circle{}, distance{}, angle{};
        for (int i = first; i <= f.ProcedureCount; ++i) {
            if (f.ProcCode[i] == "C3") circle = f.ProcOutput[i][1];
            if (f.ProcCode[i] == "ND2P") distance = f.ProcOutput[i][1];
            if (f.ProcCode[i] == "NA3+") angle = f.ProcOutput[i][1];
        }
        const ObjectRef tied = Free(0, 0);
        PointRecord& t = f.Points[tied.index];
        t.bindKind = circle.kind;
        t.bindIndex = circle.index;
        t.param = Uniform(0, 10);
        const ObjectRef calc = Make("CALC", {})[0];
        f.Numbers[calc.index].formula =
            "#" + std::to_string(distance.index) + "*#" + std::to_string(angle.index) + "/#" +
            std::to_string(distance.index) + "+#" + std::to_string(angle.index);
        return x;
    }

    explicit BenchFigure(int procedures, bool mixed = false) {
        EnsureCapacity(f, procedures, procedures);
        firstFree = Free(0, 0);
        ObjectRef carried = firstFree;
        const int block = mixed ? 15 : 13;
        while (f.ProcedureCount + block <= procedures)
            carried = mixed ? MixedBlock(carried) : Block(carried);
        // Measurements along the chain fill the list up to the exact size.
        while (f.ProcedureCount < procedures) Make("ND2P", {firstFree, carried});
        RecomputeFigure(f, Notifier{});
    }

    // Share of defined points, so that a figure that collapsed into undefined objects (which
    // evaluate much faster) shows up in the results.
    double DefinedShare() const {
        int n = 0;
        for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i) n += f.Points[i].exists != 0;
        return static_cast<double>(n) / f.ObjectCount[kKindPoint];
    }
};

void SetCounters(benchmark::State& state, const BenchFigure& b) {
    state.counters["procedures"] = b.f.ProcedureCount;
    state.counters["defined"] = b.DefinedShare();
    state.counters["per_procedure"] =
        benchmark::Counter(b.f.ProcedureCount, benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}

// A full recompute of the figure: the analysis with nothing moved, then the passes.
void AnalyseAndRecompute(benchmark::State& state, bool mixed) {
    BenchFigure b(static_cast<int>(state.range(0)), mixed);
    const Notifier note;
    for (auto _ : state) {
        AnalyseDependencies(b.f, {}, note);
        RecomputeAll(b.f, note);
        benchmark::ClobberMemory();
    }
    SetCounters(state, b);
}

void BM_AnalyseAndRecompute(benchmark::State& state) {
    AnalyseAndRecompute(state, false);
}
BENCHMARK(BM_AnalyseAndRecompute)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same on blocks that also hold a tied point and a formula number each.
void BM_AnalyseAndRecomputeMixed(benchmark::State& state) {
    AnalyseAndRecompute(state, true);
}
BENCHMARK(BM_AnalyseAndRecomputeMixed)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond);

// A long chain of segments and midpoints with a 3-point circle every ten steps (the argument
// is the number of steps; 5,000 make 10,503 procedures).
void BM_AnalyseAndRecomputeChain(benchmark::State& state) {
    Figure f = test::ChainFigure(static_cast<int>(state.range(0)));
    const Notifier note;
    RecomputeFigure(f, note);
    for (auto _ : state) {
        AnalyseDependencies(f, {}, note);
        RecomputeAll(f, note);
        benchmark::ClobberMemory();
    }
    state.counters["procedures"] = f.ProcedureCount;
    state.counters["per_procedure"] =
        benchmark::Counter(f.ProcedureCount, benchmark::Counter::kIsIterationInvariantRate |
                                                 benchmark::Counter::kInvert);
}
BENCHMARK(BM_AnalyseAndRecomputeChain)->Arg(500)->Arg(5000)->Unit(benchmark::kMicrosecond);

// A drag step: the first free point feeds every block, so the whole list is re-evaluated.
void BM_DragStep(benchmark::State& state) {
    BenchFigure b(static_cast<int>(state.range(0)));
    const Notifier note;
    const ObjectRef moved[] = {b.firstFree};
    AnalyseDependencies(b.f, moved, note);
    double dx = 0.001;
    for (auto _ : state) {
        TakeSnapshot(b.f);
        b.f.Points[b.firstFree.index].x += dx;
        dx = -dx;
        RecomputeAll(b.f, note);
        benchmark::ClobberMemory();
    }
    SetCounters(state, b);
}
BENCHMARK(BM_DragStep)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Formula numbers: each CALC reads the one before it and three variables, so the operand
// reading and the reduction of the calculator are timed over the whole chain.
void BM_Formulas(benchmark::State& state) {
    BenchFigure b(0);
    const int count = static_cast<int>(state.range(0));
    EnsureCapacity(b.f, count + 3, count);
    for (double v : {1.5, 2.0, 0.25}) {
        const int n = AppendObject(b.f, kKindNumber);
        b.f.Numbers[n].value = v;
        b.f.Numbers[n].exists = kTrue;
        b.f.Numbers[n].isVariable = kTrue;
    }
    while (b.f.ProcedureCount < count) {
        const int n = b.f.ObjectCount[kKindNumber];
        const ObjectRef out = b.Make("CALC", {})[0];
        // Padded to the field width as formulas stand in files.
        std::string formula = "#" + std::to_string(n) + "*#3+#1-#2^#3";
        formula.resize(70, ' ');
        b.f.Numbers[out.index].formula = formula;
    }
    RecomputeFigure(b.f, Notifier{});
    const Notifier note;
    for (auto _ : state) {
        AnalyseDependencies(b.f, {}, note);
        RecomputeAll(b.f, note);
        benchmark::ClobberMemory();
    }
    int defined = 0;
    for (int i = 1; i <= b.f.ObjectCount[kKindNumber]; ++i) defined += b.f.Numbers[i].exists != 0;
    state.counters["defined"] = static_cast<double>(defined) / b.f.ObjectCount[kKindNumber];
    state.counters["procedures"] = b.f.ProcedureCount;
    state.counters["per_procedure"] =
        benchmark::Counter(b.f.ProcedureCount, benchmark::Counter::kIsIterationInvariantRate |
                                                   benchmark::Counter::kInvert);
}
BENCHMARK(BM_Formulas)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kv
