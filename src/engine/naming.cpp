#include "engine/naming.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "engine/calculator.h"
#include "engine/makers.h"
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

// The name a code prescribes for output 1, from the names of inputs 1..3; false for a code
// without a naming rule.
bool RuleName(const Figure& f, int p, std::string& name) {
    const std::string& code = f.ProcCode[p];
    const SlotRow& in = f.ProcInput[p];
    const std::string n1 = TrimRight(NameOf(f, in[1]));
    const std::string n2 = TrimRight(NameOf(f, in[2]));
    const std::string n3 = TrimRight(NameOf(f, in[3]));

    if (code == "L1" || code == "ND2P") {
        name = n1 + n2;
    } else if (code == "ND2L") {
        name = "距離(直線" + n1 + ", " + "直線" + n2 + ")";
    } else if (code == "ND2C") {
        name = "距離(円" + n1 + ", " + "円" + n2 + ")";
    } else if (code == "NDLC") {
        name = "距離(直線" + n1 + ", " + "円" + n2 + ")";
    } else if (code == "NDPC") {
        name = "距離(" + n1 + ", " + "円" + n2 + ")";
    } else if (code == "NDPL") {
        name = "距離(" + n1 + ", " + "直線" + n2 + ")";
    } else if (code == "NA3P" || code == "NA3+" || code == "NA3M" || code == "NA3*") {
        name = "∠" + n1 + n2 + n3;
    } else if (code == "NAR3" || code == "NAR+") {
        name = "Δ" + n1 + n2 + n3;
    } else if (code == "NA2L") {
        name = "角度(直線" + n1 + ", " + "直線" + n2 + ")";
    } else if (code == "NLC") {
        name = "円" + n1 + "の円周";
    } else if (code == "NRC") {
        name = "円" + n1 + "の半径";
    } else if (code == "NSIN") {
        name = "SIN(" + n1 + ")";
    } else if (code == "NCOS") {
        name = "COS(" + n1 + ")";
    } else if (code == "NTAN") {
        name = "TAN(" + n1 + ")";
    } else if (code == "CALC") {
        name = FormulaName(f, f.Numbers[f.ProcOutput[p][1].index].formula);
    } else {
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
        if (f.ProcCode[p] == "CALC" && out.kind == kKindNumber) {
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
