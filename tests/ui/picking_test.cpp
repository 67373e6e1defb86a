// Picking: which candidates a construction offers, the nearest object to a click, the walk
// with the arrow keys, accepting and cancelling, and the pick of a point to drag.

#include <gtest/gtest.h>

#include <cmath>

#include "construction_rig.h"
#include "ui/modes.h"

namespace kv {
namespace {

using test::ConstructionRig;

class Picking : public ConstructionRig {
  protected:
    ObjectRef Current() const { return app.session.CurrentCandidate; }
    static ObjectRef Ln(int i) { return {kKindLine, static_cast<i16>(i)}; }
    static ObjectRef Pt(int i) { return {kKindPoint, static_cast<i16>(i)}; }
};

TEST_F(Picking, TheSecondLineOfAnIntersectionIsNeverTheFirst) {
    Points({{-6, 0}, {6, 0}, {-6, 4}, {6, 4}, {0, -6}, {0, 6}});
    Build("L1", {{-6, 0}, {6, 0}});  // line 1: y = 0
    Build("L1", {{-6, 4}, {6, 4}});  // line 2: y = 4
    Build("L1", {{0, -6}, {0, 6}});  // line 3: x = 0
    ASSERT_TRUE(Menu("PC1"));
    EXPECT_EQ(Current(), Ln(1));
    EXPECT_EQ(host.PickStatus(), "直線AB");
    Key(kKeyEnter);
    EXPECT_EQ(Current(), Ln(2));

    // Right on line 1, the mouse finds the nearer of the others.
    Click(-3, 0.1);
    EXPECT_EQ(Current(), Ln(3));
    EXPECT_EQ(Mode(), 15);
    Key(kKeyDown);  // wraps past line 1
    EXPECT_EQ(Current(), Ln(2));
    Key(kKeyUp);  // wraps the other way, past line 1 again
    EXPECT_EQ(Current(), Ln(3));
    Key(kKeyEnter);

    EXPECT_EQ(Mode(), kModeStandard);
    const int p = fig().ProcedureCount;
    EXPECT_EQ(fig().ProcInput[p][1], Ln(1));
    EXPECT_EQ(fig().ProcInput[p][2], Ln(3));
    const PointRecord& x = fig().Points[fig().ProcOutput[p][1].index];
    EXPECT_NEAR(x.x, 0, 1e-9);
    EXPECT_NEAR(x.y, 0, 1e-9);
    EXPECT_EQ(x.mark, 1);
}

TEST_F(Picking, ASegmentOnlyPickSkipsOtherFormsForKeysAndMouse) {
    Points({{-6, 0}, {6, 0}, {-6, 4}, {6, 4}, {0, -6}, {0, 6}});
    Build("L1", {{-6, 0}, {6, 0}});                                // 1: line
    Build("L1", {{-6, 4}, {6, 4}}, MenuVariant::kOutputSegment);   // 2: segment
    Build("L1", {{0, -6}, {0, 6}}, MenuVariant::kOutputHalfLine);  // 3: half-line
    Build("L1", {{-6, 0}, {-6, 4}}, MenuVariant::kOutputSegment);  // 4: segment
    ASSERT_EQ(fig().Lines[3].form, 2);
    ASSERT_TRUE(Menu("L4"));
    EXPECT_EQ(Current(), Ln(2));
    Key(kKeyDown);
    EXPECT_EQ(Current(), Ln(4));
    Key(kKeyDown);
    EXPECT_EQ(Current(), Ln(2));
    Key(kKeyUp);
    EXPECT_EQ(Current(), Ln(4));
    // Close to the line and the half-line, the nearest segment is taken.
    Click(1, 0.2);
    EXPECT_EQ(Current(), Ln(2));
    // Beyond the segment's end the click still finds it, by its straight line: accepted.
    Click(10, 4.1);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(fig().ProcInput[fig().ProcedureCount][1], Ln(2));
}

TEST_F(Picking, OneClickHighlightsASecondAcceptsAndTiesGoToTheLowerPlace) {
    Points({{-2, 0}, {2, 0}, {0, 5}});
    ASSERT_TRUE(Menu("ND2P"));
    EXPECT_EQ(host.PickStatus(), "点A");
    Key(kKeyDown);
    EXPECT_EQ(Current(), Pt(2));
    Click(0, 0);  // as far from A as from B
    EXPECT_EQ(Current(), Pt(1));
    EXPECT_EQ(NextInputSlot(fig()), 1);
    Click(0, 0);
    EXPECT_EQ(NextInputSlot(fig()), 2);
    EXPECT_EQ(Current(), Pt(2));
    Click(0.2, 4.8);
    EXPECT_EQ(Current(), Pt(3));
    EXPECT_EQ(host.PickStatus(), "点C");
    EXPECT_EQ(Mode(), 15);
    Click(0.2, 4.8);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(host.PickStatus(), "");
    const ObjectRef d = fig().ProcOutput[fig().ProcedureCount][1];
    EXPECT_EQ(fig().Numbers[d.index].name, "AC");
    EXPECT_NEAR(fig().Numbers[d.index].value, std::hypot(2, 5), 1e-12);
}

TEST_F(Picking, ACircleIsFoundByItsCircumference) {
    Points({{0, 0}, {3, 0}, {3.5, 0}, {4.5, 0}});
    Build("C2", {{0, 0}, {3, 0}});      // circle 1: centre (0, 0), radius 3
    Build("C2", {{3.5, 0}, {4.5, 0}});  // circle 2: centre (3.5, 0), radius 1
    ASSERT_TRUE(Menu("NRC"));
    EXPECT_EQ(Current().index, 1);
    Click(0, 0);  // the first circle's centre is nearer to the second's circumference
    EXPECT_EQ(Current().index, 2);
    Click(0, 3.1);
    EXPECT_EQ(Current().index, 1);
    Click(0, 3.1);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_NEAR(fig().Numbers[fig().ObjectCount[0]].value, 3, 1e-12);
}

TEST_F(Picking, EscAndTheRightButtonCancelTheConstruction) {
    Points({{-2, 0}, {2, 0}, {0, 5}});
    const Figure before = fig();
    for (int way = 0; way < 2; ++way) {
        ASSERT_TRUE(Menu("P1"));
        Pick(-2, 0);
        ASSERT_EQ(NextInputSlot(fig()), 2);
        way == 0 ? Key(kKeyEsc) : RightClick();
        EXPECT_EQ(Mode(), kModeStandard);
        EXPECT_EQ(app.session.ModeDepth, 1);
        EXPECT_EQ(fig().ProcedureCount, before.ProcedureCount);
        EXPECT_EQ(fig().ObjectCount, before.ObjectCount);
        EXPECT_TRUE(fig().ProcInput[before.ProcedureCount + 1][1].IsEmpty());
    }
}

TEST_F(Picking, APointToDragIsChosenAmongMovablePointsOnly) {
    Points({{-4, 0}, {4, 0}, {0, 4}});
    Build("P1", {{-4, 0}, {4, 0}, {0, 4}});  // D, not movable
    Points({{8, 8}});                        // E
    PushMode(app.session, kModeDeform);
    ASSERT_TRUE(StartPick(app, host, surface, PickPurpose::kDrag, kKindPoint));
    ASSERT_EQ(app.session.CandidateCount, 4);
    EXPECT_EQ(app.session.CandidateList[4], Pt(5));

    Click(0, 0.5);  // by D, which is not offered: the nearest movable point is C
    EXPECT_EQ(Current(), Pt(3));
    Click(8, 8);
    EXPECT_EQ(Current(), Pt(5));
    EXPECT_EQ(app.session.CurrentPlace, 4);
    Key(kKeyDown);  // from E's place in the compacted list, round to A
    EXPECT_EQ(Current(), Pt(1));
    Key(kKeyEnter);
    EXPECT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(app.session.DragPoint, 1);

    // Esc during such a pick leaves "変形" as well, and nothing beneath it.
    const int depth = app.session.ModeDepth - 1;
    StartPick(app, host, surface, PickPurpose::kDrag, kKindPoint);
    Key(kKeyEsc);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(app.session.ModeDepth, depth);
}

TEST_F(Picking, AVertexPickStartsPastTheVerticesSoFarButExcludesNothing) {
    Points({{0, 0}, {4, 0}, {0, 4}});
    PushMode(app.session, kModeConstructing);
    AppendProcedure(fig(), "LPG+");
    const i16 vertices[] = {1, 3};
    ASSERT_TRUE(StartVertexPick(app, host, surface, vertices));
    EXPECT_EQ(Current(), Pt(2));
    Key(kKeyUp);
    EXPECT_EQ(Current(), Pt(1));
    Click(0, 4);
    EXPECT_EQ(Current(), Pt(3));
}

TEST_F(Picking, APickWithNothingToOfferEndsAtOnce) {
    PushMode(app.session, kModeDeform);
    EXPECT_FALSE(StartPick(app, host, surface, PickPurpose::kDrag, kKindPoint));
    EXPECT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(host.PickStatus(), "点");
}

}  // namespace
}  // namespace kv
