#include "engine/calculator.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "model/number_text.h"

namespace kv {

std::string NthToken(std::string_view text, std::string_view delimiters, int k) {
    if (k < 1) return {};
    size_t start = 0;
    for (int piece = 1;; ++piece) {
        const size_t end = text.find_first_of(delimiters, start);
        if (piece == k) return std::string(text.substr(start, end - start));
        if (end == std::string_view::npos) return {};
        start = end + 1;
    }
}

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool IsOperator(char c) {
    return kFormulaOperators.find(c) != std::string_view::npos;
}

// The slot a variable token ("x" and decimal digits, nothing else) names.
std::optional<size_t> VariableSlot(std::string_view token, size_t tableSize) {
    if (token.size() < 2 || token.size() > 6 || token[0] != 'x') return std::nullopt;
    size_t k = 0;
    for (char c : token.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        k = k * 10 + static_cast<size_t>(c - '0');
    }
    if (k >= tableSize) return std::nullopt;
    return k;
}

std::optional<double> Apply(char op, double a, double b) {
    double r = 0;
    switch (op) {
        case '+':
            r = a + b;
            break;
        case '-':
            r = a - b;
            break;
        case '*':
            r = a * b;
            break;
        case '/':
            // The same near-zero divisor as complex division of points; the quotient has no
            // meaningful value then, so the result is undefined rather than a made-up number.
            if (!(std::fabs(b) >= kShortVector)) return std::nullopt;
            r = a / b;
            break;
        case '^':
            r = std::pow(a, b);
            break;
        default:
            return std::nullopt;
    }
    if (!std::isfinite(r)) return std::nullopt;
    return r;
}

// The operator reduced next: the first "+", replaced by the first "-" when there is one, and
// so on through "*", "/" and "^".
size_t ChosenOperator(const std::string& e) {
    size_t chosen = std::string::npos;
    for (char op : kFormulaOperators) {
        const size_t at = e.find(op);
        if (at != std::string::npos) chosen = at;
    }
    return chosen;
}

}  // namespace

std::optional<int> OperandIndex(std::string_view operand) {
    const size_t b = operand.find_first_not_of(' ');
    if (b == std::string_view::npos) return std::nullopt;
    // The marker may be any character, so skip one whole UTF-8 character.
    size_t i = b + 1;
    while (i < operand.size() && IsContinuation(static_cast<unsigned char>(operand[i]))) ++i;
    const double v = std::nearbyint(LeadingNumber(operand.substr(i)));
    if (!(v >= -32768 && v <= 32767)) return std::nullopt;
    return static_cast<int>(v);
}

std::optional<double> EvaluateExpression(std::string_view expression, std::span<double> table) {
    std::string e(expression);
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    // New slots are numbered on from the count of variables in the expression.
    size_t c = static_cast<size_t>(std::count(e.begin(), e.end(), 'x'));

    size_t at = ChosenOperator(e);
    if (at == std::string::npos) {
        if (c == 0) return 0.0;
        const auto k = VariableSlot(e, table.size());
        if (!k) return std::nullopt;
        return table[*k];
    }
    while (at != std::string::npos) {
        size_t left = at;
        while (left > 0 && !IsOperator(e[left - 1])) --left;
        size_t right = at + 1;
        while (right < e.size() && !IsOperator(e[right])) ++right;
        const auto a = VariableSlot(std::string_view(e).substr(left, at - left), table.size());
        const auto b =
            VariableSlot(std::string_view(e).substr(at + 1, right - at - 1), table.size());
        if (!a || !b) return std::nullopt;
        const auto r = Apply(e[at], table[*a], table[*b]);
        if (!r) return std::nullopt;
        if (++c >= table.size()) return std::nullopt;
        table[c] = *r;
        // The chosen operator is the leftmost of its kind, so no copy of this operation can
        // occur earlier in the text: replacing it in place is replacing its first occurrence.
        e.replace(left, right - left, "x" + std::to_string(c));
        at = ChosenOperator(e);
    }
    return table[c];
}

CompiledFormula CompileFormula(std::string_view formula) {
    CompiledFormula c;
    c.source = formula;
    std::vector<size_t> pos;
    for (size_t i = 0; i < formula.size(); ++i)
        if (IsOperator(formula[i])) pos.push_back(i);
    if (pos.size() > static_cast<size_t>(kMaxFormulaOperators)) return c;

    size_t start = 0;
    for (size_t k = 1; k <= pos.size() + 1; ++k) {
        const size_t end = k <= pos.size() ? pos[k - 1] : formula.size();
        const auto index = OperandIndex(formula.substr(start, end - start));
        if (!index) return c;
        c.operands.push_back(*index);
        start = end + 1;
    }

    // The reductions of EvaluateExpression over "x1+x2*...", worked out on slot numbers: the
    // operator chosen as ChosenOperator chooses it, its two neighbours replaced by the next
    // free slot.
    std::vector<unsigned char> slots;
    std::string ops;
    for (size_t k = 1; k <= c.operands.size(); ++k) slots.push_back(static_cast<unsigned char>(k));
    for (size_t at : pos) ops += formula[at];
    size_t next = c.operands.size();
    while (!ops.empty()) {
        size_t at = std::string::npos;
        for (char op : kFormulaOperators)
            if (const size_t i = ops.find(op); i != std::string::npos) at = i;
        if (++next >= kWorkingSlots) return c;
        c.steps.push_back({ops[at], slots[at], slots[at + 1]});
        slots[at] = static_cast<unsigned char>(next);
        slots.erase(slots.begin() + static_cast<std::ptrdiff_t>(at) + 1);
        ops.erase(at, 1);
    }
    c.valid = true;
    return c;
}

std::optional<double> EvaluateCompiled(const Figure& f, const CompiledFormula& c) {
    if (!c.valid) return std::nullopt;
    const int count = Count(f, kKindNumber);
    // Not cleared: the operands fill slots 1.., and every step reads two slots written before
    // it (operands or earlier results) and writes the next one.
    WorkingTable table;
    size_t k = 0;
    for (int index : c.operands) {
        if (index < 1 || index > count) return std::nullopt;
        table[++k] = f.Numbers[index].value;
    }
    for (const CompiledFormula::Step& step : c.steps) {
        const auto r = Apply(step.op, table[step.left], table[step.right]);
        if (!r) return std::nullopt;
        table[++k] = *r;
    }
    return c.steps.empty() ? table[1] : table[k];
}

std::optional<double> FormulaValue(const Figure& f, std::string_view formula) {
    return EvaluateCompiled(f, CompileFormula(formula));
}

void EvaluateFormula(Figure& f, int p) {
    if (p < 1 || p >= static_cast<int>(f.ProcOutput.size())) return;
    // The formula and the result live in the number of output 1.
    const int out = f.ProcOutput[p][1].index;
    if (out < 1 || out > f.Capacity) return;
    NumberRecord& n = f.Numbers[out];
    if (f.Formulas.size() <= static_cast<size_t>(out)) f.Formulas.resize(f.Capacity + 1);
    CompiledFormula& compiled = f.Formulas[out];
    // Made once per text: a formula edited or read anew no longer matches its source.
    if (compiled.source != n.formula) compiled = CompileFormula(n.formula);
    if (const auto v = EvaluateCompiled(f, compiled)) {
        n.value = *v;
        n.exists = kTrue;
    } else {
        // No stale or non-finite value is left behind for the list or a file to show.
        n.value = 0;
        n.exists = 0;
    }
}

}  // namespace kv
