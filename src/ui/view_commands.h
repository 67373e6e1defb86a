#pragma once
// Zoom, locus switch, status-bar clicks, and the windows that show text.

#include <string>

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// "標準に戻す", "* 2", "/ 2": the new scale, then the full redraw.
void mnuZoomDefault_Click(App& app, Host& host, Surface& surface);
void mnuZoomIn_Click(App& app, Host& host, Surface& surface);
void mnuZoomOut_Click(App& app, Host& host, Surface& surface);

// "全体を表示": the scale and centre that show every drawn point, line and circle of the figure
// (the defining points of a line), within the zoom limits; an empty figure gets the standard
// view. Then the full redraw. The figure itself does not change.
void mnuZoomFit_Click(App& app, Host& host, Surface& surface);

// What a turn of the wheel asks for: a zoom factor for PixelSize about the pointer (1: none)
// and a move of the picture in pixels.
struct WheelStep {
    double zoom = 1.0;
    double panX = 0.0, panY = 0.0;
};
// The wheel in eighths of a degree (one notch is 120; positive: away from the user, or to the
// left): turned alone it zooms, in for away, two notches doubling the magnification; tilted
// sideways, or turned with Shift held, it moves the picture.
WheelStep WheelGesture(int angleX, int angleY, bool shift);

// The wheel or a pinch at the client pixel (px, py): zoom about that point and move, then the
// full redraw.
void Canvas_Wheel(App& app, Host& host, Surface& surface, const WheelStep& step, double px,
                  double py);

// The window was resized: the same scale and centre on the new client size.
void Form_Resize(App& app, Host& host, Surface& surface);

void mnuLocusOn_Click(App& app, Host& host);
void mnuLocusOff_Click(App& app, Host& host);

// A click on status panel 1..4: panel 2 loads a figure, panel 3 flips locus recording.
void KVStatus1_PanelClick(App& app, Host& host, Surface& surface, int panel);

// The mode stack slots 1..ModeDepth, one decimal number and CR LF each.
std::string CallHistoryText(const Session& s);
// "call history" in the text viewer.
void mnuEcallHis_Click(const App& app, Host& host);
// "作図データの分析": the construction report in the text viewer.
void mnuEditFigDataView_Click(const App& app, Host& host);
// "ﾊﾞｰｼﾞｮﾝ"
void mnuVersion_Click(Host& host);

}  // namespace kv
