#include "engine/naming.h"

#include <gtest/gtest.h>

#include <string>

#include "model/text.h"
#include "support/test_figure.h"

namespace kv {
namespace {

// Points A, B, C, lines 1 and 2, circles 1 and 2 and a number named x, named as the
// construction commands leave them.
struct NamedFigure : TestFigure {
    ObjectRef a, b, c, l1, l2, c1, c2, x;
    NamedFigure() {
        a = Free(0, 0);
        b = Free(1, 0);
        c = Free(0, 1);
        l1 = Named(kKindLine);
        l2 = Named(kKindLine);
        c1 = Named(kKindCircle);
        c2 = Named(kKindCircle);
        x = Number(30);
        SetName(f, x, "x");
    }
    ObjectRef Named(i16 kind) {
        const ObjectRef r = NewObject(kind);
        InitObject(f, r);
        return r;
    }
    std::string NameAfterPass(std::string_view code, std::vector<ObjectRef> in) {
        const ObjectRef out = Make1(code, std::move(in));
        SetName(f, out, "given");
        NameMeasuredOutputs(f);
        return NameOf(f, out);
    }
};

TEST(Naming, EveryCodeWithARule) {
    NamedFigure t;
    const struct {
        std::string_view code;
        std::vector<ObjectRef> in;
        std::string name;
    } rows[] = {
        {"L1", {t.a, t.b}, "AB"},
        {"ND2P", {t.b, t.c}, "BC"},
        {"ND2L", {t.l1, t.l2}, "距離(直線1, 直線2)"},
        {"ND2C", {t.c2, t.c1}, "距離(円2, 円1)"},
        {"NDLC", {t.l2, t.c1}, "距離(直線2, 円1)"},
        {"NDPC", {t.a, t.c2}, "距離(A, 円2)"},
        {"NDPL", {t.c, t.l1}, "距離(C, 直線1)"},
        {"NA3P", {t.a, t.b, t.c}, "∠ABC"},
        {"NA3+", {t.c, t.a, t.b}, "∠CAB"},
        {"NA3M", {t.a, t.b, t.c}, "∠ABC"},
        {"NA3*", {t.b, t.c, t.a}, "∠BCA"},
        {"NAR3", {t.a, t.b, t.c}, "ΔABC"},
        {"NAR+", {t.c, t.b, t.a}, "ΔCBA"},
        {"NA2L", {t.l2, t.l1}, "角度(直線2, 直線1)"},
        {"NLC", {t.c1}, "円1の円周"},
        {"NRC", {t.c2}, "円2の半径"},
        {"NSIN", {t.x}, "SIN(x)"},
        {"NCOS", {t.x}, "COS(x)"},
        {"NTAN", {t.x}, "TAN(x)"},
    };
    for (const auto& row : rows) EXPECT_EQ(t.NameAfterPass(row.code, row.in), row.name) << row.code;
}

TEST(Naming, CodesWithoutARuleKeepTheirNames) {
    NamedFigure t;
    EXPECT_EQ(t.NameAfterPass("C2", {t.a, t.b}), "given");
    EXPECT_EQ(t.NameAfterPass("PEXT", {t.a, t.b}), "given");
    EXPECT_EQ(NameOf(t.f, t.a), "A");
}

TEST(Naming, FollowsTheListSoLaterNamesSeeEarlierOnes) {
    NamedFigure t;
    const ObjectRef d = t.Make1("ND2P", {t.a, t.b});
    const ObjectRef s = t.Make1("NSIN", {d});
    const ObjectRef sum = t.Make1("CALC", {});
    t.Nm(sum).formula = "#" + std::to_string(s.index) + "+#" + std::to_string(t.x.index);
    NameMeasuredOutputs(t.f);
    EXPECT_EQ(NameOf(t.f, s), "SIN(AB)");
    EXPECT_EQ(NameOf(t.f, sum), "SIN(AB)+x");
    // Renamed points give new names on the next pass, whatever the user called the results.
    SetName(t.f, t.a, "P");
    SetName(t.f, d, "mine");
    NameMeasuredOutputs(t.f);
    EXPECT_EQ(NameOf(t.f, sum), "SIN(PB)+x");
}

// A hand-made list may name a result from itself; such a name is kept as it is, so loading and
// saving the figure again and again never changes it. A name from a later result settles.
TEST(Naming, NamesFromOwnResultsAreKeptAndThePassChangesNothingTwice) {
    NamedFigure t;
    const ObjectRef d = t.Make1("ND2P", {t.a, t.b});
    const ObjectRef self = t.Make1("NSIN", {d});
    t.f.ProcInput[t.f.ProcedureCount][1] = self;  // SIN of itself
    const ObjectRef own = t.Make1("CALC", {});
    t.Nm(own).formula = "#" + std::to_string(own.index) + "+#" + std::to_string(t.x.index);
    const ObjectRef early = t.Make1("CALC", {});
    const ObjectRef late = t.Make1("NCOS", {d});
    t.Nm(early).formula = "#" + std::to_string(late.index);
    SetName(t.f, self, "s");
    SetName(t.f, own, "o");
    for (int pass = 0; pass < 3; ++pass) {
        NameMeasuredOutputs(t.f);
        EXPECT_EQ(NameOf(t.f, self), "s");
        EXPECT_EQ(NameOf(t.f, own), "o");
        if (pass > 0) {
            EXPECT_EQ(NameOf(t.f, early), "COS(AB)");
        }
    }
}

TEST(Naming, NamesAreCutToTheirFieldInCharacters) {
    NamedFigure t;
    SetName(t.f, t.a, "あいうえおかきくけこ");
    SetName(t.f, t.b, "さしす");
    EXPECT_EQ(t.NameAfterPass("L1", {t.a, t.b}), "あいうえおかきくけこ");
    EXPECT_EQ(t.NameAfterPass("NA3P", {t.b, t.c, t.a}), "∠さしすCあいうえおかきくけこ");

    std::string forty;
    for (int i = 0; i < 4; ++i) forty += "一二三四五六七八九十";
    ASSERT_EQ(CharCount(forty), 40);
    SetName(t.f, t.x, forty);
    const std::string name = t.NameAfterPass("NCOS", {t.x});
    EXPECT_EQ(CharCount(name), 40);
    EXPECT_EQ(name, "COS(" + CutChars(forty, 36));
}

TEST(Naming, FormulaOperandsWithoutNamesShowTheirValues) {
    NamedFigure t;
    const ObjectRef half = t.Number(0.5), minus = t.Number(-2), three = t.Number(3);
    const auto formula = [&](std::string text) {
        const ObjectRef n = t.Make1("CALC", {});
        t.Nm(n).formula = std::move(text);
        NameMeasuredOutputs(t.f);
        return NameOf(t.f, n);
    };
    const std::string x = std::to_string(t.x.index), h = std::to_string(half.index);
    const std::string m = std::to_string(minus.index), k = std::to_string(three.index);
    EXPECT_EQ(formula("#" + x + "+#" + h + "*#" + m), "x+ .5*-2");
    EXPECT_EQ(formula(" #" + x + "^  #" + h + "     "), "x^ .5");
    // A name is stored without leading blanks, so a leading value loses its sign position.
    EXPECT_EQ(formula("#" + k + "-#" + x), "3-x");
    EXPECT_EQ(formula("#" + x + "/#" + x), "x/x");
    // An operand that names no number stays as written.
    EXPECT_EQ(formula("#" + x + "+#99"), "x+#99");
    EXPECT_EQ(formula("#" + x + "+"), "x+");
}

}  // namespace
}  // namespace kv
