// A problem that a drag meets at every step (an angle that cannot be checked far out in the
// plane) is shown once for the whole drag, not once per mouse move; the next drag may show it
// again.

#include "construction_rig.h"
#include "support/figure_builder.h"
#include "ui/drag.h"

namespace kv::test {
namespace {

class DragMessages : public ConstructionRig {};

TEST_F(DragMessages, ErrorInAngleIsShownOncePerDrag) {
    // The angle AVB at a vertex near 1e15, where a unit step rounds to an eighth: every
    // evaluation shows "Error in Angle".
    const double c = 1e15;
    const ObjectRef a = AddFreePoint(app.figure, c + 5, c + 5);
    const ObjectRef v = AddFreePoint(app.figure, c, c);
    const ObjectRef b = AddFreePoint(app.figure, c + 5, c + 2);
    AddConstruction(app.figure, "NA3+", {a, v, b});

    for (int drag = 1; drag <= 2; ++drag) {
        host.messages.clear();
        mnuDeform1Pt_Click(app, host, surface);
        app.session.DragPoint = a.index;
        for (int step = 0; step < 6; ++step) DragToMouse(app, host, surface, c + 5, c + 5);
        ASSERT_EQ(host.messages.size(), 1u) << "drag " << drag;
        EXPECT_EQ(host.messages[0].prompt, "Error in Angle");
        EndDrag(app, host, surface);
        PopMode(app.session);
    }
}

}  // namespace
}  // namespace kv::test
