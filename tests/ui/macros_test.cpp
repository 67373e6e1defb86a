// The macro constructions driven as the user drives them: the menu item, the picks, the count
// typed in the number dialog, the vertex picks of a polygon; then undo and repeat.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "construction_rig.h"
#include "render/number_list.h"
#include "ui/macros.h"
#include "ui/undo.h"

namespace kv {
namespace {

using test::XYPair;

class Macros : public test::ConstructionRig {
  protected:
    std::vector<std::string> Codes(int from) {
        std::vector<std::string> codes;
        for (int p = from; p <= fig().ProcedureCount; ++p) codes.push_back(CodeOf(fig(), p));
        return codes;
    }
    double Value(ObjectRef r) { return fig().Numbers[r.index].value; }
    double SideLength(int p) {
        const PointRecord &a = fig().Points[fig().ProcInput[p][1].index],
                          &b = fig().Points[fig().ProcInput[p][2].index];
        return std::hypot(b.x - a.x, b.y - a.y);
    }
    // The menu item, then the count typed before or after the points are picked.
    void Macro(const char* code, std::initializer_list<XYPair> at, const std::string& count) {
        ASSERT_TRUE(Menu(code)) << code;
        const bool countFirst = AwaitingNumber(app);
        if (countFirst) NewNumOK_Click(app, host, surface, count);
        for (const XYPair& p : at) Pick(p.x, p.y);
        if (!countFirst) NewNumOK_Click(app, host, surface, count);
    }
    // A polygon whose vertices are taken with Enter: each time the lowest point not yet used.
    void Polygon(const char* count, int vertices) {
        Macro("LPGN", {}, count);
        for (int i = 0; i < vertices; ++i) Key(kKeyEnter);
    }
};

TEST_F(Macros, DivisionPointsLieOnTheSegmentAtEqualSpacing) {
    Points({{-3, 1}, {6, 4}});
    for (const int n : {1, 2, 7}) {
        const int head = fig().ProcedureCount + 1;
        Macro("PNEQ", {{-3, 1}, {6, 4}}, std::to_string(n));
        std::vector<std::string> want{"PNEQ"};
        want.insert(want.end(), n - 1, "PN");
        want.push_back("PNEQ");
        ASSERT_EQ(Codes(head), want) << n;
        for (int i = 1; i <= n - 1; ++i) {
            const SlotRow& in = fig().ProcInput[head + i];
            EXPECT_EQ(Value(in[3]), i);
            EXPECT_EQ(Value(in[4]), n - i);
            EXPECT_FALSE(IsListedNumber(fig().Numbers[in[3].index]));
            const PointRecord& q = fig().Points[fig().ProcOutput[head + i][1].index];
            EXPECT_EQ(q.mark, 1);
            EXPECT_NEAR(q.x, -3 + 9.0 * i / n, 1e-9) << n << " " << i;
            EXPECT_NEAR(q.y, 1 + 3.0 * i / n, 1e-9) << n << " " << i;
        }
    }
    EXPECT_EQ(Count(kKindPoint), 2 + 1 + 6);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(host.numberDialogs.front().text, "2");  // the count proposed
}

TEST_F(Macros, AngleSectorsAreHalfLinesAtEqualAngles) {
    Points({{4, 0}, {0, 0}, {0, 4}});
    const int head = fig().ProcedureCount + 1;
    Macro("LH2+", {{4, 0}, {0, 0}, {0, 4}}, "3");
    ASSERT_EQ(Codes(head), (std::vector<std::string>{"LH2+", "LH2", "LH2", "LH2+"}));
    for (int i = 1; i <= 2; ++i) {
        const SlotRow& in = fig().ProcInput[head + i];
        EXPECT_EQ(Value(in[4]), 3);
        EXPECT_EQ(Value(in[5]), i);
        const LineRecord& l = fig().Lines[fig().ProcOutput[head + i][1].index];
        EXPECT_EQ(l.form, 2);
        EXPECT_NEAR(std::atan2(l.y2 - l.y1, l.x2 - l.x1) * 180 / std::numbers::pi, 30.0 * i, 1e-9);
    }
}

TEST_F(Macros, ARegularPolygonHasEqualSidesAndClosesOnItsFirstVertex) {
    Points({{0, 0}, {2, 0}});
    for (const int n : {4, 6}) {
        const int head = fig().ProcedureCount + 1;
        Macro("LRGN", {{0, 0}, {2, 0}}, std::to_string(n));
        std::vector<std::string> want{"LRGN"};
        want.insert(want.end(), n - 2, "PT1");
        want.insert(want.end(), n, "L1");
        want.push_back("LRGN");
        ASSERT_EQ(Codes(head), want) << n;
        EXPECT_NEAR(Value(fig().ProcInput[head + 1][3]), 180 - 360.0 / n, 1e-12);
        const int first = head + n - 1;
        EXPECT_EQ(fig().ProcInput[first][1].index, 1);
        EXPECT_EQ(fig().ProcInput[first + n - 1][2].index, 1);
        for (int p = first; p < first + n; ++p) {
            if (p > first) {
                EXPECT_EQ(fig().ProcInput[p][1], fig().ProcInput[p - 1][2]);
            }
            EXPECT_NEAR(SideLength(p), 2, 1e-9) << n << " row " << p;
            EXPECT_EQ(fig().Lines[fig().ProcOutput[p][1].index].form, 1);
        }
    }
}

TEST_F(Macros, APolygonGrowsSideBySideAndClosesOnItsFirstVertex) {
    Points({{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    const int head = fig().ProcedureCount + 1;
    Macro("LPGN", {}, "3");
    EXPECT_EQ(host.numberDialogs.back().text, "3");
    Pick(4, 3);
    Pick(0, 0);  // the side from the third point to the first appears at once
    EXPECT_EQ(Codes(head), (std::vector<std::string>{"LPGN", "LPG+", "L1", "LPG+"}));
    EXPECT_NE(fig().Lines[1].exists, 0);
    // The next vertex offered first is the lowest point not yet taken.
    EXPECT_EQ(app.session.CurrentCandidate, (ObjectRef{kKindPoint, 2}));
    Key(kKeyEnter);
    ASSERT_EQ(Mode(), kModeStandard);
    ASSERT_EQ(Codes(head), (std::vector<std::string>{"LPGN", "LPG+", "L1", "L1", "L1", "LPGN"}));
    const int sides[3][2] = {{3, 1}, {1, 2}, {2, 3}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(fig().ProcInput[head + 2 + k][1].index, sides[k][0]);
        EXPECT_EQ(fig().ProcInput[head + 2 + k][2].index, sides[k][1]);
        EXPECT_EQ(fig().Lines[k + 1].form, 1);
    }
    EXPECT_EQ(app.session.ModeDepth, 1);
}

TEST_F(Macros, CancellingAPolygonKeepsItsSidesAndLeavesNoHalfRows) {
    Points({{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    const int before = fig().ProcedureCount;
    Polygon("4", 3);
    Key(kKeyEsc);
    EXPECT_EQ(Codes(before + 1), (std::vector<std::string>{"LPGN", "LPG+", "L1", "L1", "LPGN"}));
    // With no side yet, nothing remains but the count typed.
    for (const int picked : {0, 1}) {
        const int procs = fig().ProcedureCount;
        Polygon("3", picked);
        RightClick();
        EXPECT_EQ(app.session.ModeDepth, 1);
        EXPECT_EQ(fig().ProcedureCount, procs) << picked;
    }
    EXPECT_EQ(Count(kKindLine), 2);
    EXPECT_EQ(Count(kKindNumber), 3);
}

TEST_F(Macros, TooFewPointsAndUnusableCountsLeaveTheListAsItWas) {
    Points({{0, 0}});
    const int procs = fig().ProcedureCount;
    EXPECT_FALSE(Menu("PNEQ"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt,
              "「ｎ等分」の元にするものが足りません。まず,それを作ってください。");
    Polygon("4", 0);  // more vertices than points: ends without a word
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.beeps, 0);

    Points({{6, 0}, {6, 6}});
    const int three = fig().ProcedureCount;
    int beeps = 0;
    for (const char* count : {"1e9", "2.5", "0", "1001"}) {
        Macro("PNEQ", {{0, 0}, {6, 0}}, count);
        EXPECT_EQ(host.beeps, ++beeps) << count;
    }
    for (const char* count : {"2", "4.5"}) {
        Macro("LRGN", {{0, 0}, {6, 0}}, count);
        EXPECT_EQ(host.beeps, ++beeps) << count;
    }
    Macro("LH2+", {{6, 0}, {0, 0}, {6, 6}}, "1e9");
    Polygon("2", 0);
    EXPECT_EQ(host.beeps, beeps + 2);
    EXPECT_EQ(fig().ProcedureCount, three);
    EXPECT_EQ(Count(kKindPoint), 3);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(fig().Capacity, kStartCapacity);
    EXPECT_EQ(procs + 2, three);

    // The largest count is taken; the tables grow for it.
    Macro("PNEQ", {{0, 0}, {6, 0}}, std::to_string(kMaxMacroCount));
    EXPECT_EQ(fig().ProcedureCount, three + kMaxMacroCount + 1);
    EXPECT_NEAR(fig().Points[3 + 500].x, 3, 1e-9);
}

TEST_F(Macros, UndoTakesTheSeriesAwayRowByRowFromTheClosingRow) {
    Points({{0, 0}, {6, 0}});
    const int procs = fig().ProcedureCount;
    Macro("PNEQ", {{0, 0}, {6, 0}}, "3");
    const int numbers = Count(kKindNumber);
    for (const int points : {4, 3, 2, 2}) {
        mnuCundo_Click(app, host, surface);
        EXPECT_EQ(Count(kKindPoint), points);
    }
    EXPECT_EQ(fig().ProcedureCount, procs);
    EXPECT_EQ(Count(kKindNumber), numbers);  // the numbers the series read stay

    Points({{3, 4}});
    Polygon("3", 3);
    for (const int lines : {3, 2, 1, 0, 0, 0}) {
        mnuMundo_Click(app, host, surface);
        EXPECT_EQ(Count(kKindLine), lines);
    }
    EXPECT_EQ(fig().ProcedureCount, procs + 1);
}

TEST_F(Macros, RepeatRunsTheWholeMacroCommandAgain) {
    Points({{0, 0}, {4, 0}, {0, 4}});
    Macro("LRGN", {{0, 0}, {4, 0}}, "3");
    RepeatLast(app, host, surface);
    ASSERT_TRUE(AwaitingNumber(app));
    NewNumOK_Click(app, host, surface, "4");
    Pick(4, 0);
    Pick(0, 4);
    EXPECT_EQ(Count(kKindLine), 7);
    EXPECT_EQ(CodeOf(fig(), fig().ProcedureCount), "LRGN");
}

}  // namespace
}  // namespace kv
