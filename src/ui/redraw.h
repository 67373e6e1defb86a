#pragma once
// The full redraw as the window runs it: the render layer's redraw, then the status refresh.

#include "engine/notifier.h"
#include "render/draw_context.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// The engine's and the renderer's way to reach the user, through the host.
Notifier NotifierOf(Host& host);

void FullRedraw(App& app, Host& host, Surface& surface);

}  // namespace kv
