#pragma once
// Tying a point to another point, a line or a circle ("点の束縛条件の設定"), or setting it free
// again: the point is picked, the kind of binding is chosen in the dialog "種類の選択", and the
// object to bind to is picked. A newly bound point starts at parameter 0 of its object and is
// then ready to be dragged along it. The command runs from "標準" or during a drag.

#include <string>

#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/modes.h"
#include "ui/session.h"

namespace kv {

// "点の束縛条件の設定": starts the pick of the point to bind. In "標準" or during a drag; elsewhere
// (the menu ends any other activity first) it beeps and does nothing.
void mnuEboundedPt_Click(App& app, Host& host, Surface& surface);

// The point to bind was picked: the dialog opens with the point's binding selected. Index 0
// (nothing picked) ends the command.
void BindPointChosen(App& app, Host& host, Surface& surface, ObjectRef ref);

// "ＯＫ" in the dialog with item `kind` selected (0 "フリーにする", 1 a point, 2 a line, 3 a
// circle; -1 none selected, which counts as キャンセル). "フリーにする" frees the point where it
// stands; the other kinds start the pick of the object. When there is no object of that kind
// the command ends and the point keeps its binding. An answer that no longer belongs to a
// binding under way changes nothing.
void BindKindChosen(App& app, Host& host, Surface& surface, int kind);
// "キャンセル" (or closing the dialog): the command ends, the point keeps its binding.
void BindCancel_Click(App& app, Host& host, Surface& surface);

// The object to bind to was picked. Index 0, or an object that itself depends on the point
// (which would make the point follow itself), leaves the old binding whole; the latter with a
// message that says why. Otherwise the point is bound at parameter 0 (the point itself, the
// line's first defining point, the circle's zero position) and dragging it starts.
void BindTargetChosen(App& app, Host& host, Surface& surface, ObjectRef ref);

// Why a point cannot be bound to an object worked out from it (or to itself).
std::string BindToOwnWorkMessage(const Figure& f, int point, ObjectRef target);

// Whether `target` is the point `point` or is worked out from it: by procedures that take
// it (directly or through other objects), or by points tied to any of those.
bool DependsOnPoint(const Figure& f, int point, ObjectRef target);

}  // namespace kv
