#pragma once
// Where an accepted or cancelled pick goes: each purpose names the step of its command that
// takes the object (index 0 for a cancel). The pick's own mode is already gone, so each step
// finds its command's mode on top.

#include "model/records.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

void HandOverPick(App& app, Host& host, Surface& surface, PickPurpose purpose, ObjectRef ref);

}  // namespace kv
