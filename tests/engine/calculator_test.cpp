#include "engine/calculator.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>

#include "support/test_figure.h"

namespace kv {
namespace {

// Numbers 1..10 of every formula figure.
constexpr double kValues[] = {2, 3, 4, 0.005, -8, 0.5, 0, 1e200, -0.005, 0.01};

struct FormulaRow {
    std::string formula;
    std::optional<double> expected;  // nullopt: the result is undefined
};

class CalcFormulas : public ::testing::TestWithParam<FormulaRow> {};

TEST_P(CalcFormulas, EvaluateThroughTheDriver) {
    TestFigure t;
    for (double v : kValues) t.Number(v);
    const ObjectRef result = t.Make1("CALC", {});
    t.Nm(result).formula = GetParam().formula;
    t.Recompute();
    const NumberRecord& n = t.Nm(result);
    if (GetParam().expected) {
        EXPECT_NE(n.exists, 0);
        EXPECT_DOUBLE_EQ(n.value, *GetParam().expected);
    } else {
        EXPECT_EQ(n.exists, 0);
        EXPECT_EQ(n.value, 0);  // no stale or non-finite value stays behind
    }
}

std::string Chain(int operands, char op) {
    std::string s = "#1";
    for (int i = 1; i < operands; ++i) s += std::string(1, op) + "#1";
    return s;
}

INSTANTIATE_TEST_SUITE_P(Ranking, CalcFormulas,
                         ::testing::Values(FormulaRow{"#1", 2}, FormulaRow{"#1-#2+#3", 3},
                                           FormulaRow{"#1+#2-#3", 1}, FormulaRow{"#1-#2-#3", -5},
                                           FormulaRow{"#1*#2^#3", 162},
                                           FormulaRow{"#1^#2^#3", 4096}, FormulaRow{"#3/#1/#1", 1},
                                           FormulaRow{"#1/#2*#3", 8.0 / 3},
                                           FormulaRow{"#1-#2*#3", -10},
                                           FormulaRow{"#3-#1^#2/#3", 2}));

INSTANTIATE_TEST_SUITE_P(Operands, CalcFormulas,
                         ::testing::Values(FormulaRow{"#1+#2      ", 5},
                                           FormulaRow{"   #1+  #2", 5}, FormulaRow{"#1*#1", 4},
                                           FormulaRow{"＃1+$2", 5}, FormulaRow{"#2 apples", 3},
                                           FormulaRow{Chain(25, '+'), 50},
                                           FormulaRow{Chain(25, '*'), 33554432}));

// A near-zero divisor, a power without a real value and an overflow leave no value to show.
INSTANTIATE_TEST_SUITE_P(
    UndefinedResults, CalcFormulas,
    ::testing::Values(FormulaRow{"#1/#4", std::nullopt}, FormulaRow{"#1/#9", std::nullopt},
                      FormulaRow{"#1/#10", 200}, FormulaRow{"#1+#2/#4", std::nullopt},
                      FormulaRow{"#5^#6", std::nullopt}, FormulaRow{"#5^#2", -512},
                      FormulaRow{"#7^#5", std::nullopt}, FormulaRow{"#8*#8", std::nullopt},
                      FormulaRow{"#8^#1+#1", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Malformed, CalcFormulas,
    ::testing::Values(FormulaRow{"", std::nullopt}, FormulaRow{"#1+", std::nullopt},
                      FormulaRow{"+#1", std::nullopt}, FormulaRow{"#1++#2", std::nullopt},
                      FormulaRow{"#1+   ", std::nullopt}, FormulaRow{"#0+#1", std::nullopt},
                      FormulaRow{"#1+#12", std::nullopt}, FormulaRow{"#1+#", std::nullopt},
                      FormulaRow{"#99999", std::nullopt},
                      FormulaRow{Chain(26, '+'), std::nullopt}));

TEST(CalcFormula, AnUndefinedOperandStillGivesADefinedResultFromItsLastValue) {
    TestFigure t;
    const ObjectRef a = t.Number(6);
    t.Number(3);
    t.Number(0);
    t.Nm(a).exists = 0;
    const ObjectRef result = t.Make1("CALC", {});
    t.Nm(result).formula = "#1/#2";
    t.Recompute();
    EXPECT_NE(t.Nm(result).exists, 0);
    EXPECT_DOUBLE_EQ(t.Nm(result).value, 2);

    // A later result that becomes computable again is defined again.
    t.Nm(result).formula = "#1/#3";
    t.Recompute();
    EXPECT_EQ(t.Nm(result).exists, 0);
    t.Nm(result).formula = "#1*#2";
    t.Recompute();
    EXPECT_NE(t.Nm(result).exists, 0);
    EXPECT_DOUBLE_EQ(t.Nm(result).value, 18);
}

TEST(CalcExpression, ReadsVariablesOfTheTableOnly) {
    WorkingTable v{};
    v[1] = 7;
    v[3] = 2;
    EXPECT_EQ(EvaluateExpression("", v), 0.0);
    EXPECT_EQ(EvaluateExpression("x3", v), 2.0);
    EXPECT_EQ(EvaluateExpression("X1-X3", v), 5.0);
    EXPECT_EQ(EvaluateExpression("x1+y3", v), std::nullopt);
    EXPECT_EQ(EvaluateExpression("x1+x99", v), std::nullopt);
    EXPECT_EQ(EvaluateExpression("x1*", v), std::nullopt);
    WorkingTable w{};
    w[1] = 10;
    w[2] = 4;
    EXPECT_EQ(EvaluateExpression("x1-x2-x2", w), 2.0);
}

TEST(CalcExpression, StopsWhenTheTableIsFull) {
    std::array<double, 4> small{0, 1, 1, 1};
    EXPECT_EQ(EvaluateExpression("x1+x2", small), 2.0);
    EXPECT_EQ(EvaluateExpression("x1+x2+x3", small), std::nullopt);
}

// A formula is compiled once and evaluated from its steps; on seeded random formulas of every
// operator and of numbers that make divisions, powers and overflows fail, the result is the one
// the text reduction gives over the same operands, undefined results included.
TEST(CalcCompiled, AgreesWithTheTextReductionOnRandomFormulas) {
    TestFigure t;
    for (double v : kValues) t.Number(v);
    std::mt19937 rng(20261208);
    const std::string ops(kFormulaOperators);
    for (int round = 0; round < 3000; ++round) {
        const int n = 1 + static_cast<int>(rng() % 26);  // up to one operator too many
        std::string formula, expression;
        WorkingTable table{};
        bool inRange = true;
        for (int k = 1; k <= n; ++k) {
            const int index = static_cast<int>(rng() % 12);  // 0 and 11 name no number
            inRange = inRange && index >= 1 && index <= 10;
            formula += "#" + std::to_string(index);
            expression += "x" + std::to_string(k);
            if (index >= 1 && index <= 10) table[k] = kValues[index - 1];
            if (k < n) {
                const char op = ops[rng() % ops.size()];
                formula += op;
                expression += op;
            }
        }
        std::optional<double> expected;
        if (inRange && n - 1 <= kMaxFormulaOperators)
            expected = EvaluateExpression(expression, table);
        const CompiledFormula c = CompileFormula(formula);
        const std::optional<double> got = EvaluateCompiled(t.f, c);
        ASSERT_EQ(got.has_value(), expected.has_value()) << formula;
        if (got) {
            ASSERT_EQ(*got, *expected) << formula;
        }
        ASSERT_EQ(FormulaValue(t.f, formula), got) << formula;
    }
}

TEST(CalcTokens, CutAtEveryDelimiter) {
    const std::string ops(kFormulaOperators);
    EXPECT_EQ(NthToken("#1+#22*#3", ops, 1), "#1");
    EXPECT_EQ(NthToken("#1+#22*#3", ops, 2), "#22");
    EXPECT_EQ(NthToken("#1+#22*#3", ops, 3), "#3");
    EXPECT_EQ(NthToken("#1+#22*#3", ops, 4), "");
    EXPECT_EQ(NthToken("#1--#2", ops, 2), "");
    EXPECT_EQ(NthToken("#1--#2", ops, 3), "#2");
    EXPECT_EQ(NthToken("abc", ops, 1), "abc");
    EXPECT_EQ(NthToken("abc", ops, 2), "");
    EXPECT_EQ(NthToken("abc", ops, 0), "");
}

TEST(CalcTokens, OperandIndexSkipsBlanksAndOneMarker) {
    EXPECT_EQ(OperandIndex("  #12   "), 12);
    EXPECT_EQ(OperandIndex("数7"), 7);
    EXPECT_EQ(OperandIndex("#1.6"), 2);
    EXPECT_EQ(OperandIndex("#"), 0);
    EXPECT_EQ(OperandIndex("   "), std::nullopt);
    EXPECT_EQ(OperandIndex("#40000"), std::nullopt);
}

}  // namespace
}  // namespace kv
