#include "ui/drag.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "engine/drag_dependents.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"
#include "engine/recompute.h"
#include "model/number_text.h"
#include "render/draw.h"
#include "render/redraw.h"
#include "ui/input_dispatch.h"
#include "ui/locus.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

namespace {

constexpr int kDefaultNudgeSteps = 10;
constexpr int kBenchRounds = 25;
constexpr double kBenchX = 10, kBenchY = 8;
constexpr double kSecondsPerDay = 86400;

// The dragged point, or 0 when there is none or the index names no point of the figure (an
// undo may have removed it since it was picked).
int DraggedPoint(const App& app) {
    const int p = app.session.DragPoint;
    if (p < 1 || p > app.figure.ObjectCount[kKindPoint]) return 0;
    if (p >= static_cast<int>(app.figure.Points.size())) return 0;
    return p;
}

// Runs an engine step that works on the table entry of `point` against the working copy
// `rec` instead: the new position is worked out while the table still holds the old one,
// whose picture has yet to be painted over.
template <class Step>
void OnWorkingCopy(Figure& f, int point, PointRecord& rec, Step step) {
    std::swap(f.Points[point], rec);
    step();
    std::swap(f.Points[point], rec);
}

// Steps 2 to 4 of a drag step: the working copy; the point counts as defined; on the first
// step of a drag, which procedures depend on the point; the snapshot of the picture before the
// step.
PointRecord BeginStep(App& app, Surface& surface, int point, const Notifier& note) {
    Figure& f = app.figure;
    PointRecord rec = f.Points[point];
    Session& s = app.session;
    f.Points[point].exists = kTrue;
    if (s.NeedDependencyMarks != 0 || s.DragSet.point != point) {
        s.DragMessagesShown.clear();
        s.DragSet = AnalyseDragDependents(f, point, note);
        s.NeedDependencyMarks = kFalse;
        // The layer of what the drag leaves alone belongs to the dependents worked out here.
        surface.DropLayer(Layer::kFixed);
        TakeSnapshot(f);
    } else {
        TakeDependentsSnapshot(f, s.DragSet);
    }
    return rec;
}

// Steps 6 to 10: take away the highlighted points, the point's old name and image (or leave
// the image as a trace), store the new position and bring the rest of the picture up to date.
// On a surface that keeps layers nothing needs taking away: the picture is recomposed.
void FinishStep(App& app, Surface& surface, int point, PointRecord& rec, const Notifier& note) {
    Figure& f = app.figure;
    Session& s = app.session;
    const bool tracing = s.LocusOn != 0;
    const ObjectRef ref{kKindPoint, static_cast<i16>(point)};
    const std::array<int, 11> lociBefore = f.LocusCount;
    if (!surface.KeepsLayers()) {
        const DrawContext ctx{surface, app.view, NamesMayHide(CurrentMode(s)), note, app.colours};
        const int points = Count(f, kKindPoint);
        for (int i = 1; i <= points; ++i) {
            if (f.Points[i].mark >= 10) {
                DrawObject(f, {kKindPoint, static_cast<i16>(i)}, kHighlightTrace, kSourceCurrent,
                           ctx);
            }
        }
        if (app.view.LabelsHidden == 0) DrawPointLabel(f, ref, 0, kSourceSaved, ctx);
        EraseOrTrace(f, ref, tracing, ctx);
    }
    if (tracing) RecordLocus(f, ref);
    f.Points[point] = std::move(rec);

    // The update runs in "計算中"; a full stack cannot take it, and then nothing is popped.
    const bool pushed = PushMode(s, kModeCalculating);
    const DrawContext step{surface, app.view, NamesMayHide(CurrentMode(s)), note, app.colours};
    const LocusRecorder record = [&f](ObjectRef r) { RecordLocus(f, r); };
    if (!ComposeDragStep(f, s.DragSet, tracing, record, lociBefore, step))
        UpdateAfterChange(f, tracing, record, step, &s.DragSet);
    if (pushed) PopMode(s);
}

}  // namespace

void mnuDeform1Pt_Click(App& app, Host& host, Surface& surface) {
    // A drag pushed over a construction, a pick or the free-point mode would leave that
    // command stranded beneath it: a number dialog answered meanwhile finds no construction
    // waiting, and the construction then waits for an answer that never comes.
    if (CurrentMode(app.session) != kModeStandard) {
        host.Beep();
        return;
    }
    app.session.NeedDependencyMarks = kTrue;
    PushMode(app.session, kModeDeform);
    // The candidates are the points that may be dragged, all marked with a black circle. With
    // none, "変形" stays with nothing to drag: the point dragged last is not taken up again.
    if (StartPick(app, host, surface, PickPurpose::kDrag, kKindPoint)) {
        DrawAllCandidates(app, host, surface, 7);
    } else {
        app.session.DragPoint = 0;
    }
    RefreshStatus(app, host);
}

