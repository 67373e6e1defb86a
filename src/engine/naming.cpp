#include "engine/naming.h"

#include <algorithm>
#include <string_view>
#include <utility>
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

// The naming rules of output 1, one for each group of codes that names its result alike.
enum class Naming : unsigned char {
    kNone,
    kJoined,         // L1, ND2P: the two names side by side
    kLineLine,       // ND2L
    kCircleCircle,   // ND2C
    kLineCircle,     // NDLC
    kPointCircle,    // NDPC
    kPointLine,      // NDPL
    kAngle,          // NA3P, NA3+, NA3M, NA3*
    kArea,           // NAR3, NAR+
    kLinesAngle,     // NA2L
    kCircumference,  // NLC
    kRadius,         // NRC
    kSine,           // NSIN
    kCosine,         // NCOS
    kTangent,        // NTAN
    kFormula,        // CALC
};

// The naming rule of each operation number (OperationOf), found once from the codes.
Naming NamingOf(int op) {
    static const std::vector<Naming> table = [] {
        std::vector<Naming> t(CodeCatalogue().size() + 1, Naming::kNone);
        const std::pair<std::string_view, Naming> rules[] = {
            {"L1", Naming::kJoined},       {"ND2P", Naming::kJoined},
            {"ND2L", Naming::kLineLine},   {"ND2C", Naming::kCircleCircle},
            {"NDLC", Naming::kLineCircle}, {"NDPC", Naming::kPointCircle},
            {"NDPL", Naming::kPointLine},  {"NA3P", Naming::kAngle},
            {"NA3+", Naming::kAngle},      {"NA3M", Naming::kAngle},
            {"NA3*", Naming::kAngle},      {"NAR3", Naming::kArea},
            {"NAR+", Naming::kArea},       {"NA2L", Naming::kLinesAngle},
            {"NLC", Naming::kCircumference}, {"NRC", Naming::kRadius},
            {"NSIN", Naming::kSine},       {"NCOS", Naming::kCosine},
            {"NTAN", Naming::kTangent},    {"CALC", Naming::kFormula},
        };
        for (const auto& [code, rule] : rules)
            if (const i16 op = OperationOf(code); op > 0) t[static_cast<size_t>(op)] = rule;
        return t;
    }();
    return op > 0 && op < static_cast<int>(table.size()) ? table[static_cast<size_t>(op)]
                                                         : Naming::kNone;
}

// The name a code prescribes for output 1, from the names of inputs 1..3; false for a code
// without a naming rule.
bool RuleName(const Figure& f, int p, std::string& name) {
    const Naming rule = NamingOf(f.ProcOp[p]);
    if (rule == Naming::kNone) return false;
    if (rule == Naming::kFormula) {
        name = FormulaName(f, f.Numbers[f.ProcOutput[p][1].index].formula);
        return true;
    }
    const SlotRow& in = f.ProcInput[p];
    const std::string n1 = TrimRight(NameOf(f, in[1]));
    const std::string n2 = TrimRight(NameOf(f, in[2]));
    const std::string n3 = TrimRight(NameOf(f, in[3]));
    switch (rule) {
        case Naming::kJoined:
            name = n1 + n2;
            break;
        case Naming::kLineLine:
            name = "距離(直線" + n1 + ", " + "直線" + n2 + ")";
            break;
        case Naming::kCircleCircle:
            name = "距離(円" + n1 + ", " + "円" + n2 + ")";
            break;
        case Naming::kLineCircle:
            name = "距離(直線" + n1 + ", " + "円" + n2 + ")";
            break;
        case Naming::kPointCircle:
            name = "距離(" + n1 + ", " + "円" + n2 + ")";
            break;
        case Naming::kPointLine:
            name = "距離(" + n1 + ", " + "直線" + n2 + ")";
            break;
        case Naming::kAngle:
            name = "∠" + n1 + n2 + n3;
            break;
        case Naming::kArea:
            name = "Δ" + n1 + n2 + n3;
            break;
        case Naming::kLinesAngle:
            name = "角度(直線" + n1 + ", " + "直線" + n2 + ")";
            break;
        case Naming::kCircumference:
            name = "円" + n1 + "の円周";
            break;
        case Naming::kRadius:
            name = "円" + n1 + "の半径";
            break;
        case Naming::kSine:
            name = "SIN(" + n1 + ")";
            break;
        case Naming::kCosine:
            name = "COS(" + n1 + ")";
            break;
        case Naming::kTangent:
            name = "TAN(" + n1 + ")";
            break;
        case Naming::kNone:
        case Naming::kFormula:
            return false;
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
        if (NamingOf(f.ProcOp[p]) == Naming::kFormula && out.kind == kKindNumber) {
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
