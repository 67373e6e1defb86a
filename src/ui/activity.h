#pragma once
// Ending what is under way in the window, the way Esc would end it, so that a command chosen
// meanwhile (or a dialog's button) can run: a command never finds another one half done
// beneath it, and never leaves one stranded.

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Ends every activity above the resting mode: a pick (its purpose ends its command: a
// construction with its half-built procedure, the vertices of a polygon not yet picked, an
// attribute or binding command, the choice of a point to drag), a construction waiting for the
// number dialog (the dialog is hidden), the binding dialog (hidden), the free-point mode (the
// pending point is dropped). With `keepDrag` a drag ("変形") goes on and the commands return to
// it; otherwise it ends as well. Returns true when the window is at rest afterwards.
bool EndActivity(App& app, Host& host, Surface& surface, bool keepDrag);

}  // namespace kv
