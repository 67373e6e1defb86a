#pragma once
// Evaluators of the code families, called by the recompute driver with a procedure number.
// Each reads its inputs by the indices of ProcInput and writes its outputs by the indices of
// ProcOutput. Which evaluator computes a procedure is decided by its operation number
// (ProcOp), never by comparing code texts.

#include <span>
#include <string_view>
#include <vector>

#include "engine/notifier.h"
#include "engine/proc_slots.h"
#include "model/catalogue.h"
#include "model/figure.h"

namespace kv {

// The rule tables of the point, line and circle codes, each row naming its catalogue code.
std::span<const RuleEntry> PointRules();
std::span<const RuleEntry> LineRules();
std::span<const RuleEntry> CircleRules();

// The measurement codes, in the order of the number evaluator's own table; a measurement is
// evaluated by its position in this list.
std::span<const std::string_view> MeasurementCodes();
void EvaluateMeasurement(Figure& f, int p, const CodeInfo& info, int measurement,
                         const Notifier& note);

// The formula of a CALC procedure.
void EvaluateFormula(Figure& f, int p);

// How the procedures of one operation number are evaluated.
struct Evaluation {
    enum Kind : unsigned char {
        kInert,        // computes nothing here: free and tied points, macros, unknown codes
        kSlots,        // a rule over the catalogue's input and output slots
        kMeasurement,  // a number measured from the inputs
        kFormula,      // a CALC number
    };
    Kind kind = kInert;
    SlotRule rule = nullptr;
    int required = -1;
    int measurement = 0;
    // The kinds of the code's slots, decoded from its catalogue entry.
    SlotLayout slots;
    // A point placed on a figure (PBND): its output is defined while nothing it stands on is
    // known to have changed.
    bool placedOnFigure = false;
};

// The evaluations by operation number, built once from the families' rule tables; entry 0 is
// the one of codes the catalogue does not know.
const std::vector<Evaluation>& EvaluationTable();

// The evaluation of operation number `op` (see OperationOf); kInert outside the catalogue.
// (Inline: the recompute asks it for every procedure it evaluates.)
inline const Evaluation& EvaluationOf(int op) {
    static const std::vector<Evaluation>& table = EvaluationTable();
    return op > 0 && op < static_cast<int>(table.size()) ? table[static_cast<size_t>(op)]
                                                         : table[0];
}

// Evaluates procedure p as its operation number says.
void EvaluateProcedure(Figure& f, int p, const Notifier& note);

// Tied points: place a point on its point, line or circle from `param`, and the inverse.
void PlaceBoundPoint(Figure& f, int point, const Notifier& note);
void ParamFromPosition(Figure& f, int point);

}  // namespace kv
