#pragma once
// "新規作成": the figure is replaced by an empty one and the free-point mode starts, so that the
// first point can be placed at once. A figure with points is lost only after the user says so
// in the confirmation "現在の図は失われますが,新しい図を作図しますか。". The file name stays.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Only in "標準" (the menu ends any activity first); elsewhere it beeps and does nothing. A
// figure without points is reset at once; otherwise the confirmation opens.
void mnuNew_Click(App& app, Host& host, Surface& surface);

// "はい" in the confirmation: whatever the window started since the dialog opened is ended (as
// Esc would end it), then the reset. "保存しておく" and "キャンセル" only close the dialog.
void CommandYes_Click(App& app, Host& host, Surface& surface);

// The reset itself: empty tables of the start size, no loci, no pick, no drag, a fresh picture
// and the free-point mode.
void StartNewFigure(App& app, Host& host, Surface& surface);

}  // namespace kv
