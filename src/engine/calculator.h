#pragma once
// The expression calculator of CALC numbers. A formula names other numbers by their index in
// `Numbers`, each index behind one marker character ("#1+#2*#3"); it is translated into an
// expression over numbered variables of a working table ("x1+x2*x3"), which a reduction
// evaluator computes. There are no parentheses, signs, literals or functions.

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/figure.h"

namespace kv {

// The five operator characters of formulas and expressions.
inline constexpr std::string_view kFormulaOperators = "+-*/^";
// A formula's reductions fill the working table up to slot 2n + 1, so n operators must stay
// within its 51 slots (0..50).
constexpr int kWorkingSlots = 51;
constexpr int kMaxFormulaOperators = 24;

using WorkingTable = std::array<double, kWorkingSlots>;

// The k-th piece (k from 1) of the text cut at every character that occurs in `delimiters`;
// empty when there is no such piece. Without any delimiter in the text, piece 1 is the text.
std::string NthToken(std::string_view text, std::string_view delimiters, int k);

// The index an operand of a formula names: leading blanks, one marker character of any kind,
// then the longest leading decimal number, rounded to an integer. nullopt for a blank operand
// and for an index beyond the 16-bit range; whether the index names a number is for the caller.
std::optional<int> OperandIndex(std::string_view operand);

// Reduces the expression over the table, writing each step's result into the next free slot.
// "^" is reduced first, then "/", "*", "-", "+", the leftmost first among equal operators.
// nullopt when the result is undefined: a divisor below kShortVector in magnitude, a power or
// any step without a finite real value, a variable outside the table, or more steps than the
// table holds.
std::optional<double> EvaluateExpression(std::string_view expression, std::span<double> table);

// The formula text made ready for evaluation: operands and the reduction order.
CompiledFormula CompileFormula(std::string_view formula);
// Its value over the figure's numbers, exactly as FormulaValue gives it.
std::optional<double> EvaluateCompiled(const Figure& f, const CompiledFormula& c);

// The value of a formula over the figure's numbers; nullopt for a malformed formula (an empty
// operand, an operand naming no number, more than kMaxFormulaOperators operators) and for an
// undefined result. The `exists` flags of the referenced numbers are not consulted.
std::optional<double> FormulaValue(const Figure& f, std::string_view formula);

}  // namespace kv
