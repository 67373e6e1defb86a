#include "render/redraw.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "engine/recompute.h"
#include "render/draw.h"
#include "render/number_list.h"
#include "render/view_transform.h"

namespace kv {

namespace {
// The marker the dependency analysis leaves on objects the current change does not touch.
}  // namespace

void RedrawAll(Figure& f, const DrawContext& ctx) {
    Surface& s = ctx.surface;
    ApplyDisplaySettings(ctx.view, s);
    s.DropLayers();
    s.Clear();
    if (ctx.view.ShowAxes != 0) DrawAxis(ctx.view, s);
    RecomputeFigure(f, ctx.note);
    if (s.KeepsLayers()) {
        // Kept in layers, the loci lie beneath the figure and the number list stays readable.
        // The background alone is kept only when a drag needs it (EnsureLociLayer).
        DrawLoci(f, ctx);
        s.KeepLayer(Layer::kLoci);
        DrawFigure(f, ctx);
        DrawNumberLabels(f, ctx);
        s.KeepLayer(Layer::kScene);
        return;
    }
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
        const int n = Count(f, kind);
        for (int i = 1; i <= n; ++i) {
            const ObjectRef ref{kind, static_cast<i16>(i)};
            if (ExistsValue(f, ref) == kUnchanged) continue;
            EraseOrTrace(f, ref, locusOn, ctx);
            if (locusOn && record) record(ref);
        }
    }
}

