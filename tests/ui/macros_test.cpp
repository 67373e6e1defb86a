// The macro constructions driven as the user drives them: the menu item, the picks, the count
// typed in the number dialog, the vertex picks of a polygon; then undo and repeat.

#include <gtest/gtest.h>

#include <chrono>
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

using test::ConstructionRig;
using test::XYPair;

class Macros : public ConstructionRig {
  protected:
    // The codes of procedures from..ProcedureCount.
    std::vector<std::string> Codes(int from) {
        std::vector<std::string> codes;
        for (int p = from; p <= fig().ProcedureCount; ++p) codes.push_back(CodeOf(fig(), p));
        return codes;
    }
    double Value(ObjectRef r) { return fig().Numbers[r.index].value; }
    const PointRecord& Pt(ObjectRef r) { return fig().Points[r.index]; }
    double SideLength(int p) {
        const SlotRow& in = fig().ProcInput[p];
        const PointRecord &a = Pt(in[1]), &b = Pt(in[2]);
        return std::hypot(b.x - a.x, b.y - a.y);
    }
    // A macro whose count comes first: menu, count typed, then the points picked.
    void CountFirst(const char* code, const char* count, std::initializer_list<XYPair> at) {
        ASSERT_TRUE(Menu(code)) << code;
        NewNumOK_Click(app, host, surface, count);
        for (const XYPair& p : at) Pick(p.x, p.y);
    }
    // A macro whose points come first, then the count.
    void CountLast(const char* code, std::initializer_list<XYPair> at, const char* count) {
        ASSERT_TRUE(Menu(code)) << code;
        for (const XYPair& p : at) Pick(p.x, p.y);
        ASSERT_TRUE(AwaitingNumber(app)) << code;
        NewNumOK_Click(app, host, surface, count);
    }
};

TEST_F(Macros, DivisionPointsLieOnTheSegmentAtEqualSpacing) {
    Points({{-3, 1}, {6, 4}});
    for (const int n : {1, 2, 3, 7}) {
        const int head = fig().ProcedureCount + 1;
        const int points = Count(kKindPoint);
        CountLast("PNEQ", {{-3, 1}, {6, 4}}, std::to_string(n).c_str());
        ASSERT_EQ(Mode(), kModeStandard) << n;
        std::vector<std::string> want{"PNEQ"};
        want.insert(want.end(), n - 1, "PN");
        want.push_back("PNEQ");
        ASSERT_EQ(Codes(head), want) << n;
        EXPECT_EQ(Count(kKindPoint), points + n - 1);
        for (int i = 1; i <= n - 1; ++i) {
            const SlotRow& in = fig().ProcInput[head + i];
            EXPECT_EQ(in[1], (ObjectRef{kKindPoint, 1}));
            EXPECT_EQ(in[2], (ObjectRef{kKindPoint, 2}));
            EXPECT_EQ(Value(in[3]), i);
            EXPECT_EQ(Value(in[4]), n - i);
            // Ratio numbers are fixed and kept out of the on-screen number list.
            EXPECT_FALSE(IsListedNumber(fig().Numbers[in[3].index]));
            EXPECT_FALSE(IsListedNumber(fig().Numbers[in[4].index]));
            const PointRecord& q = Pt(fig().ProcOutput[head + i][1]);
            ASSERT_NE(q.exists, 0);
            EXPECT_EQ(q.mark, 1);
            EXPECT_NEAR(q.x, -3 + 9.0 * i / n, 1e-9) << n << " " << i;
            EXPECT_NEAR(q.y, 1 + 3.0 * i / n, 1e-9) << n << " " << i;
        }
        // The head and closing rows create nothing.
        EXPECT_EQ(fig().ProcOutput[head][1], ObjectRef{});
        EXPECT_EQ(fig().ProcInput[fig().ProcedureCount][1], ObjectRef{});
    }
    EXPECT_EQ(host.beeps, 0);
    // The dialog proposes 2 parts.
    EXPECT_EQ(host.numberDialogs.front().text, "2");
}

