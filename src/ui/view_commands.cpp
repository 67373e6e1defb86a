#include "ui/view_commands.h"

#include <algorithm>
#include <cmath>

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

namespace {

// Pixels the picture moves for one notch of the wheel.
constexpr double kPanPerNotch = 40;
constexpr double kNotch = 120;
// Room left around the figure when it is fitted into the window, as a share of its size.
constexpr double kFitMargin = 0.05;
// Objects beyond these are not drawn, so they do not count for the fit either.
constexpr double kDrawnLimit = 1000;

struct Extent {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool any = false;
    void Add(double x, double y) {
        if (!(std::abs(x) <= kDrawnLimit) || !(std::abs(y) <= kDrawnLimit)) return;
        if (!any) {
            x0 = x1 = x;
            y0 = y1 = y;
            any = true;
            return;
        }
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
    }
};

Extent DrawnExtent(const Figure& f) {
    Extent e;
    for (int i = 1, n = Count(f, kKindPoint); i <= n; ++i) {
        const PointRecord& p = f.Points[i];
        if (p.exists != 0 && p.colour != 0) e.Add(p.x, p.y);
    }
    for (int i = 1, n = Count(f, kKindLine); i <= n; ++i) {
        const LineRecord& l = f.Lines[i];
        if (l.exists == 0 || l.colour == 0) continue;
        e.Add(l.x1, l.y1);
        e.Add(l.x2, l.y2);
    }
    for (int i = 1, n = Count(f, kKindCircle); i <= n; ++i) {
        const CircleRecord& c = f.Circles[i];
        if (c.exists == 0 || c.colour == 0 || !(c.r >= 0 && c.r <= kDrawnLimit)) continue;
        e.Add(c.cx - c.r, c.cy - c.r);
        e.Add(c.cx + c.r, c.cy + c.r);
    }
    return e;
}

}  // namespace

void mnuZoomFit_Click(App& app, Host& host, Surface& surface) {
    const Extent e = DrawnExtent(app.figure);
    if (!e.any) {
        ZoomDefault(app.view, surface);
    } else {
        const double mx = (e.x1 - e.x0) * kFitMargin, my = (e.y1 - e.y0) * kFitMargin;
        FitRectangle(app.view, surface, e.x0 - mx, e.y0 - my, e.x1 + mx, e.y1 + my);
    }
    FullRedraw(app, host, surface);
}

WheelStep WheelGesture(int angleX, int angleY, bool shift) {
    WheelStep step;
    step.panX = angleX / kNotch * kPanPerNotch;
    if (shift) {
        step.panY = angleY / kNotch * kPanPerNotch;
    } else {
        step.zoom = std::exp2(-angleY / (2 * kNotch));
    }
    return step;
}

void Canvas_Wheel(App& app, Host& host, Surface& surface, const WheelStep& step, double px,
                  double py) {
    if (step.zoom == 1.0 && step.panX == 0.0 && step.panY == 0.0) return;
    if (step.zoom != 1.0) ZoomAbout(app.view, surface, step.zoom, px, py);
    if (step.panX != 0.0 || step.panY != 0.0) PanBy(app.view, surface, step.panX, step.panY);
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
