#include "ui/view_commands.h"

#include "io/report.h"
#include "render/view_transform.h"
#include "ui/file_commands.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

void mnuZoomDefault_Click(App& app, Host& host, Surface& surface) {
    ZoomDefault(app.view, surface);
    FullRedraw(app, host, surface);
}

void mnuZoomIn_Click(App& app, Host& host, Surface& surface) {
    ZoomIn(app.view, surface, NotifierOf(host));
    FullRedraw(app, host, surface);
}

void mnuZoomOut_Click(App& app, Host& host, Surface& surface) {
    ZoomOut(app.view, surface);
    FullRedraw(app, host, surface);
}

void Form_Resize(App& app, Host& host, Surface& surface) {
    SetScreen(app.view, surface);
    FullRedraw(app, host, surface);
}

void mnuLocusOn_Click(App& app, Host& host) {
    app.session.LocusOn = kTrue;
    RefreshStatus(app, host);
}

void mnuLocusOff_Click(App& app, Host& host) {
    app.session.LocusOn = kFalse;
    RefreshStatus(app, host);
}

void KVStatus1_PanelClick(App& app, Host& host, Surface& surface, int panel) {
    if (panel == 2) mnuLoad_Click(app, host, surface);
    if (panel == 3) app.session.LocusOn = static_cast<i16>(~app.session.LocusOn);
    RefreshStatus(app, host);
}

std::string CallHistoryText(const Session& s) {
    std::string text;
    for (int i = 1; i <= s.ModeDepth && i < kModeSlots; ++i) {
        text += std::to_string(s.ModeStack[i]) + "\r\n";
    }
    return text;
}

void mnuEcallHis_Click(const App& app, Host& host) {
    host.ShowTextViewer(CallHistoryText(app.session));
}

void mnuEditFigDataView_Click(const App& app, Host& host) {
    host.ShowTextViewer(ConstructionReport(app.figure, app.session.FigureFileName));
}

void mnuVersion_Click(Host& host) {
    host.ShowAbout();
}

}  // namespace kv
