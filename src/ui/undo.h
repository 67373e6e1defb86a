#pragma once
// Undo: the last procedure of the list is removed together with the objects it made.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Removes the last procedure and its outputs, then the full redraw. An empty list is left
// alone. Numbers the procedure only read (typed in, or made for a macro) stay.
void UndoLast(App& app, Host& host, Surface& surface);

// "最後抹消(undo)" under "作図(継続)" and "最後抹消(Undo)" under "測定": UndoLast, except while a
// construction or a new point is under way (modes 15, 17 and 28), whose procedure is the last.
void mnuCundo_Click(App& app, Host& host, Surface& surface);
void mnuMundo_Click(App& app, Host& host, Surface& surface);

}  // namespace kv
