#include "ui/input_dispatch.h"

#include "ui/construction.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

namespace {

// A drag moves only a point that may be dragged at that moment: its attributes may have been
// changed (to "不可能") since it was chosen. Otherwise the drag has nothing to move.
void KeepOnlyAMovableDragPoint(App& app) {
    Session& s = app.session;
    const Figure& f = app.figure;
    const int p = s.DragPoint;
    const bool movable = p >= 1 && p <= f.ObjectCount[kKindPoint] &&
                         p < static_cast<int>(f.Points.size()) && f.Points[p].movable == kTrue;
    if (!movable) s.DragPoint = 0;
}

}  // namespace

void Form_MouseDown(App& app, Host& host, Surface& surface, int buttons, int shift, double x,
                    double y) {
    if (buttons & kButtonRight) {
        Form_KeyDown(app, host, surface, kKeyEsc, shift);
        return;
    }
    const int mode = CurrentMode(app.session);
    if (mode == kModeStandard) {
        // The press itself is not a pick: it starts the command that picks.
        if (app.figure.ObjectCount[kKindPoint] < 1) {
            mnuLoad_Click(app, host, surface);
        } else {
            mnuDeform1Pt_Click(app, host, surface);
        }
    } else if (mode == kModeDeform) {
        KeepOnlyAMovableDragPoint(app);
        DragToMouse(app, host, surface, x, y);
    } else if (IsPickingMode(mode)) {
        RefreshStatus(app, host);
        PickAtMouse(app, host, surface, x, y);
    } else if (mode == kModeNewPoint) {
        PlaceNewPoint(app, host, surface, x, y);
    } else {
        FullRedraw(app, host, surface);
    }
}

void Form_MouseMove(App& app, Host& host, Surface& surface, int buttons, int, double x, double y) {
    if (CurrentMode(app.session) == kModeDeform && (buttons & kButtonLeft)) {
        KeepOnlyAMovableDragPoint(app);
        DragToMouse(app, host, surface, x, y);
    }
}

void Form_KeyDown(App& app, Host& host, Surface& surface, int key, int) {
    const int mode = CurrentMode(app.session);
    if (mode == kModeDeform) {
        if (key >= kKeyLeft && key <= kKeyDown) {
            KeepOnlyAMovableDragPoint(app);
            DragByKey(app, host, surface, key);
        } else if (key == kKeyEsc) {
            EndDrag(app, host, surface);
        }
    } else if (IsPickingMode(mode)) {
        PickKey(app, host, surface, key);
        RefreshStatus(app, host);
    } else if (mode == kModeNewPoint) {
        NewPointKey(app, host, surface, key);
        RefreshStatus(app, host);
    }
}

}  // namespace kv
