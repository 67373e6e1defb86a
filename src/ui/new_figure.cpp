#include "ui/new_figure.h"

#include "ui/activity.h"
#include "ui/attributes.h"
#include "ui/construction.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"

namespace kv {

void StartNewFigure(App& app, Host& host, Surface& surface) {
    ResetFigure(app.figure, kStartCapacity);
    app.colours = {};
    // Everything that named an object of the old figure goes with it.
    Session& s = app.session;
    InitCandidateList(s);
    s.ActiveFormFilter = -1;
    s.DragPoint = 0;
    s.NeedDependencyMarks = kFalse;
    s.KeepSlotSettings = 0;
    s.PendingPoint = {};
    s.BindPoint = {};
    s.BindTarget = {};
    s.Redo = {};
    CloseAttributeDialogs(app, host);
    FullRedraw(app, host, surface);
    StartNewPoint(app, host, surface);
}

void mnuNew_Click(App& app, Host& host, Surface& surface) {
    if (CurrentMode(app.session) != kModeStandard) {
        host.Beep();
        return;
    }
    if (app.figure.ObjectCount[kKindPoint] < 1) {
        StartNewFigure(app, host, surface);
        return;
    }
    host.ShowNewConfirmation();
}

void CommandYes_Click(App& app, Host& host, Surface& surface) {
    // The dialog does not block the window: a construction, a pick or a drag may be under way
    // by now. "はい" ends it first (as Esc would), then the figure is replaced.
    if (!EndActivity(app, host, surface, false)) {
        host.Beep();
        return;
    }
    StartNewFigure(app, host, surface);
}

}  // namespace kv
