#pragma once
// The entry point of the polygon macro's vertex picks. The picking logic already routes to it;
// until the macro is built it leaves the figure and the picture as they are.

#include "model/records.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// A polygon vertex picked; index 0 ends the polygon's vertex picks.
void AcceptVertex(App& app, Host& host, Surface& surface, ObjectRef ref);

}  // namespace kv
