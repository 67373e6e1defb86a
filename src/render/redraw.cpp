#include "render/redraw.h"

#include <algorithm>

#include "engine/recompute.h"
#include "render/draw.h"
#include "render/number_list.h"
#include "render/view_transform.h"

namespace kv {

namespace {
// The marker the dependency analysis leaves on objects the current change does not touch.
constexpr i16 kUnchangedMarker = 2;
}  // namespace

void RedrawAll(Figure& f, const DrawContext& ctx) {
    ApplyDisplaySettings(ctx.view, ctx.surface);
    ctx.surface.Clear();
    if (ctx.view.ShowAxes != 0) DrawAxis(ctx.view, ctx.surface);
    RecomputeFigure(f, ctx.note);
    DrawFigure(f, ctx);
    DrawNumberLabels(f, ctx);
    DrawLoci(f, ctx);
}

void EraseOrTrace(const Figure& f, ObjectRef ref, bool locusOn, const DrawContext& ctx) {
    DrawObject(f, ref, locusOn ? kHighlightTrace : kHighlightErase, kSourceCurrent, ctx);
}

void EraseOrTraceChanged(Figure& f, bool locusOn, const LocusRecorder& record,
                         const DrawContext& ctx) {
    for (i16 kind : {kKindPoint, kKindLine, kKindCircle}) {
        const int n = std::min<int>(f.ObjectCount[kind], f.Capacity);
        for (int i = 1; i <= n; ++i) {
            const ObjectRef ref{kind, static_cast<i16>(i)};
            if (ExistsValue(f, ref) == kUnchangedMarker) continue;
            EraseOrTrace(f, ref, locusOn, ctx);
            if (locusOn && record) record(ref);
        }
    }
}

void UpdateAfterChange(Figure& f, bool locusOn, const LocusRecorder& record,
                       const DrawContext& ctx) {
    EraseOrTraceChanged(f, locusOn, record, ctx);
    RecomputeAll(f, ctx.note);
    DrawFigure(f, ctx);
    DrawNumberLabels(f, ctx);
}

}  // namespace kv
