#include "engine/evaluators.h"

namespace kv {
void EvaluateFormula(Figure&, int) {}
}  // namespace kv
