#pragma once
// Entry points of the commands that dragging, picking and point placing bring. The dispatch
// already routes presses, moves and keys to them; until those commands are built they leave
// the figure and the picture as they are. Whoever builds one moves it out of this file.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// "1点を動かす": start moving one point.
void mnuDeform1Pt_Click(App& app, Host& host, Surface& surface);
// One drag step to (x, y), and an arrow key while dragging.
void DragStep(App& app, Host& host, Surface& surface, double x, double y);
void DragArrowKey(App& app, Host& host, Surface& surface, int key);
// A press or a key in a picking mode.
void PickAtMouse(App& app, Host& host, Surface& surface, double x, double y);
void PickKey(App& app, Host& host, Surface& surface, int key);
// A press or a key while a new point is being placed.
void PlaceNewPoint(App& app, Host& host, Surface& surface, double x, double y);
void NewPointKey(App& app, Host& host, Surface& surface, int key);

}  // namespace kv
