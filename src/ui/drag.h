#pragma once
// Deforming the figure ("変形"): one point is moved by the mouse or the arrow keys, and after
// every step the procedures that depend on it are evaluated again and the picture is updated
// by painting over the old images instead of clearing the surface.

#include "engine/notifier.h"
#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/modes.h"
#include "ui/session.h"

namespace kv {

// "1点を動かす": enter "変形" and start the pick of the point to move. The pick stores the
// point in DragPoint and leaves "選択", so that "変形" is current. Only in "標準"; elsewhere
// (a construction, a pick, the free-point mode, a drag) it beeps and does nothing.
void mnuDeform1Pt_Click(App& app, Host& host, Surface& surface);

// One drag step to the mouse at world (x, y): a left press or a move with the left button held
// in "変形".
void DragToMouse(App& app, Host& host, Surface& surface, double x, double y);
// One drag step by an arrow key (37 left, 38 up, 39 right, 40 down); Enter and Esc leave the
// point where it is.
void DragByKey(App& app, Host& host, Surface& surface, int key);
// Esc or the right button in "変形": the drag ends with a full redraw.
void EndDrag(App& app, Host& host, Surface& surface);

// Where the mouse at (x, y) puts point `point`, whose record (a working copy of its table
// entry) is `rec`: a free point goes to the mouse, a point on a line to the foot of the
// perpendicular, a point on a circle to the nearer intersection of the circle with the line
// through its centre and the mouse; `param` follows. A point tied to a point does not move.
void MovePointTo(Figure& f, int point, PointRecord& rec, double x, double y);
// One arrow-key step of `step` pixels at the view's scale: a free point moves by it, a tied
// point moves its `param` by it and is placed again on its line or circle.
void NudgePoint(Figure& f, int point, PointRecord& rec, int key, int step, double pixelSize,
                const Notifier& note);

// "ベンチマーク(100回変形)": 100 arrow-key steps of the first point (up, right, down, left,
// 25 times, so it ends where it started); the seconds taken are printed at (10, 8).
void mnuBench_Click(App& app, Host& host, Surface& surface);

}  // namespace kv
