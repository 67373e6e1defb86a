// One drag step by arrow key (the path the "ベンチマーク(100回変形)" command times) onto a
// 1280 x 960 offscreen image: re-evaluating what depends on the point, painting over the old
// images and drawing the figure again without clearing.

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <utility>

#include "bench_support.h"
#include "cli/headless_host.h"
#include "paint/image_surface.h"
#include "render/view_transform.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {
namespace {

void BM_DragByKey(benchmark::State& state) {
    const auto gui = bench::OffscreenGui();

    App app;
    app.figure = std::move(bench::MixedFigure(static_cast<int>(state.range(0))).f);
    std::ostringstream quiet;  // nothing is shown and nobody answers
    HeadlessHost host(quiet);
    ImageSurface surface(1280, 960);
    SetScreen(app.view, surface);
    FullRedraw(app, host, surface);
    // As after the pick of the first point in "1点を動かす".
    PushMode(app.session, kModeDeform);
    app.session.DragPoint = 1;
    app.session.NeedDependencyMarks = kTrue;

    constexpr int kKeys[] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};  // back where it started
    int step = 0;
    for (auto _ : state) {
        DragByKey(app, host, surface, kKeys[step++ % 4]);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    state.counters["procedures"] = app.figure.ProcedureCount;
}

BENCHMARK(BM_DragByKey)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv
