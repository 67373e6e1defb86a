// The construction commands: availability, the order of inputs, outputs and their forms,
// cancelling, the free-point mode, repeat, and the refusals that keep the list whole.

#include <gtest/gtest.h>

#include <cmath>

#include "construction_rig.h"
#include "model/catalogue.h"

namespace kv {
namespace {

using test::ConstructionRig;

class Construction : public ConstructionRig {};

const char* const kMissing = "の元にするものが足りません。まず,それを作ってください。";

TEST_F(Construction, ACircumcentreBuiltByClicksIsEquidistantFromItsPoints) {
    StartNewPoint(app, host, surface);
    EXPECT_EQ(Mode(), kModeNewPoint);
    Click(-5, -1);
    Click(4, -2);
    Click(1, 5);
    Key(kKeyEsc);
    ASSERT_EQ(Count(kKindPoint), 3);
    EXPECT_EQ(fig().ProcedureCount, 3);
    EXPECT_EQ(fig().Points[3].name, "C");
    EXPECT_EQ(fig().Points[3].movable, kTrue);
    EXPECT_EQ(fig().Points[3].mark, 0);

    const ObjectRef o = Build("P1", {{-5, -1}, {4, -2}, {1, 5}});
    ASSERT_EQ(o, (ObjectRef{kKindPoint, 4}));
    const PointRecord& c = fig().Points[4];
    ASSERT_NE(c.exists, 0);
    EXPECT_EQ(c.mark, 1);
    const double ra = std::hypot(c.x + 5, c.y + 1);
    EXPECT_NEAR(std::hypot(c.x - 4, c.y + 2), ra, 1e-9);
    EXPECT_NEAR(std::hypot(c.x - 1, c.y - 5), ra, 1e-9);
    EXPECT_EQ(app.session.ModeDepth, 1);
}

TEST_F(Construction, TooFewObjectsShowTheMessageAndLeaveNoProcedure) {
    Points({{0, 0}, {3, 0}});
    ASSERT_FALSE(Menu("P1"));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].prompt, std::string("「三角形の外心」") + kMissing);
    EXPECT_EQ(host.messages[0].title, kAppTitle);
    EXPECT_EQ(fig().ProcedureCount, 2);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(app.session.ModeDepth, 1);

    // Lines of another form do not count for a segment input.
    Build("L1", {{0, 0}, {3, 0}});
    EXPECT_FALSE(Menu("L4"));
    EXPECT_FALSE(Menu("C4"));
    EXPECT_EQ(host.messages.back().prompt, std::string("「円（直径）」") + kMissing);
    EXPECT_EQ(host.messages.size(), 3u);
    Build("L1", {{0, 0}, {3, 0}}, MenuVariant::kOutputSegment);
    Build("C4", {{1, 0.1}});
    EXPECT_NEAR(fig().Circles[1].r, 1.5, 1e-12);
}

TEST_F(Construction, OutputFormsFollowTheCommandAndStayAfterACancel) {
    Points({{0, 0}, {4, 0}, {0, 3}});
    Build("L1", {{0, 0}, {4, 0}}, MenuVariant::kOutputSegment);
    Build("L1", {{0, 0}, {0, 3}});
    Build("LH1", {{4, 0}, {0, 0}, {0, 3}});
    EXPECT_EQ(fig().Lines[1].form, 1);
    EXPECT_EQ(fig().Lines[2].form, 0);
    EXPECT_EQ(fig().Lines[3].form, 2);
    ASSERT_TRUE(Menu("L1", MenuVariant::kOutputHalfLine));
    Key(kKeyEsc);
    EXPECT_EQ(fig().Lines[3].form, 2);
    EXPECT_EQ(Count(kKindLine), 3);

    // Both intersections of a line and a circle are drawn as crosses.
    Build("C2", {{0, 0}, {0, 3}});
    Build("PC2", {{2, 0.1}, {0, 3.1}});
    const SlotRow& out = fig().ProcOutput[fig().ProcedureCount];
    EXPECT_EQ(fig().Points[out[1].index].mark, 1);
    EXPECT_EQ(fig().Points[out[2].index].mark, 1);
    EXPECT_EQ(out[2].index, out[1].index + 1);
}

TEST_F(Construction, NumberInputsGoThroughTheDialog) {
    Points({{0, 0}, {6, 0}});
    ASSERT_TRUE(Menu("PN"));
    Pick(0, 0);
    Pick(6, 0);
    ASSERT_EQ(host.numberDialogs.size(), 1u);
    EXPECT_TRUE(host.numberDialogs[0].entryPanel);
    EXPECT_EQ(host.numberDialogs[0].text, "");
    // The figure offers nothing while the dialog is asked.
    Click(0, 0);
    Key(kKeyEsc);
    EXPECT_EQ(NextInputSlot(fig()), 3);
    NewNumOK_Click(app, host, surface, "1");
    ASSERT_EQ(host.numberDialogs.size(), 2u);
    EXPECT_EQ(host.numberDialogs[1].lines.size(), 1u);
    NewNumOK_Click(app, host, surface, "2abc");
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(fig().Numbers[2].value, 2);
    EXPECT_EQ(fig().Numbers[2].isVariable, kTrue);
    const PointRecord& p = fig().Points[3];
    EXPECT_NEAR(p.x, 2, 1e-12);  // 1 : 2 from A to B
    EXPECT_NEAR(p.y, 0, 1e-12);

    // The extension asks for its factor as well, so its point is defined.
    ASSERT_TRUE(Menu("PEXT"));
    Pick(0, 0);
    Pick(6, 0);
    ASSERT_TRUE(AwaitingNumber(app));
    Cmd_OK_Click(app, host, surface, 1);
    EXPECT_EQ(fig().ProcInput[fig().ProcedureCount][3], (ObjectRef{kKindNumber, 2}));
    EXPECT_NE(fig().Points[4].exists, 0);
}

TEST_F(Construction, RefusedStartsLeaveTheListWhole) {
    Points({{0, 0}, {6, 0}, {0, 6}});
    const int procs = fig().ProcedureCount;
    EXPECT_FALSE(Menu("CALC"));
    EXPECT_FALSE(Menu("LPG+"));
    EXPECT_EQ(host.beeps, 2);
    // Nothing starts while another construction is half built.
    ASSERT_TRUE(Menu("P1"));
    Pick(0, 0);
    EXPECT_FALSE(Menu("L1"));
    StartNewPoint(app, host, surface);
    RepeatLast(app, host, surface);
    EXPECT_EQ(host.beeps, 4);
    EXPECT_EQ(fig().ProcedureCount, procs + 1);
    Pick(6, 0);
    Pick(0, 6);
    EXPECT_EQ(fig().ProcedureCount, procs + 1);
    EXPECT_EQ(CodeOf(fig(), procs + 1), "P1");
    EXPECT_EQ(Mode(), kModeStandard);
    // A stale answer, when no input is asked for, changes nothing.
    AcceptInput(app, host, surface, {kKindPoint, 1});
    NewNumOK_Click(app, host, surface, "5");
    EXPECT_EQ(fig().ProcedureCount, procs + 1);
    EXPECT_EQ(Count(kKindNumber), 0);
    EXPECT_EQ(Count(kKindPoint), 4);
}

TEST_F(Construction, TheFreePointModeNamesEachPointAndEscRemovesOnlyThePendingOne) {
    StartNewPoint(app, host, surface);
    Click(1, 1);
    Key(kKeyRight);
    Key(kKeyUp);
    Key(kKeyEnter);  // places the second point where the keys moved it
    EXPECT_EQ(Count(kKindPoint), 3);
    EXPECT_NEAR(fig().Points[2].x, 10 * app.view.PixelSize, 1e-12);
    EXPECT_NEAR(fig().Points[2].y, 10 * app.view.PixelSize, 1e-12);
    EXPECT_EQ(fig().Points[2].name, "B");
    Key(kKeyEsc);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Count(kKindPoint), 2);
    EXPECT_EQ(fig().ProcedureCount, 2);
    EXPECT_EQ(fig().Points[3].exists, 0);
    EXPECT_EQ(app.session.PendingPoint, ObjectRef{});
    EXPECT_NEAR(fig().Points[1].x, 1, 1e-12);
}

TEST_F(Construction, TablesGrowPastTheStartingCapacity) {
    StartNewPoint(app, host, surface);
    for (int i = 0; i < 40; ++i) Click(-10 + 0.5 * i, 0.25 * i);
    Key(kKeyEsc);
    ASSERT_EQ(Count(kKindPoint), 40);
    EXPECT_GE(fig().Capacity, 40);
    Build("L1", {{9.5, 9.75}, {9, 9.5}});
    EXPECT_EQ(fig().ProcInput[fig().ProcedureCount][1].index, 40);
    EXPECT_EQ(fig().ProcInput[fig().ProcedureCount][2].index, 39);
    EXPECT_NE(fig().Lines[1].exists, 0);
}

TEST_F(Construction, TablesGrowingBetweenTwoOutputsKeepBoth) {
    // 29 points fill all but one entry of the starting tables, so the second intersection
    // point of two circles is the one that makes them grow.
    StartNewPoint(app, host, surface);
    Click(-1, 0);
    Click(1, 0);
    for (int i = 0; i < 27; ++i) Click(-10 + 0.7 * i, 8);
    Key(kKeyEsc);
    ASSERT_EQ(Count(kKindPoint), 29);
    ASSERT_EQ(fig().Capacity, 30);
    Build("C2", {{-1, 0}, {1, 0}});
    Build("C2", {{1, 0}, {-1, 0}});
    Build("PC3", {{-3, 0}, {3, 0}});
    ASSERT_EQ(Count(kKindPoint), 31);
    const int p = fig().ProcedureCount;
    EXPECT_EQ(fig().ProcOutput[p][1], (ObjectRef{kKindPoint, 30}));
    EXPECT_EQ(fig().ProcOutput[p][2], (ObjectRef{kKindPoint, 31}));
    for (int i : {30, 31}) {
        const PointRecord& q = fig().Points[i];
        ASSERT_NE(q.exists, 0) << i;
        EXPECT_NEAR(std::hypot(q.x + 1, q.y), 2, 1e-9) << i;
        EXPECT_NEAR(std::hypot(q.x - 1, q.y), 2, 1e-9) << i;
    }
}

TEST_F(Construction, RepeatStartsTheLastCommandAgainWithItsForms) {
    RepeatLast(app, host, surface);  // nothing to repeat
    EXPECT_EQ(Mode(), kModeStandard);
    Points({{0, 0}, {4, 0}, {0, 3}});
    RepeatLast(app, host, surface);  // after a free point: the free-point mode
    EXPECT_EQ(Mode(), kModeNewPoint);
    Key(kKeyEsc);
    Build("L1", {{0, 0}, {4, 0}}, MenuVariant::kOutputSegment);
    RepeatLast(app, host, surface);
    Pick(0, 0);
    Pick(0, 3);
    EXPECT_EQ(fig().Lines[2].form, 1);
    // A plain line afterwards is a line again.
    Build("L1", {{4, 0}, {0, 3}});
    EXPECT_EQ(fig().Lines[3].form, 0);
}

}  // namespace
}  // namespace kv
