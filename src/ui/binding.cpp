#include "ui/binding.h"

#include <algorithm>
#include <array>
#include <vector>

#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

namespace {

bool Names(const Figure& f, ObjectRef ref) {
    if (ref.kind < kKindNumber || ref.kind > kKindCircle) return false;
    return ref.index >= 1 && ref.index <= Count(f, ref.kind);
}

// The point being bound, or 0 when BindPoint no longer names a point (an undo may have taken
// it away while the dialog was open).
int BoundPoint(const App& app) {
    const ObjectRef p = app.session.BindPoint;
    return p.kind == kKindPoint && Names(app.figure, p) ? p.index : 0;
}

// The command ends: back to the mode it started from, everything drawn afresh.
void EndBinding(App& app, Host& host, Surface& surface) {
    PopMode(app.session);
    FullRedraw(app, host, surface);
}

}  // namespace

bool DependsOnPoint(const Figure& f, int point, ObjectRef target) {
    std::array<std::vector<bool>, 4> reached;
    for (int k = kKindNumber; k <= kKindCircle; ++k)
        reached[k].assign(static_cast<size_t>(f.Capacity) + 1, false);
    const auto isReached = [&](ObjectRef r) { return Names(f, r) && reached[r.kind][r.index]; };
    if (!Names(f, {kKindPoint, static_cast<i16>(point)})) return false;
    reached[kKindPoint][point] = true;
    // Ties can point forwards in the list, so the walk repeats until nothing new is reached.
    for (bool grew = true; grew;) {
        grew = false;
        const auto reach = [&](ObjectRef r) {
            if (!Names(f, r) || reached[r.kind][r.index]) return;
            reached[r.kind][r.index] = true;
            grew = true;
        };
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            const bool fed = std::any_of(f.ProcInput[i].begin() + 1, f.ProcInput[i].end(),
                                         [&](ObjectRef r) { return isReached(r); });
            if (!fed) continue;
            for (int j = 1; j <= kSlots; ++j) reach(f.ProcOutput[i][j]);
        }
        for (int q = 1; q <= Count(f, kKindPoint); ++q) {
            const PointRecord& p = f.Points[q];
            // Only independent points are placed on what they are tied to.
            if (p.movable == 0 || p.bindKind < kKindPoint || p.bindKind > kKindCircle) continue;
            if (isReached({p.bindKind, p.bindIndex})) reach({kKindPoint, static_cast<i16>(q)});
        }
    }
    return isReached(target);
}

void mnuEboundedPt_Click(App& app, Host& host, Surface& surface) {
    Session& s = app.session;
    const i16 mode = CurrentMode(s);
    if ((mode != kModeStandard && mode != kModeDeform) || !PushMode(s, kModeBinding)) {
        host.Beep();
        return;
    }
    s.BindPoint = {kKindPoint, 0};
    FullRedraw(app, host, surface);
    // A figure without points ends the command at once.
    if (!StartPick(app, host, surface, PickPurpose::kBindPoint, kKindPoint))
        EndBinding(app, host, surface);
}

void BindPointChosen(App& app, Host& host, Surface& surface, ObjectRef ref) {
    Session& s = app.session;
    if (CurrentMode(s) != kModeBinding) return;
    s.BindPoint = ref;
    const int point = BoundPoint(app);
    if (point == 0) {
        EndBinding(app, host, surface);
        return;
    }
    const i16 kind = app.figure.Points[point].bindKind;
    host.ShowBindingDialog(kind >= 0 && kind <= 3 ? kind : -1);
}

void BindKindChosen(App& app, Host& host, Surface& surface, int kind) {
    Session& s = app.session;
    if (CurrentMode(s) != kModeBinding) return;
    const int point = BoundPoint(app);
    if (point == 0 || kind < 0 || kind > 3) {
        EndBinding(app, host, surface);
        return;
    }
    if (kind == 0) {
        // "フリーにする": the point stays where its binding put it.
        PointRecord& p = app.figure.Points[point];
        p.bindKind = 0;
        p.bindIndex = 0;
        EndBinding(app, host, surface);
        return;
    }
    FullRedraw(app, host, surface);
    // The command's own mode becomes that of the target step (a pop and a push, which always
    // has room); the pick runs above it.
    PopMode(s);
    PushMode(s, kModeBindTargetPick);
    s.BindTarget = {static_cast<i16>(kind), 0};
    // No object of that kind: the command ends, and the point keeps the binding it had.
    if (!StartPick(app, host, surface, PickPurpose::kBindTarget, static_cast<i16>(kind))) {
        EndBinding(app, host, surface);
        return;
    }
    RefreshStatus(app, host);
}

void BindCancel_Click(App& app, Host& host, Surface& surface) {
    if (CurrentMode(app.session) != kModeBinding) return;
    EndBinding(app, host, surface);
}

void BindTargetChosen(App& app, Host& host, Surface& surface, ObjectRef ref) {
    Session& s = app.session;
    if (CurrentMode(s) != kModeBindTargetPick) return;
    PopMode(s);
    Figure& f = app.figure;
    const int point = BoundPoint(app);
    const bool named = ref.kind == s.BindTarget.kind && Names(f, ref);
    if (point == 0 || !named) {
        FullRedraw(app, host, surface);
        return;
    }
    // A point tied to something worked out from itself would chase its own image at every
    // evaluation: the binding is refused, and the user is told why.
    if (DependsOnPoint(f, point, ref)) {
        host.Message(BindToOwnWorkMessage(f, point, ref));
        FullRedraw(app, host, surface);
        return;
    }
    s.BindTarget = ref;
    // The point starts at parameter 0: on the point itself, at the line's first defining
    // point, at the circle's zero position; the redraw places it there.
    PointRecord& rec = f.Points[point];
    rec.bindKind = ref.kind;
    rec.bindIndex = ref.index;
    rec.param = 0.0;
    FullRedraw(app, host, surface);

    // Dragging starts with the point chosen, when the point may be dragged at all; a command
    // given during a drag goes back to that drag, now with this point.
    if (f.Points[point].movable != kTrue) return;
    if (CurrentMode(s) != kModeDeform && !PushMode(s, kModeDeform)) return;
    s.DragPoint = static_cast<i16>(point);
    s.NeedDependencyMarks = kTrue;
    RefreshStatus(app, host);
}

std::string BindToOwnWorkMessage(const Figure& f, int point, ObjectRef target) {
    const std::string p = CandidateText(f, {kKindPoint, static_cast<i16>(point)});
    const std::string t = CandidateText(f, target);
    if (target == ObjectRef{kKindPoint, static_cast<i16>(point)})
        return p + "を自分自身に束縛することはできません。";
    return t + "は" + p + "をもとに作図されているので," + p + "をそこに束縛することはできません。";
}

}  // namespace kv
