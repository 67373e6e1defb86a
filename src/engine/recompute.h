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
// The second half of a recompute pass for one point: a movable point is placed on what it is
// tied to, and becomes undefined with it.
void SettleMovablePoint(Figure& f, int p, const Notifier& note);

// The computing half of the full redraw: normalise `exists` of numbers and points, analyse
// with an empty list, recompute everything and take the snapshot.
void RecomputeFigure(Figure& f, const Notifier& note);

}  // namespace kv