namespace {

// The parts of a record that decide which pixels its image covers; the colour does not.
bool SameMarkImage(const PointRecord& a, const PointRecord& b) {
    return (a.exists != 0) == (b.exists != 0) && a.x == b.x && a.y == b.y && a.mark == b.mark;
}
bool SameLabelImage(const PointRecord& a, const PointRecord& b) {
    return (a.exists != 0) == (b.exists != 0) && a.x == b.x && a.y == b.y && a.name == b.name;
}
bool SameImage(const LineRecord& a, const LineRecord& b) {
    return (a.exists != 0) == (b.exists != 0) && a.form == b.form && a.x1 == b.x1 && a.y1 == b.y1 &&
           a.x2 == b.x2 && a.y2 == b.y2 && a.dx == b.dx && a.dy == b.dy;
}
bool SameImage(const CircleRecord& a, const CircleRecord& b) {
    return (a.exists != 0) == (b.exists != 0) && a.cx == b.cx && a.cy == b.cy && a.r == b.r;
}

// Whether DrawFigure draws a point's name in this mode (DrawPointLabel with colour 7).
bool NamesShown(const DrawContext& ctx) {
    return !(ctx.view.LabelsHidden != 0 && ctx.namesMayHide);
}

// The old images of the objects a drag step affects, as they stood before the recompute.
struct OldImages {
    std::vector<std::pair<int, PointRecord>> points;
    std::vector<std::pair<int, LineRecord>> lines;
    std::vector<std::pair<int, CircleRecord>> circles;
};

template <class T>
void Collect(const Figure& f, i16 kind, const std::vector<T>& table,
             std::vector<std::pair<int, T>>& out) {
    // The tables hold Capacity + 1 entries.
    const int n = std::min<int>(Count(f, kind), static_cast<int>(table.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        if (table[i].exists != kUnchanged) out.emplace_back(i, table[i]);
    }
}

// Paints over the old images, in the order EraseOrTraceChanged does, but after the
// recompute, leaving out every piece that DrawFigure is about to draw again on exactly the
// same pixels: a pixel the figure drawing touches ends up in the figure's colour whatever
// was painted below it, so such a piece cannot change the picture. Most objects a step
// affects keep their image (every free point counts as affected), and this spares them two
// drawings per step.
void EraseChangedImages(const Figure& f, const OldImages& old, const DrawContext& ctx) {
    const bool names = NamesShown(ctx);
    for (const auto& [i, image] : old.points) {
        const PointRecord& now = f.Points[i];
        const bool redrawn = now.mark < 10 && now.colour != 0;
        if (!(redrawn && SameMarkImage(image, now))) {
            PointRecord p = image;
            p.colour = 0;
            DrawPointMark(p, ctx);
        }
        const bool sameName =
            i < static_cast<int>(f.SavedPoints.size()) && SameLabelImage(f.SavedPoints[i], now);
        if (!(redrawn && names && sameName))
            DrawPointLabel(f, {kKindPoint, static_cast<i16>(i)}, 0, kSourceSaved, ctx);
    }
    for (const auto& [i, image] : old.lines) {
        if (f.Lines[i].colour != 0 && SameImage(image, f.Lines[i])) continue;
        LineRecord l = image;
        l.colour = 0;
        DrawLineRecord(l, ctx);
    }
    for (const auto& [i, image] : old.circles) {
        if (f.Circles[i].colour != 0 && SameImage(image, f.Circles[i])) continue;
        CircleRecord c = image;
        c.colour = 0;
        DrawCircleRecord(c, ctx);
    }
}

}  // namespace

namespace {

// The background and the loci as a full redraw leaves them, drawn again when they are not kept
// (the surface was resized since).
void EnsureLociLayer(const Figure& f, const DrawContext& ctx) {
    Surface& s = ctx.surface;
    if (s.RestoreLayer(Layer::kLoci)) return;
    if (!s.RestoreLayer(Layer::kBackground)) {
        s.Clear();
        if (ctx.view.ShowAxes != 0) DrawAxis(ctx.view, s);
        s.KeepLayer(Layer::kBackground);
    }
    DrawLoci(f, ctx);
    s.KeepLayer(Layer::kLoci);
}

// The loci images recorded since `before` (counts per kind), drawn as DrawLoci draws them.
void DrawNewLoci(const Figure& f, const std::array<int, 11>& before, const DrawContext& ctx) {
    const auto upTo = [&](int kind, size_t storeSize) {
        return std::min<int>(f.LocusCount[kind], static_cast<int>(storeSize) - 1);
    };
    for (int i = before[kKindPoint] + 1, n = upTo(kKindPoint, f.LocusPoints.size()); i <= n; ++i)
        DrawPointMark(f.LocusPoints[i], ctx);
    for (int i = before[kKindLine] + 1, n = upTo(kKindLine, f.LocusLines.size()); i <= n; ++i)
        DrawLineRecord(f.LocusLines[i], ctx);
    for (int i = before[kKindCircle] + 1, n = upTo(kKindCircle, f.LocusCircles.size()); i <= n; ++i)
        DrawCircleRecord(f.LocusCircles[i], ctx);
}

}  // namespace

bool ComposeDragStep(Figure& f, const DragDependents& d, bool locusOn, const LocusRecorder& record,
                     const std::array<int, 11>& lociBefore, const DrawContext& ctx) {
    Surface& s = ctx.surface;
    if (!s.KeepsLayers()) return false;
    // The scene is the picture before the drag; it no longer shows what is on the surface.
    s.DropLayer(Layer::kScene);
    if (locusOn) {
        for (i16 kind : {kKindPoint, kKindLine, kKindCircle}) {
            const int n = Count(f, kind);
            for (int i = 1; i <= n; ++i) {
                const ObjectRef ref{kind, static_cast<i16>(i)};
                if (ExistsValue(f, ref) != kUnchanged && record) record(ref);
            }
        }
    }
    const bool traced = f.LocusCount != lociBefore;
    if (traced || !s.RestoreLayer(Layer::kFixed)) {
        // New traces go into the locus layer, beneath everything the drag leaves alone.
        EnsureLociLayer(f, ctx);
        if (traced) {
            DrawNewLoci(f, lociBefore, ctx);
            s.KeepLayer(Layer::kLoci);
        }
        DrawFigurePart(f, d, false, ctx);
        s.KeepLayer(Layer::kFixed);
    }
    RecomputeDependents(f, d, ctx.note);
    DrawFigurePart(f, d, true, ctx);
    DrawNumberLabels(f, ctx);
    return true;
}

void UpdateAfterChange(Figure& f, bool locusOn, const LocusRecorder& record, const DrawContext& ctx,
                       const DragDependents* dependents) {
    const auto recompute = [&] {
        if (dependents != nullptr) {
            RecomputeDependents(f, *dependents, ctx.note);
        } else {
            RecomputeAll(f, ctx.note);
        }
    };
    if (locusOn) {
        // The traces are drawn in each object's own colour, so their order is kept as it is.
        EraseOrTraceChanged(f, locusOn, record, ctx);
        recompute();
    } else {
        OldImages old;
        Collect(f, kKindPoint, f.Points, old.points);
        Collect(f, kKindLine, f.Lines, old.lines);
        Collect(f, kKindCircle, f.Circles, old.circles);
        recompute();
        EraseChangedImages(f, old, ctx);
    }
    DrawFigure(f, ctx);
    DrawNumberLabels(f, ctx);
}

}  // namespace kv
