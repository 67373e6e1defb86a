#pragma once
// Entry points of the commands that picking and point placing bring. The dispatch
// already routes presses, moves and keys to them; until those commands are built they leave
// the figure and the picture as they are. Whoever builds one moves it out of this file.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// A press or a key in a picking mode.
void PickAtMouse(App& app, Host& host, Surface& surface, double x, double y);
void PickKey(App& app, Host& host, Surface& surface, int key);
// A press or a key while a new point is being placed.
void PlaceNewPoint(App& app, Host& host, Surface& surface, double x, double y);
void NewPointKey(App& app, Host& host, Surface& surface, int key);

}  // namespace kv
