#include "ui/input_dispatch.h"

#include "ui/construction.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

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
        DragToMouse(app, host, surface, x, y);
    }
}

void Form_KeyDown(App& app, Host& host, Surface& surface, int key, int) {
    const int mode = CurrentMode(app.session);
    if (mode == kModeDeform) {
        if (key >= kKeyLeft && key <= kKeyDown) {
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
