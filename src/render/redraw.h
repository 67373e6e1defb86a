#pragma once
// The two redraw sequences: the full redraw that ends almost every command, and the light
// update of a drag step that paints over (or traces) the old images instead of clearing.

#include <array>
#include <functional>

#include "engine/drag_dependents.h"
#include "model/figure.h"
#include "render/draw_context.h"

namespace kv {

// Clear; grid and axes when they are on; recompute the whole figure and take the snapshot;
// points, lines and circles; the number list; the loci. The status refresh is the caller's.
void RedrawAll(Figure& f, const DrawContext& ctx);

// Called for every object that leaves a trace, before it is recomputed.
using LocusRecorder = std::function<void(ObjectRef)>;

// The old image of one object: left on screen in its locus colour when tracing, painted over
// in the background colour otherwise.
void EraseOrTrace(const Figure& f, ObjectRef ref, bool locusOn, const DrawContext& ctx);

// EraseOrTrace for every point, line and circle the current change affects (objects whose
// `exists` marker says "unchanged" are skipped); when tracing, `record` is called for each
// after its image is drawn.
void EraseOrTraceChanged(Figure& f, bool locusOn, const LocusRecorder& record,
                         const DrawContext& ctx);

// A drag step on a surface that keeps layers, once the moved point holds its new position:
// with tracing on, `record` is called for every object the step affects and the images
// recorded since `lociBefore` go into the locus layer; the objects the drag leaves alone come
// from their layer; the dependents are evaluated again and drawn on top with the number list.
// Nothing is painted over. False (and nothing done) for a surface that keeps no layers.
bool ComposeDragStep(Figure& f, const DragDependents& d, bool locusOn, const LocusRecorder& record,
                     const std::array<int, 11>& lociBefore, const DrawContext& ctx);

// A drag step once the moved point holds its new position: erase or trace, recompute,
// draw the figure and the number list. The surface is not cleared and the grid is not
// redrawn. The caller runs it in mode 16 ("計算中") and gives that mode in `ctx`.
// With `dependents`, only the drag's dependents are evaluated again.
void UpdateAfterChange(Figure& f, bool locusOn, const LocusRecorder& record, const DrawContext& ctx,
                       const DragDependents* dependents = nullptr);

}  // namespace kv
