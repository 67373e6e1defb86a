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