TEST_F(Macros, AngleSectorsAreHalfLinesAtEqualAngles) {
    Points({{4, 0}, {0, 0}, {0, 4}});
    const int head = fig().ProcedureCount + 1;
    CountLast("LH2+", {{4, 0}, {0, 0}, {0, 4}}, "3");
    ASSERT_EQ(Codes(head), (std::vector<std::string>{"LH2+", "LH2", "LH2", "LH2+"}));
    for (int i = 1; i <= 2; ++i) {
        const SlotRow& in = fig().ProcInput[head + i];
        EXPECT_EQ(in[2], (ObjectRef{kKindPoint, 2}));
        EXPECT_EQ(Value(in[4]), 3);
        EXPECT_EQ(Value(in[5]), i);
        const LineRecord& l = fig().Lines[fig().ProcOutput[head + i][1].index];
        ASSERT_NE(l.exists, 0);
        EXPECT_EQ(l.form, 2);
        EXPECT_NEAR(std::atan2(l.y2 - l.y1, l.x2 - l.x1) * 180 / std::numbers::pi, 30.0 * i, 1e-9);
    }
    EXPECT_EQ(Count(kKindLine), 2);
}

TEST_F(Macros, ARegularPolygonHasEqualSidesAndClosesOnItsFirstVertex) {
    Points({{0, 0}, {2, 0}});
    for (const int n : {4, 6}) {
        const int head = fig().ProcedureCount + 1;
        const int lines = Count(kKindLine);
        CountFirst("LRGN", std::to_string(n).c_str(), {{0, 0}, {2, 0}});
        ASSERT_EQ(Mode(), kModeStandard);
        std::vector<std::string> want{"LRGN"};
        want.insert(want.end(), n - 2, "PT1");
        want.insert(want.end(), n, "L1");
        want.push_back("LRGN");
        ASSERT_EQ(Codes(head), want) << n;
        EXPECT_EQ(Count(kKindLine), lines + n);
        EXPECT_NEAR(Value(fig().ProcInput[head + 1][3]), 180 - 360.0 / n, 1e-12);
        const int firstSide = head + n - 1;
        EXPECT_EQ(fig().ProcInput[firstSide][1], (ObjectRef{kKindPoint, 1}));
        EXPECT_EQ(fig().ProcInput[firstSide][2], (ObjectRef{kKindPoint, 2}));
        EXPECT_EQ(fig().ProcInput[firstSide + n - 1][2], (ObjectRef{kKindPoint, 1}));
        for (int k = 0; k < n; ++k) {
            const int p = firstSide + k;
            // Each side starts where the previous one ends.
            if (k > 0) {
                EXPECT_EQ(fig().ProcInput[p][1], fig().ProcInput[p - 1][2]);
            }
            EXPECT_NEAR(SideLength(p), 2, 1e-9) << n << " side " << k;
            EXPECT_EQ(fig().Lines[fig().ProcOutput[p][1].index].form, 1);
        }
    }
    // The square A, B, Q1, Q2 turns clockwise: Q1 = (2, -2), Q2 = (0, -2).
    EXPECT_NEAR(fig().Points[3].x, 2, 1e-9);
    EXPECT_NEAR(fig().Points[3].y, -2, 1e-9);
    EXPECT_NEAR(fig().Points[4].x, 0, 1e-9);
    EXPECT_NEAR(fig().Points[4].y, -2, 1e-9);

    // Dragging B keeps both polygons regular on the new side.
    Click(2, 0);
    Click(2, 0);
    if (Mode() != kModeDeform) Click(2, 0);
    ASSERT_EQ(app.session.DragPoint, 2);
    Form_MouseMove(app, host, surface, kButtonLeft, 0, 3, 1);
    RightClick();
    for (int p = 1; p <= fig().ProcedureCount; ++p) {
        if (CodeOf(fig(), p) == "L1") {
            EXPECT_NEAR(SideLength(p), std::sqrt(10.0), 1e-9) << p;
        }
    }
}

