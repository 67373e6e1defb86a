#pragma once
// The "ｵﾌﾟｼｮﾝ" menu: point names, grid and axes, pen width, font size, decimal places.

#include <string_view>

#include "model/records.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// A typed answer read as its leading number and clamped to the setting's range.
int PenWidthFromAnswer(std::string_view answer);  // whole part, 1..10
int FontSizeFromAnswer(std::string_view answer);  // 6..100, then the whole part
i16 DigitsFromAnswer(std::string_view answer);    // whole part, 0..20

// "文字表示": flips LabelsHidden; the picture follows at the next redraw.
void mnuOchrDisp_Click(App& app, Host& host);
// "座標軸の表示": flips ShowAxes and paints grid and axes over the picture at once.
void mnuOAxis_Click(App& app, Host& host, Surface& surface);
// The three input boxes; a cancelled box changes nothing, an answer is applied with a redraw.
void mnuWidth_Click(App& app, Host& host, Surface& surface);
void mnuFont_Click(App& app, Host& host, Surface& surface);
void mnuKeta_Click(App& app, Host& host, Surface& surface);
// "なめらかに描く": switches smooth drawing on or off and redraws.
void mnuSmooth_Click(App& app, Host& host, Surface& surface);

}  // namespace kv
