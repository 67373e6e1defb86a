#include "ui/activity.h"

#include "ui/binding.h"
#include "ui/construction.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"

namespace kv {

namespace {

bool AtRest(i16 mode, bool keepDrag) {
    return mode == kModeStandard || (keepDrag && mode == kModeDeform);
}

// Ends the activity on top of the stack; every way takes at least its own mode away.
void EndTopActivity(App& app, Host& host, Surface& surface) {
    const i16 mode = CurrentMode(app.session);
    if (AwaitingNumber(app)) {
        host.HideNumberDialog();
        EndPick(app, host, surface, {kKindNumber, 0});
        return;
    }
    if (IsPickingMode(mode)) {
        PickKey(app, host, surface, kKeyEsc);
        return;
    }
    switch (mode) {
        case kModeNewPoint:
            NewPointKey(app, host, surface, kKeyEsc);
            break;
        case kModeDeform:
            EndDrag(app, host, surface);
            break;
        case kModeBinding:
            host.HideBindingDialog();
            BindCancel_Click(app, host, surface);
            break;
        case kModeConstructing:
            CancelConstruction(app, host, surface);
            break;
        default:
            // A mode with no activity of its own behind it.
            PopMode(app.session);
            FullRedraw(app, host, surface);
            break;
    }
}

}  // namespace

bool EndActivity(App& app, Host& host, Surface& surface, bool keepDrag) {
    Session& s = app.session;
    while (!AtRest(CurrentMode(s), keepDrag) && s.ModeDepth >= 1) {
        const int depth = s.ModeDepth;
        EndTopActivity(app, host, surface);
        if (s.ModeDepth >= depth) PopMode(s);  // never stuck: each round takes a mode away
    }
    return AtRest(CurrentMode(s), keepDrag);
}

}  // namespace kv
