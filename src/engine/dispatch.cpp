// The table from operation numbers to evaluations, built once from the families' rule tables,
// and the evaluation of one procedure through it.

#include <vector>

#include "engine/evaluators.h"

namespace kv {

namespace {

std::vector<Evaluation> BuildEvaluations() {
    // Entry 0 is the operation of codes the catalogue does not know.
    std::vector<Evaluation> table(CodeCatalogue().size() + 1);
    auto put = [&](std::string_view code, const Evaluation& e) {
        if (const i16 op = OperationOf(code); op > 0) table[op] = e;
    };
    for (auto rules : {PointRules(), LineRules(), CircleRules()})
        for (const RuleEntry& r : rules) put(r.code, {Evaluation::kSlots, r.rule, r.required, 0});
    const auto measurements = MeasurementCodes();
    for (size_t m = 0; m < measurements.size(); ++m)
        put(measurements[m], {Evaluation::kMeasurement, nullptr, -1, static_cast<int>(m)});
    put("CALC", {Evaluation::kFormula, nullptr, -1, 0});
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
            EvaluateBySlots(f, p, CodeCatalogue()[op - 1], e.rule, e.required, note);
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
