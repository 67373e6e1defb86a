#pragma once
// Tying a point to another point, a line or a circle ("点の束縛条件の設定"), or setting it free
// again: the point is picked, the kind of binding is chosen in the dialog "種類の選択", and the
// object to bind to is picked. A point bound to a line or circle keeps its place (it moves
// only onto the object, by the shortest way) and is then ready to be dragged along it.

#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// Modes of the command: "点の動きの束縛)" beneath, the pick of the point above it, and the
// pick of the object to bind to (pushed twice; accepting it pops one).
constexpr i16 kModeBinding = 51;
constexpr i16 kModeBindPointPick = 52;
constexpr i16 kModeBindTargetPick = 53;

// "点の束縛条件の設定": starts the pick of the point to bind. Only in "標準"; elsewhere (a
// construction, a pick, a drag, the free-point mode) it beeps and does nothing.
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
// beep. Otherwise the point is bound where it stands and dragging it starts.
void BindTargetChosen(App& app, Host& host, Surface& surface, ObjectRef ref);

// Whether `target` is the point `point` or is worked out from it: by procedures that take
// it (directly or through other objects), or by points tied to any of those.
bool DependsOnPoint(const Figure& f, int point, ObjectRef target);

}  // namespace kv
