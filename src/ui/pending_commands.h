#pragma once
// Entry points of the commands that the attribute dialogs, point binding and the polygon
// macro bring. The picking logic already routes to them; until those commands are built they
// leave the figure and the picture as they are. Whoever builds one moves it out of this file.

#include "model/records.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// A pick accepted for an attribute dialog (modes 41..44 beneath the pick).
void OpenAttributeDialog(App& app, Host& host, Surface& surface, ObjectRef ref);
// The point to bind, and the line or circle to bind it to (modes 51 and 53).
void BindPointChosen(App& app, Host& host, Surface& surface, ObjectRef ref);
void BindTargetChosen(App& app, Host& host, Surface& surface, ObjectRef ref);

}  // namespace kv