TEST_F(Macros, APolygonGrowsSideBySideAndClosesOnItsFirstVertex) {
    Points({{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    const int head = fig().ProcedureCount + 1;
    ASSERT_TRUE(Menu("LPGN"));
    EXPECT_EQ(host.numberDialogs.back().text, "3");
    NewNumOK_Click(app, host, surface, "3");
    ASSERT_EQ(Mode(), kModeConstructionPick);
    Pick(4, 3);  // R
    EXPECT_EQ(Count(kKindLine), 0);
    Pick(0, 0);  // P: the side R-P appears at once
    EXPECT_EQ(Count(kKindLine), 1);
    EXPECT_NE(fig().Lines[1].exists, 0);
    EXPECT_EQ(Codes(head), (std::vector<std::string>{"LPGN", "LPG+", "L1", "LPG+"}));
    // The next vertex offered first is the lowest point not yet taken.
    EXPECT_EQ(app.session.CurrentCandidate, (ObjectRef{kKindPoint, 2}));
    Key(kKeyEnter);  // Q
    ASSERT_EQ(Mode(), kModeStandard);
    ASSERT_EQ(Codes(head), (std::vector<std::string>{"LPGN", "LPG+", "L1", "L1", "L1", "LPGN"}));
    const std::vector<std::pair<int, int>> sides{{3, 1}, {1, 2}, {2, 3}};
    for (int k = 0; k < 3; ++k) {
        const int p = head + 2 + k;
        EXPECT_EQ(fig().ProcInput[p][1].index, sides[k].first);
        EXPECT_EQ(fig().ProcInput[p][2].index, sides[k].second);
        const LineRecord& l = fig().Lines[fig().ProcOutput[p][1].index];
        EXPECT_EQ(l.form, 1);
        EXPECT_NE(l.exists, 0);
    }
    EXPECT_EQ(fig().ProcInput[head + 1], SlotRow{});
    EXPECT_EQ(fig().ProcOutput[head + 1], SlotRow{});
    EXPECT_EQ(Count(kKindLine), 3);
    EXPECT_EQ(app.session.ModeDepth, 1);
}

TEST_F(Macros, CancellingAPolygonKeepsItsSidesAndLeavesNoHalfRows) {
    Points({{0, 0}, {4, 0}, {4, 3}, {0, 3}});
    const int before = fig().ProcedureCount;
    // Cancelled after three of four vertices: two sides stay, closed off as a series.
    ASSERT_TRUE(Menu("LPGN"));
    NewNumOK_Click(app, host, surface, "4");
    Key(kKeyEnter);
    Key(kKeyEnter);
    Key(kKeyEnter);
    Key(kKeyEsc);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Codes(before + 1), (std::vector<std::string>{"LPGN", "LPG+", "L1", "L1", "LPGN"}));
    EXPECT_EQ(Count(kKindLine), 2);
    // Cancelled after one or no vertex: no row remains; the count typed stays a number.
    for (const int picked : {0, 1}) {
        const int procs = fig().ProcedureCount;
        const int numbers = Count(kKindNumber);
        ASSERT_TRUE(Menu("LPGN"));
        NewNumOK_Click(app, host, surface, "3");
        for (int i = 0; i < picked; ++i) Key(kKeyEnter);
        RightClick();
        EXPECT_EQ(Mode(), kModeStandard);
        EXPECT_EQ(app.session.ModeDepth, 1);
        EXPECT_EQ(fig().ProcedureCount, procs) << picked;
        EXPECT_EQ(Count(kKindNumber), numbers + 1);
        EXPECT_EQ(Count(kKindLine), 2);
    }
    // A stale vertex afterwards changes nothing.
    AcceptVertex(app, host, surface, {kKindPoint, 1});
    EXPECT_EQ(Count(kKindLine), 2);
}

TEST_F(Macros, TooFewPointsOrUnusableCountsLeaveTheListAsItWas) {
    Points({{0, 0}});
    const int procs = fig().ProcedureCount;
    // "n等分" needs two points, as the availability check says.
    EXPECT_FALSE(Menu("PNEQ"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt,
              "「ｎ等分」の元にするものが足りません。まず,それを作ってください。");
    // A polygon counts nothing first; more vertices than points end it silently.
    CountFirst("LPGN", "4", {});
    EXPECT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.beeps, 0);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(fig().ProcedureCount, procs);
    EXPECT_EQ(Count(kKindNumber), 1);

    // Counts the commands cannot use are refused with a beep, quickly and without rows.
    Points({{6, 0}, {6, 6}});
    const int three = fig().ProcedureCount;
    const auto start = std::chrono::steady_clock::now();
    int beeps = 0;
    for (const char* count : {"1e9", "2.5", "0", "-3", "1001"}) {
        CountLast("PNEQ", {{0, 0}, {6, 0}}, count);
        EXPECT_EQ(host.beeps, ++beeps) << count;
    }
    for (const char* count : {"2", "1e9", "4.5"}) {
        CountFirst("LRGN", count, {{0, 0}, {6, 0}});
        EXPECT_EQ(host.beeps, ++beeps) << count;
    }
    CountLast("LH2+", {{6, 0}, {0, 0}, {6, 6}}, "1e9");
    EXPECT_EQ(host.beeps, ++beeps);
    CountFirst("LPGN", "2", {});
    EXPECT_EQ(host.beeps, ++beeps);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(fig().ProcedureCount, three);
    EXPECT_EQ(Count(kKindPoint), 3);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(fig().Capacity, kStartCapacity);

    // The largest count is accepted; the tables grow for it.
    CountLast("PNEQ", {{0, 0}, {6, 0}}, std::to_string(kMaxMacroCount).c_str());
    EXPECT_EQ(host.beeps, beeps);
    EXPECT_EQ(fig().ProcedureCount, three + kMaxMacroCount + 1);
    EXPECT_EQ(Count(kKindPoint), 3 + kMaxMacroCount - 1);
    EXPECT_NEAR(fig().Points[3 + 500].x, 3, 1e-9);
}

TEST_F(Macros, UndoTakesTheSeriesAwayRowByRowFromTheClosingRow) {
    Points({{0, 0}, {6, 0}});
    const int procs = fig().ProcedureCount;
    CountLast("PNEQ", {{0, 0}, {6, 0}}, "3");
    const int numbers = Count(kKindNumber);
    mnuCundo_Click(app, host, surface);  // the closing row: nothing visible goes
    EXPECT_EQ(Count(kKindPoint), 4);
    EXPECT_EQ(CodeOf(fig(), fig().ProcedureCount), "PN");
    mnuCundo_Click(app, host, surface);  // the last division point
    EXPECT_EQ(Count(kKindPoint), 3);
    EXPECT_NEAR(fig().Points[3].x, 2, 1e-9);
    mnuCundo_Click(app, host, surface);
    mnuCundo_Click(app, host, surface);  // the head
    EXPECT_EQ(fig().ProcedureCount, procs);
    EXPECT_EQ(Count(kKindPoint), 2);
    EXPECT_EQ(Count(kKindNumber), numbers);  // numbers read by the series stay

    // A polygon likewise: closing row, closing side, the other sides, the vertex row, the head.
    Points({{3, 4}});
    const int before = fig().ProcedureCount;
    ASSERT_TRUE(Menu("LPGN"));
    NewNumOK_Click(app, host, surface, "3");
    for (int i = 0; i < 3; ++i) Key(kKeyEnter);
    ASSERT_EQ(Count(kKindLine), 3);
    for (const int lines : {3, 2, 1, 0, 0, 0}) {
        mnuMundo_Click(app, host, surface);
        EXPECT_EQ(Count(kKindLine), lines);
    }
    EXPECT_EQ(fig().ProcedureCount, before);
}

TEST_F(Macros, RepeatRunsTheWholeMacroCommandAgain) {
    Points({{0, 0}, {4, 0}, {0, 4}});
    CountFirst("LRGN", "3", {{0, 0}, {4, 0}});
    ASSERT_EQ(Count(kKindLine), 3);
    RepeatLast(app, host, surface);
    ASSERT_EQ(Mode(), kModeConstructionPick);
    EXPECT_EQ(CodeOf(fig(), fig().ProcedureCount), "LRGN");
    ASSERT_TRUE(AwaitingNumber(app));
    NewNumOK_Click(app, host, surface, "4");
    Pick(4, 0);
    Pick(0, 4);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Count(kKindLine), 7);
    EXPECT_EQ(CodeOf(fig(), fig().ProcedureCount), "LRGN");

    // After a polygon the repeat asks for a new polygon's count, then its vertices.
    ASSERT_TRUE(Menu("LPGN"));
    NewNumOK_Click(app, host, surface, "3");
    for (int i = 0; i < 3; ++i) Key(kKeyEnter);
    ASSERT_EQ(Count(kKindLine), 10);
    RepeatLast(app, host, surface);
    ASSERT_TRUE(AwaitingNumber(app));
    NewNumOK_Click(app, host, surface, "3");
    for (int i = 0; i < 3; ++i) Key(kKeyEnter);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Count(kKindLine), 13);
    EXPECT_EQ(CodeOf(fig(), fig().ProcedureCount), "LPGN");
}

}  // namespace
}  // namespace kv
