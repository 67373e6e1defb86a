#include "ui/undo.h"

#include <algorithm>

#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {

namespace {

// A point tied to an object that goes (the binding can tie a point to a later object) is set
// free where it stands: otherwise it would vanish with the object, and come back tied to
// whatever the next construction puts at that index.
void FreePointsTiedTo(Figure& f, ObjectRef gone) {
    if (gone.kind < kKindPoint || gone.kind > kKindCircle) return;
    const int points = std::min<int>(f.ObjectCount[kKindPoint], f.Points.size() - 1);
    for (int i = 1; i <= points; ++i) {
        PointRecord& p = f.Points[i];
        if (p.bindKind != gone.kind || p.bindIndex != gone.index) continue;
        p.bindKind = 0;
        p.bindIndex = 0;
    }
}

// A construction pick, a construction being set up, a new point being placed.
bool UndoWaits(int mode) {
    return mode == 15 || mode == 17 || mode == kModeNewPoint;
}

void UndoUnlessBusy(App& app, Host& host, Surface& surface) {
    if (UndoWaits(CurrentMode(app.session))) return;
    UndoLast(app, host, surface);
}

}  // namespace

void UndoLast(App& app, Host& host, Surface& surface) {
    Figure& f = app.figure;
    const int p = f.ProcedureCount;
    if (p < 1) return;
    for (int j = 1; j <= kSlots; ++j) f.ProcInput[p][j] = {};
    // Procedures are only appended, so the outputs of the last one are the last objects of
    // their kinds: dropping the counts removes exactly them. The output slots stay as they are;
    // the next procedure at this place overwrites them.
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef out = f.ProcOutput[p][j];
        if (out.index == 0 || out.kind < kKindNumber || out.kind > kKindCircle) continue;
        if (f.ObjectCount[out.kind] > 0) --f.ObjectCount[out.kind];
        InitObject(f, out);
        FreePointsTiedTo(f, out);
    }
    f.ProcCode[p].clear();
    f.ProcedureCount = p - 1;
    FullRedraw(app, host, surface);
}

void mnuCundo_Click(App& app, Host& host, Surface& surface) {
    UndoUnlessBusy(app, host, surface);
}

void mnuMundo_Click(App& app, Host& host, Surface& surface) {
    UndoUnlessBusy(app, host, surface);
}

}  // namespace kv
