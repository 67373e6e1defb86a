#pragma once
// The naming pass: measurement results, formula results and lines through two points get
// the descriptive names their codes prescribe.

#include "model/figure.h"

namespace kv {

void NameMeasuredOutputs(Figure& f);

}  // namespace kv
