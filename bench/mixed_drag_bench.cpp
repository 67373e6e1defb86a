// Drag steps and full redraws of figures of a realistic mix at 1280 x 960: triangle centres,
// intersections of lines and circles, circles through three points and in-circles,
// perpendiculars, division points, points tied to lines and circles, measurements that fill
// the number list and formulas over them. In the "dependent" figures everything but a few
// anchor points hangs on the dragged point; the "independent" runs drag an extra free point
// that nothing depends on.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench_support.h"
#include "cli/headless_host.h"
#include "model/catalogue.h"
#include "paint/image_surface.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {
namespace {

struct MixBuilder {
    Figure f;
    std::uint32_t seed = 7;
    std::vector<ObjectRef> points;  // points that follow the dragged one
    std::vector<int> numbers;       // listed measurements
    int objects = 0;

    double Uniform(double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;
        return lo + static_cast<double>(seed >> 8) / (1u << 24) * (hi - lo);
    }
    ObjectRef AnyPoint() {
        return points[static_cast<size_t>(Uniform(0, static_cast<double>(points.size()) - 0.01))];
    }
    std::vector<ObjectRef> Make(std::string_view code, const std::vector<ObjectRef>& in) {
        const std::vector<ObjectRef> out = test::AddConstruction(f, code, in);
        for (ObjectRef r : out) {
            ++objects;
            if (r.kind == kKindPoint) f.Points[r.index].colour = 7;
            if (r.kind == kKindLine) {
                f.Lines[r.index].colour = 7;
                f.Lines[r.index].form = static_cast<i16>(Uniform(0, 2.99));
            }
            if (r.kind == kKindCircle) f.Circles[r.index].colour = 7;
            if (r.kind == kKindNumber) {
                f.Numbers[r.index].name = "m" + std::to_string(r.index);
                numbers.push_back(r.index);
            }
        }
        return out;
    }
    void Follow(const std::vector<ObjectRef>& out) {
        for (ObjectRef r : out)
            if (r.kind == kKindPoint) points.push_back(r);
    }
    ObjectRef Tied(ObjectRef on, double param) {
        const ObjectRef p = test::AddFreePoint(f, 0, 0);
        f.Points[p.index].colour = 7;
        f.Points[p.index].bindKind = on.kind;
        f.Points[p.index].bindIndex = on.index;
        f.Points[p.index].param = param;
        ++objects;
        return p;
    }

    // `total` objects; the dragged point is point 1. With `independent`, one more free point
    // comes last, and nothing hangs on it.
    explicit MixBuilder(int total) {
        EnsureCapacity(f, total + 64, 2 * total + 64);
        const ObjectRef dragged = test::AddFreePoint(f, 0.5, 0.5);
        f.Points[dragged.index].colour = 7;
        f.Points[dragged.index].mark = 2;
        ++objects;
        // Anchors, each moved by the dragged point as a complex sum.
        for (int i = 0; i < 24; ++i) {
            const ObjectRef q = test::AddFreePoint(f, Uniform(-30, 30), Uniform(-22, 22));
            f.Points[q.index].colour = 7;
            ++objects;
            Follow(Make("PO+", {dragged, q}));
        }
        const int m = AppendObject(f, kKindNumber), n = AppendObject(f, kKindNumber);
        f.Numbers[m].value = 1;
        f.Numbers[n].value = 2;
        for (int k : {m, n}) {
            f.Numbers[k].exists = kTrue;
            f.Numbers[k].isVariable = -1;  // typed in, not listed
        }
        objects += 2;
        const ObjectRef one{kKindNumber, static_cast<i16>(m)},
            two{kKindNumber, static_cast<i16>(n)};
        while (objects < total) {
            const ObjectRef a = AnyPoint(), b = AnyPoint(), c = AnyPoint();
            const ObjectRef ab = Make("L1", {a, b})[0];
            // Only points that stay within their triangle are built upon further, so that the
            // figure keeps to the window however large it grows.
            Make("P1", {a, b, c});
            Follow(Make("P3", {a, b, c}));
            Follow(Make("P2", {a, b, c}));
            const ObjectRef through = Make("C3", {a, b, c})[0];
            Make("C5", {a, b, c});
            Make("L3", {ab, c});
            Make("PC2", {ab, through});
            Follow(Make("PN", {a, c, one, two}));
            Tied(ab, Uniform(-2, 2));
            Tied(through, Uniform(0, 5));
            Make("ND2P", {a, b});
            Make("NA3P", {a, b, c});
            const ObjectRef calc = Make("CALC", {})[0];
            f.Numbers[calc.index].formula = "#" + std::to_string(numbers[numbers.size() - 2]) +
                                            "*#" + std::to_string(numbers[numbers.size() - 3]);
        }
    }
};

struct DragRig {
    std::unique_ptr<QGuiApplication> gui = bench::OffscreenGui();
    App app;
    std::ostringstream quiet;
    HeadlessHost host{quiet};
    ImageSurface surface{1280, 960};

    DragRig(int objects, bool independent, bool smooth = false) {
        MixBuilder mix(objects);
        if (independent) test::AddFreePoint(mix.f, 3, 3);
        app.figure = std::move(mix.f);
        app.view.Smooth = smooth;
        SetScreen(app.view, surface);
        FullRedraw(app, host, surface);
        PushMode(app.session, kModeDeform);
        app.session.DragPoint =
            static_cast<i16>(independent ? app.figure.ObjectCount[kKindPoint] : 1);
        app.session.NeedDependencyMarks = kTrue;
        DragByKey(app, host, surface, kKeyUp);  // the first step works out the dependents
    }
};

void DragSteps(benchmark::State& state, bool independent, bool smooth = false) {
    DragRig rig(static_cast<int>(state.range(0)), independent, smooth);
    constexpr int kKeys[] = {kKeyRight, kKeyDown, kKeyLeft, kKeyUp};
    int step = 0;
    for (auto _ : state) {
        DragByKey(rig.app, rig.host, rig.surface, kKeys[step++ % 4]);
        benchmark::DoNotOptimize(rig.surface.Image().constBits());
    }
    state.counters["objects"] =
        static_cast<double>(rig.app.figure.ObjectCount[0] + rig.app.figure.ObjectCount[1] +
                            rig.app.figure.ObjectCount[2] + rig.app.figure.ObjectCount[3]);
}

void BM_MixedDragStepDependent(benchmark::State& state) {
    DragSteps(state, false);
}
void BM_MixedDragStepIndependent(benchmark::State& state) {
    DragSteps(state, true);
}

// The window draws smoothly unless told otherwise; the painter then draws every shape.
void BM_MixedDragStepDependentSmooth(benchmark::State& state) {
    DragSteps(state, false, true);
}

void BM_MixedFullRedraw(benchmark::State& state) {
    DragRig rig(static_cast<int>(state.range(0)), false);
    PopMode(rig.app.session);
    for (auto _ : state) {
        FullRedraw(rig.app, rig.host, rig.surface);
        benchmark::DoNotOptimize(rig.surface.Image().constBits());
    }
}

BENCHMARK(BM_MixedDragStepDependent)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedDragStepIndependent)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedDragStepDependentSmooth)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MixedFullRedraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv
