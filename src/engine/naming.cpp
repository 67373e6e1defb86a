#include "engine/naming.h"

#include <algorithm>
#include <string_view>
#include <array>
#include <vector>

#include "engine/calculator.h"
#include "engine/makers.h"
#include "model/catalogue.h"
#include "model/number_text.h"
#include "model/text.h"

namespace kv {

namespace {

// A CALC result is named after its formula: each operand becomes the name of the number it
// refers to, or that number's value in the number list's decimal form (with its sign position)
// when the name is blank; the operators stay where they are. An operand that names no number
// is kept as written, so the name still shows what is wrong with the formula.
std::string FormulaName(const Figure& f, std::string_view formula) {
    const int count = Count(f, kKindNumber);
    std::string name;
    size_t start = 0;
    for (;;) {
        const size_t end = formula.find_first_of(kFormulaOperators, start);
        const std::string_view operand = formula.substr(start, end - start);
        const auto index = OperandIndex(operand);
        if (index && *index >= 1 && *index <= count) {
            const NumberRecord& n = f.Numbers[*index];
            const std::string own = TrimRight(n.name);
            name += own.empty() ? ConvertedNumber(n.value) : own;
        } else {
            name += Trim(operand);
        }
        if (end == std::string_view::npos) break;
        name += formula[end];
        start = end + 1;
    }
    return name;
}

// How a code names output 1: the names of its first `names` inputs with texts around them,
// texts[0] + name 1 + texts[1] + name 2 + texts[2] + name 3 + texts[3].
struct NameRule {
    std::string_view code;
    int names;
    std::array<std::string_view, 4> texts;
};

constexpr NameRule kNameRules[] = {
    {"L1", 2, {"", "", ""}},
    {"ND2P", 2, {"", "", ""}},
    {"ND2L", 2, {"距離(直線", ", 直線", ")"}},
    {"ND2C", 2, {"距離(円", ", 円", ")"}},
    {"NDLC", 2, {"距離(直線", ", 円", ")"}},
    {"NDPC", 2, {"距離(", ", 円", ")"}},
    {"NDPL", 2, {"距離(", ", 直線", ")"}},
    {"NA3P", 3, {"∠"}},
    {"NA3+", 3, {"∠"}},
    {"NA3M", 3, {"∠"}},
    {"NA3*", 3, {"∠"}},
    {"NAR3", 3, {"Δ"}},
    {"NAR+", 3, {"Δ"}},
    {"NA2L", 2, {"角度(直線", ", 直線", ")"}},
    {"NLC", 1, {"円", "の円周"}},
    {"NRC", 1, {"円", "の半径"}},
    {"NSIN", 1, {"SIN(", ")"}},
    {"NCOS", 1, {"COS(", ")"}},
    {"NTAN", 1, {"TAN(", ")"}},
};

// The naming rule of an operation number (OperationOf), found once from the codes; nullptr
// for a code named otherwise or not at all.
const NameRule* NameRuleOf(int op) {
    static const std::vector<const NameRule*> table = [] {
        std::vector<const NameRule*> t(CodeCatalogue().size() + 1, nullptr);
        for (const NameRule& rule : kNameRules)
            if (const i16 code = OperationOf(rule.code); code > 0)
                t[static_cast<size_t>(code)] = &rule;
        return t;
    }();
    return op > 0 && op < static_cast<int>(table.size()) ? table[static_cast<size_t>(op)]
                                                         : nullptr;
}

bool IsFormula(int op) {
    static const i16 calc = OperationOf("CALC");
    return op == calc;
}

// The name a code prescribes for output 1, from the names of inputs 1..3 or from a formula;
// false for a code without a naming rule.
bool RuleName(const Figure& f, int p, std::string& name) {
    if (IsFormula(f.ProcOp[p])) {
        name = FormulaName(f, f.Numbers[f.ProcOutput[p][1].index].formula);
        return true;
    }
    const NameRule* rule = NameRuleOf(f.ProcOp[p]);
    if (!rule) return false;
    name = rule->texts[0];
    for (int k = 1; k <= rule->names; ++k) {
        name += TrimRight(NameOf(f, f.ProcInput[p][k]));
        name += rule->texts[static_cast<size_t>(k)];
    }
    return true;
}

}  // namespace

void NameMeasuredOutputs(Figure& f) {
    const Makers makers(f);
    // A hand-made list can give a procedure its own output as an input: building that name
    // from itself would grow it at every load, so it keeps what it holds.
    const auto settled = [&](ObjectRef r, int p) { return r.index < 1 || makers.Of(r) != p; };
    // In list order, so that a name built from an earlier result's name sees that result's
    // new name.
    for (int p = 1; p <= f.ProcedureCount; ++p) {
        const ObjectRef out = f.ProcOutput[p][1];
        if (out.index < 1 || out.index > f.Capacity || out.kind < 0 || out.kind > 3) continue;
        bool ready = true;
        for (int j = 1; j <= 3; ++j) ready = ready && settled(f.ProcInput[p][j], p);
        if (IsFormula(f.ProcOp[p]) && out.kind == kKindNumber) {
            const CompiledFormula c = CompileFormula(f.Numbers[out.index].formula);
            for (int n : c.operands)
                ready = ready && settled({kKindNumber, static_cast<i16>(n)}, p);
        }
        if (!ready) continue;
        std::string name;
        if (RuleName(f, p, name)) SetName(f, out, name);
    }
}

}  // namespace kv
