#pragma once
// The recompute driver: dependency analysis and re-evaluation of the procedure list in order.

#include <span>

#include "engine/notifier.h"
#include "model/figure.h"

namespace kv {

void RecomputeProcedure(Figure& f, int i, const Notifier& note);
i16 ProcedureLevel(const Figure& f, int i);
// `moved` names the objects the user is moving (ended by (0, 0) or by its end); empty for a
// full recompute. Its placements of tied points neither beep nor keep a clamped parameter.
void AnalyseDependencies(Figure& f, std::span<const ObjectRef> moved, const Notifier& note);
void RecomputeAll(Figure& f, const Notifier& note);

// The same two without their shortcuts: every round and pass walks the whole list. They give
// the same states, flags and values; the shortcuts (one walk for a list without forward
// references or tied points, later passes over what can still change) are checked against them.
void AnalyseDependenciesInFull(Figure& f, std::span<const ObjectRef> moved, const Notifier& note);
void RecomputeAllInFull(Figure& f, const Notifier& note);
// The second half of a recompute pass for one point: a movable point is placed on what it is
// tied to, and becomes undefined with it.
void SettleMovablePoint(Figure& f, int p, const Notifier& note);

// The computing half of the full redraw: normalise `exists` of numbers and points, analyse
// with an empty list, recompute everything and take the snapshot.
void RecomputeFigure(Figure& f, const Notifier& note);

}  // namespace kv
