#pragma once
// Undo: the last procedure of the list is removed together with the objects it made. Redo:
// what the undo commands removed since the last new construction is built again, in order.

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

// Builds again the construction the last undo command removed: its procedure row, and its
// outputs with their names, colours and forms; points the undo set free are tied again. Then
// the full redraw. Nothing happens when nothing was undone, or when a construction was built,
// or a figure started or read, since (the list of undone constructions is then dropped).
void RedoUndone(App& app, Host& host, Surface& surface);

// "やり直し" under "作図(継続)" and under "測定": RedoUndone, in the resting mode only (as undo).
void mnuCrestore_Click(App& app, Host& host, Surface& surface);
void mnuMrestore_Click(App& app, Host& host, Surface& surface);

// Whether "やり直し" would build something now.
bool CanRedo(const App& app);

}  // namespace kv
