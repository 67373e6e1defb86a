// The number dialog: what it lists and proposes, and what its buttons do to the construction.

#include <gtest/gtest.h>

#include "construction_rig.h"

namespace kv {
namespace {

using test::ConstructionRig;

class NumberDialog : public ConstructionRig {
  protected:
    ObjectRef AddNumber(double v, const char* name) {
        const ObjectRef n{kKindNumber, static_cast<i16>(AppendObject(fig(), kKindNumber))};
        fig().Numbers[n.index] = {v, kTrue, name, kTrue, ""};
        return n;
    }
};

TEST_F(NumberDialog, ListLinesShowIndexNameAndTheCutValue) {
    AddNumber(-0.25, "  q ");
    AddNumber(1.5, "r");
    EXPECT_EQ(NumberListLine(fig(), 2, 0), " 2:r =  1.");
    app.view.MeasureDigits = 3;
    EXPECT_EQ(NumberListLine(fig(), 1, 3), " 1:q = -.25 ");
    EXPECT_EQ(TypedNumberEcho("2a"), " 2");
    EXPECT_EQ(TypedNumberEcho("abc"), " 0");
}

TEST_F(NumberDialog, ACircleWithATypedRadiusInAFigureWithoutNumbers) {
    Points({{1, 1}});
    ASSERT_TRUE(Menu("C1"));
    Pick(1, 1);
    ASSERT_EQ(host.numberDialogs.size(), 1u);
    EXPECT_FALSE(host.numberDialogs[0].entryPanel);
    EXPECT_TRUE(host.numberDialogs[0].lines.empty());
    NewNumOK_Click(app, host, surface, "2");
    EXPECT_EQ(Count(kKindNumber), 1);
    EXPECT_EQ(fig().Numbers[1].value, 2);
    EXPECT_EQ(fig().Numbers[1].name, "");
    EXPECT_NEAR(fig().Circles[1].r, 2, 1e-12);
    EXPECT_EQ(Mode(), kModeStandard);
}

TEST_F(NumberDialog, AChosenLineIsThatNumberAndEachNumberIsListedOnce) {
    Points({{0, 0}});
    AddNumber(1, "a");
    AddNumber(2, "b");
    AddNumber(3, "c");
    ASSERT_TRUE(Menu("PXY"));
    Cmd_OK_Click(app, host, surface, 2);  // a double click on the third line does the same
    Cmd_OK_Click(app, host, surface, 0);
    ASSERT_EQ(host.numberDialogs.size(), 2u);
    EXPECT_EQ(host.numberDialogs[1].lines.size(), 3u);
    EXPECT_EQ(host.numberDialogs[1].lines[2], " 3:c =  3");
    EXPECT_EQ(fig().Points[2].x, 3);
    EXPECT_EQ(fig().Points[2].y, 1);
    EXPECT_EQ(Count(kKindNumber), 3);
}

TEST_F(NumberDialog, CancelOrOkWithoutASelectionCancelsTheConstruction) {
    Points({{0, 0}, {2, 0}});
    const int procs = fig().ProcedureCount;
    ASSERT_TRUE(Menu("PT1"));
    Pick(0, 0);
    Pick(2, 0);
    Cmd_OK_Click(app, host, surface, -1);
    EXPECT_EQ(fig().ProcedureCount, procs);
    EXPECT_EQ(Mode(), kModeStandard);
    ASSERT_TRUE(Menu("NSIN"));
    EXPECT_TRUE(AwaitingNumber(app));
    Cmd_Cancel_Click(app, host, surface);
    EXPECT_EQ(fig().ProcedureCount, procs);
    EXPECT_EQ(app.session.ModeDepth, 1);
}

}  // namespace
}  // namespace kv
