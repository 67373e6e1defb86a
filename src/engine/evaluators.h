#pragma once
// Evaluators of the code families, called by the recompute driver with a procedure number.
// Each reads its inputs by the indices of ProcInput and writes its outputs by the indices of
// ProcOutput; a code it does not know does nothing.

#include "engine/notifier.h"
#include "model/figure.h"

namespace kv {

void EvaluatePointProcedure(Figure& f, int p, const Notifier& note);
void EvaluateLineProcedure(Figure& f, int p, const Notifier& note);
void EvaluateCircleProcedure(Figure& f, int p, const Notifier& note);
void EvaluateNumberProcedure(Figure& f, int p, const Notifier& note);
// The formula of a CALC procedure.
void EvaluateFormula(Figure& f, int p);

// Tied points: place a point on its point, line or circle from `param`, and the inverse.
void PlaceBoundPoint(Figure& f, int point, const Notifier& note);
void ParamFromPosition(Figure& f, int point);

}  // namespace kv
