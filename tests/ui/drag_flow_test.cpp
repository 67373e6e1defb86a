// Dragging reached the way the user reaches it: a press in "標準" starts the pick of a point
// that may be dragged, a second press on it takes it, and moves with the button held drag it.

#include <cmath>
#include <limits>

#include "construction_rig.h"
#include "ui/drag.h"

namespace kv::test {
namespace {

class DragFlow : public ConstructionRig {
  protected:
    void Move(double x, double y) { Form_MouseMove(app, host, surface, kButtonLeft, 0, x, y); }
    const PointRecord& Pt(ObjectRef r) { return app.figure.Points[r.index]; }
};

TEST_F(DragFlow, PressTwiceOnAFreePointThenDragItAndTheCircumcentreFollows) {
    Points({{0, 0}, {4, 0}, {0, 3}});
    const ObjectRef o = Build("P1", {{0, 0}, {4, 0}, {0, 3}});
    ASSERT_EQ(o.kind, kKindPoint);

    // The circumcentre is not offered: a press next to it highlights the nearest free point.
    Click(2.1, 1.5);
    EXPECT_EQ(Mode(), kModeDragPick);
    EXPECT_EQ(app.session.CurrentCandidate.kind, kKindPoint);
    EXPECT_NE(app.session.CurrentCandidate.index, o.index);

    Click(0.1, 0.1);  // moves the highlight to point 1
    Click(0.1, 0.1);  // takes it
    ASSERT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(app.session.DragPoint, 1);

    Move(-1, 1);
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).x, -1);
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).y, 1);
    const PointRecord& c = Pt(o);
    ASSERT_NE(c.exists, 0);
    const double r1 = std::hypot(c.x + 1, c.y - 1);
    EXPECT_NEAR(std::hypot(c.x - 4, c.y), r1, 1e-9);
    EXPECT_NEAR(std::hypot(c.x, c.y - 3), r1, 1e-9);

    // A mouse position that overflowed at an extreme reduction moves nothing.
    Move(std::numeric_limits<double>::infinity(), 0);
    Move(std::nan(""), 1);
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).x, -1);
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).y, 1);

    RightClick();
    EXPECT_EQ(Mode(), kModeStandard);
    Move(5, 5);  // after the drag, moves change nothing
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).x, -1);
}

TEST_F(DragFlow, EscapeDuringThePickLeavesDeformationToo) {
    Points({{0, 0}, {4, 0}});
    Click(0, 0);
    ASSERT_EQ(Mode(), kModeDragPick);
    Key(kKeyEsc);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_DOUBLE_EQ(Pt({kKindPoint, 1}).x, 0);
}

TEST_F(DragFlow, MovingAPointIsRefusedWhileAConstructionWaitsForItsNumber) {
    // "SIN" waits for its number; starting a drag now would bury the construction under
    // "変形", and the dialog's answer would find nothing waiting for it.
    ASSERT_TRUE(Menu("NSIN"));
    ASSERT_TRUE(AwaitingNumber(app));
    const int depth = app.session.ModeDepth;
    const int beeps = host.beeps;
    mnuDeform1Pt_Click(app, host, surface);
    EXPECT_EQ(host.beeps, beeps + 1);
    EXPECT_EQ(app.session.ModeDepth, depth);
    NewNumOK_Click(app, host, surface, "30");
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(NextInputSlot(fig()), 0) << "the construction was completed";

    // The same in the free-point mode.
    StartNewPoint(app, host, surface);
    mnuDeform1Pt_Click(app, host, surface);
    EXPECT_EQ(Mode(), kModeNewPoint);
}

}  // namespace
}  // namespace kv::test