void MovePointTo(Figure& f, int point, PointRecord& rec, double x, double y) {
    switch (rec.bindKind) {
        case 0:
            rec.x = x;
            rec.y = y;
            break;
        case kKindLine: {
            if (rec.bindIndex < 1 || rec.bindIndex >= static_cast<int>(f.Lines.size())) return;
            const LineRecord& l = f.Lines[rec.bindIndex];
            if (l.exists == 0) return;  // no line to slide on: the point stays
            // Foot of the perpendicular: the line's unit direction (dx, dy) runs through
            // (x1, y1).
            const double t = (x - l.x1) * l.dx + (y - l.y1) * l.dy;
            rec.x = l.x1 + t * l.dx;
            rec.y = l.y1 + t * l.dy;
            OnWorkingCopy(f, point, rec, [&] { ParamFromPosition(f, point); });
            break;
        }
        case kKindCircle: {
            if (rec.bindIndex < 1 || rec.bindIndex >= static_cast<int>(f.Circles.size())) return;
            const CircleRecord& c = f.Circles[rec.bindIndex];
            if (c.exists == 0) return;
            // The line through the centre and the mouse meets the circle at centre +- r u;
            // the + one is the nearer to the mouse. With the mouse on the centre there is no
            // such line, and the point stays where it is.
            Vec2 u{x - c.cx, y - c.cy};
            if (!NormalizeVector(u)) return;
            rec.x = c.cx + c.r * u.x;
            rec.y = c.cy + c.r * u.y;
            // A circle too small to give a direction leaves the point undefined and its
            // parameter as it was.
            OnWorkingCopy(f, point, rec, [&] { ParamFromPosition(f, point); });
            break;
        }
        default:
            break;  // tied to a point, or an unknown tie: it does not move
    }
}

void NudgePoint(Figure& f, int point, PointRecord& rec, int key, int step, double pixelSize,
                const Notifier& note) {
    const double d = step * pixelSize;
    if (rec.bindKind == 0) {
        switch (key) {
            case kKeyUp:
                rec.y += d;
                break;
            case kKeyDown:
                rec.y -= d;
                break;
            case kKeyRight:
                rec.x += d;
                break;
            case kKeyLeft:
                rec.x -= d;
                break;
            default:
                break;
        }
        return;
    }
    if (key == kKeyUp || key == kKeyRight) rec.param += d;
    if (key == kKeyDown || key == kKeyLeft) rec.param -= d;
    OnWorkingCopy(f, point, rec, [&] { PlaceBoundPoint(f, point, note); });
}

void DragToMouse(App& app, Host& host, Surface& surface, double x, double y) {
    // At extreme reductions the mouse's world position can overflow; a point is never moved
    // to a place that is not a number.
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    const int point = DraggedPoint(app);
    if (point == 0) {
        FullRedraw(app, host, surface);
        return;
    }
    const Notifier note = OncePerText(NotifierOf(host), app.session.DragMessagesShown);
    PointRecord rec = BeginStep(app, surface, point, note);
    MovePointTo(app.figure, point, rec, x, y);
    FinishStep(app, surface, point, rec, note);
}

void DragByKey(App& app, Host& host, Surface& surface, int key) {
    Session& s = app.session;
    if (s.NudgeSteps == 0) s.NudgeSteps = kDefaultNudgeSteps;
    const int point = DraggedPoint(app);
    if (point == 0) {
        FullRedraw(app, host, surface);
        return;
    }
    const Notifier note = OncePerText(NotifierOf(host), app.session.DragMessagesShown);
    PointRecord rec = BeginStep(app, surface, point, note);
    if (key == kKeyEnter || key == kKeyEsc) return;
    // The point keeps its mark: an arrow key moves it, it does not restyle it.
    NudgePoint(app.figure, point, rec, key, s.NudgeSteps, app.view.PixelSize, note);
    FinishStep(app, surface, point, rec, note);
}

void EndDrag(App& app, Host& host, Surface& surface) {
    PopMode(app.session);
    FullRedraw(app, host, surface);
}

void mnuBench_Click(App& app, Host& host, Surface& surface) {
    app.session.DragPoint = 1;
    // Time the path a drag takes, in which only what depends on the point is evaluated again.
    app.session.NeedDependencyMarks = kTrue;
    const double start = host.TimeOfDay();
    for (int round = 0; round < kBenchRounds; ++round) {
        for (int key : {kKeyUp, kKeyRight, kKeyDown, kKeyLeft}) DragByKey(app, host, surface, key);
    }
    double seconds = host.TimeOfDay() - start;
    if (seconds < 0) seconds += kSecondsPerDay;  // the clock passed midnight
    surface.MoveTo(static_cast<float>(kBenchX), static_cast<float>(kBenchY));
    surface.Print(ConvertedNumber(seconds));
}

}  // namespace kv
