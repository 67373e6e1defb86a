// The full redraw (recompute, snapshot and drawing) onto a 1280 x 960 offscreen image, for
// figures of mixed points, lines, circles and a few measured numbers spread over the window.

#include <benchmark/benchmark.h>

#include "bench_support.h"
#include "engine/notifier.h"
#include "model/figure.h"
#include "paint/image_surface.h"
#include "render/draw_context.h"
#include "render/redraw.h"
#include "render/view_transform.h"

namespace kv {
namespace {

void BM_RedrawAll(benchmark::State& state) {
    const auto gui = bench::OffscreenGui();

    bench::MixedFigure fig(static_cast<int>(state.range(0)));
    ImageSurface surface(1280, 960);
    View view;
    SetScreen(view, surface);
    const Notifier note;
    ColourNotice notice;
    const DrawContext ctx{surface, view, true, note, notice};
    for (auto _ : state) {
        RedrawAll(fig.f, ctx);
        benchmark::DoNotOptimize(surface.Image().constBits());
    }
    const int total =
        fig.f.ObjectCount[0] + fig.f.ObjectCount[1] + fig.f.ObjectCount[2] + fig.f.ObjectCount[3];
    state.counters["objects"] = total;
}

BENCHMARK(BM_RedrawAll)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kv
