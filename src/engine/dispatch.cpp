// The table from operation numbers to evaluations, built once from the families' rule tables,
// and the evaluation of one procedure through it.

#include <vector>

#include "engine/evaluators.h"

namespace kv {

namespace {

std::vector<Evaluation> BuildEvaluations() {
    // Entry 0 is the operation of codes the catalogue does not know.
    const auto catalogue = CodeCatalogue();
    std::vector<Evaluation> table(catalogue.size() + 1);
    auto put = [&](std::string_view code, Evaluation::Kind kind, SlotRule rule = nullptr,
                   int required = -1, int measurement = 0) {
        if (const i16 op = OperationOf(code); op > 0) {
            table[op].kind = kind;
            table[op].rule = rule;
            table[op].required = required;
            table[op].measurement = measurement;
        }
    };
    for (size_t op = 1; op <= catalogue.size(); ++op) {
        table[op].slots = LayoutOf(catalogue[op - 1]);
        table[op].placedOnFigure = catalogue[op - 1].code == "PBND";
    }
    for (auto rules : {PointRules(), LineRules(), CircleRules()})
        for (const RuleEntry& r : rules) put(r.code, Evaluation::kSlots, r.rule, r.required);
    const auto measurements = MeasurementCodes();
    for (size_t m = 0; m < measurements.size(); ++m)
        put(measurements[m], Evaluation::kMeasurement, nullptr, -1, static_cast<int>(m));
    put("CALC", Evaluation::kFormula);
    return table;
}

}  // namespace

const std::vector<Evaluation>& EvaluationTable() {
    static const std::vector<Evaluation> table = BuildEvaluations();
    return table;
}

void EvaluateProcedure(Figure& f, int p, const Notifier& note) {
    const int op = f.ProcOp[p];
    const Evaluation& e = EvaluationOf(op);
    switch (e.kind) {
        case Evaluation::kSlots:
            EvaluateBySlots(f, p, e.slots, e.rule, e.required, note);
            break;
        case Evaluation::kMeasurement:
            EvaluateMeasurement(f, p, CodeCatalogue()[op - 1], e.measurement, note);
            break;
        case Evaluation::kFormula:
            EvaluateFormula(f, p);
            break;
        case Evaluation::kInert:
            break;
    }
}

}  // namespace kv
