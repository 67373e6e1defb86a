#pragma once
// A CALC formula made ready for evaluation: the numbers its operands name and the order in
// which its operators are reduced, worked out once from the text instead of on every
// evaluation. The calculator makes it and evaluates it; the figure keeps one per number entry.

#include <string>
#include <vector>

#include "model/records.h"

namespace kv {

struct CompiledFormula {
    std::string source;  // the formula text it was made from; a different text is made anew
    bool valid = false;  // false for a malformed text (an empty operand, too many operators)
    // The number index each operand names, in order; operand k fills working slot k + 1. The
    // index is checked against the figure's numbers when the formula is evaluated.
    std::vector<int> operands;
    // One reduction: the operator applied to two working slots; its result goes to the next
    // free slot, and the last result is the formula's value (slot 1 without any operator).
    struct Step {
        char op;
        unsigned char left, right;
    };
    std::vector<Step> steps;
};

}  // namespace kv
