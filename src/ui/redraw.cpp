#include "ui/redraw.h"

#include "render/redraw.h"
#include "ui/modes.h"
#include "ui/status.h"

namespace kv {

Notifier NotifierOf(Host& host) {
    Notifier note;
    note.message = [&host](const std::string& text) { host.Message(text); };
    note.beep = [&host] { host.Beep(); };
    return note;
}

void FullRedraw(App& app, Host& host, Surface& surface) {
    const Notifier note = NotifierOf(host);
    const DrawContext ctx{surface, app.view, NamesMayHide(CurrentMode(app.session)), note,
                          app.colours};
    RedrawAll(app.figure, ctx);
    // The full redraw marks every object afresh; a drag that goes on works out its
    // dependents again at its next step.
    if (app.session.DragSet.point != 0) app.session.NeedDependencyMarks = kTrue;
    RefreshStatus(app, host);
}

}  // namespace kv
