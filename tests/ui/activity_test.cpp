// Commands chosen while something else is under way, and dialog buttons answered after the
// window has moved on: what was under way ends as Esc would end it, then the command runs. No
// half-built procedure survives, and nothing only beeps while its menu is enabled.

#include <functional>
#include <string>

#include "construction_rig.h"
#include "ui/activity.h"
#include "ui/attributes.h"
#include "ui/binding.h"
#include "ui/drag.h"
#include "ui/menu_commands.h"
#include "ui/new_figure.h"

namespace kv::test {
namespace {

class Activity : public ConstructionRig {
  public:
    // What the table of activities below reaches.
    using ConstructionRig::app;
    using ConstructionRig::Click;
    using ConstructionRig::host;
    using ConstructionRig::surface;
    void Run(const std::string& name) { commands.at(name)(app, host, surface); }

  protected:
    void SetUp() override {
        ConstructionRig::SetUp();
        commands = MenuCommands();
        Points({{0, 0}, {4, 0}, {0, 3}});
    }
    void Move(double x, double y) { Form_MouseMove(app, host, surface, kButtonLeft, 0, x, y); }
    // Nothing is half built: every procedure has all its inputs, and its outputs exist.
    void ExpectWhole() {
        for (int i = 1; i <= fig().ProcedureCount; ++i)
            for (int j = 1; j <= kSlots; ++j) {
                EXPECT_FALSE(fig().ProcInput[i][j].kind != 0 && fig().ProcInput[i][j].index == 0)
                    << "procedure " << i << " " << CodeOf(fig(), i);
            }
    }
    MenuCommandTable commands;
};

// What the user may have under way when choosing a command; each leaves the three points.
struct UnderWay {
    const char* what;
    std::function<void(Activity&)> start;
};

const UnderWay kUnderWay[] = {
    {"free-point mode", [](Activity& t) { t.Run("mnuPnewFreeP"); }},
    {"construction pick", [](Activity& t) { t.Run("mnuPgaishin"); }},
    {"second input picked",
     [](Activity& t) {
         t.Run("mnuPgaishin");
         t.Click(0, 0);
     }},
    {"number dialog",
     [](Activity& t) {
         t.Run("mnuCPN");
         t.Click(0, 0);
     }},
    {"polygon vertices",
     [](Activity& t) {
         t.Run("mnuSpolygon");
         NewNumOK_Click(t.app, t.host, t.surface, "3");
     }},
    {"drag pick", [](Activity& t) { t.Click(0, 0); }},
    {"attribute pick", [](Activity& t) { t.Run("mnuEbasicPt"); }},
    {"binding dialog",
     [](Activity& t) {
         t.Run("mnuEboundedPt");
         t.Click(4, 0);
         t.Click(4, 0);
     }},
    {"binding target pick",
     [](Activity& t) {
         t.Run("mnuEboundedPt");
         t.Click(4, 0);
         t.Click(4, 0);
         BindKindChosen(t.app, t.host, t.surface, 1);
     }},
};

// The first wall a new user meets: a command chosen in the middle of another activity runs at
// once instead of beeping, and the activity leaves nothing behind (a pending point, a
// half-built procedure, a dialog waiting for an answer).
TEST_F(Activity, ACommandChosenMeanwhileEndsWhatWasUnderWayAndRuns) {
    const Figure before = fig();
    const struct {
        const char* command;
        i16 mode;  // where the command leaves the window
    } rows[] = {{"mnuMdis2P", kModeConstructionPick},
                {"mnuPnewFreeP", kModeNewPoint},
                {"mnuDeform1Pt", kModeDragPick},
                {"mnuSave", kModeStandard},
                {"mnuNew", kModeStandard}};
    for (const auto& r : rows) {
        for (const UnderWay& u : kUnderWay) {
            const std::string what = u.what, command = r.command;
            SCOPED_TRACE(command + " after " + what);
            u.start(*this);
            ASSERT_NE(Mode(), kModeStandard);
            const int beeps = host.beeps, saves = host.saveAsked, asks = host.newConfirmations;
            const int numberHides = host.numberHides, bindingHides = host.bindingHides;
            Run(command);
            EXPECT_EQ(host.beeps, beeps);
            EXPECT_EQ(Mode(), r.mode);
            EXPECT_EQ(fig().ObjectCount[kKindPoint], 3 + (r.mode == kModeNewPoint));
            EXPECT_EQ(fig().ProcedureCount,
                      before.ProcedureCount + (r.mode == kModeNewPoint || command == "mnuMdis2P"));
            EXPECT_EQ(host.saveAsked - saves, command == "mnuSave");
            EXPECT_EQ(host.newConfirmations - asks, command == "mnuNew");
            EXPECT_EQ(host.numberHides - numberHides, what == "number dialog");
            EXPECT_EQ(host.bindingHides - bindingHides, what == "binding dialog");
            EXPECT_EQ(fig().Points[1].bindKind, 0);
            EXPECT_TRUE(EndActivity(app, host, surface, false));
            EXPECT_EQ(fig().ProcedureCount, before.ProcedureCount);
            ExpectWhole();
        }
    }
}

// "はい" does what it says whatever the window started while the confirmation was open: that
// activity ends first, then the figure is replaced.
TEST_F(Activity, YesInTheNewConfirmationAlwaysReplacesTheFigure) {
    for (const UnderWay& u : kUnderWay) {
        SCOPED_TRACE(u.what);
        Run("mnuNew");
        ASSERT_EQ(host.newConfirmations > 0, true);
        u.start(*this);
        CommandYes_Click(app, host, surface);
        EXPECT_EQ(Mode(), kModeNewPoint);
        EXPECT_EQ(app.session.ModeDepth, 2);
        EXPECT_EQ(fig().ProcedureCount, 1);
        EXPECT_EQ(Count(kKindPoint), 1);
        Key(kKeyEsc);
        Points({{0, 0}, {4, 0}, {0, 3}});
    }
    // The case met in the window: a click starts "1点を動かす", a point is taken and dragged.
    Run("mnuNew");
    Click(0, 0);
    Click(0, 0);
    Move(1, 1);
    ASSERT_EQ(Mode(), kModeDeform);
    CommandYes_Click(app, host, surface);
    EXPECT_EQ(Count(kKindPoint), 1);
    EXPECT_EQ(Mode(), kModeNewPoint);
    EXPECT_EQ(app.session.DragPoint, 0);
}

// During a drag the edit and locus menus stay enabled; their commands run above "変形" and
// return to the drag.
TEST_F(Activity, AttributeAndBindingCommandsWorkDuringADragAndReturnToIt) {
    Click(0, 0);
    Click(0, 0);  // dragging A
    ASSERT_EQ(Mode(), kModeDeform);
    ASSERT_EQ(app.session.DragPoint, 1);
    for (const char* name : {"mnuEbasicPt", "mnuLocusSetP"}) {
        SCOPED_TRACE(name);
        const size_t shown = host.attributeDialogs.size();
        Run(name);
        EXPECT_EQ(Mode(), kModeEditPick);
        Click(0, 0);
        ASSERT_EQ(host.attributeDialogs.size(), shown + 1);
        EXPECT_EQ(Mode(), kModeDeform);
        EXPECT_EQ(app.session.ModeDepth, 2);
        Run(name);
        Key(kKeyEsc);  // a cancelled pick returns to the drag too
        EXPECT_EQ(Mode(), kModeDeform);
        EXPECT_EQ(app.session.ModeDepth, 2);
    }
    Run("mnuLocusSetL");  // no line: the command ends at once, the drag goes on
    EXPECT_EQ(Mode(), kModeDeform);

    // Binding C to the line through A and B (made before the drag) continues the drag with C.
    Key(kKeyEsc);
    Build("L1", {{0, 0}, {4, 0}});
    Click(0, 0);
    Click(0, 0);
    ASSERT_EQ(Mode(), kModeDeform);
    Run("mnuEboundedPt");
    EXPECT_EQ(Mode(), kModeBindPointPick);
    Click(0, 3);
    Click(0, 3);
    ASSERT_EQ(Mode(), kModeBinding);
    BindKindChosen(app, host, surface, 2);
    Click(2, 0.1);
    EXPECT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(app.session.ModeDepth, 2);
    EXPECT_EQ(app.session.DragPoint, 3);
    Move(3, 5);
    EXPECT_NEAR(fig().Points[3].x, 3, 1e-9);
    EXPECT_NEAR(fig().Points[3].y, 0, 1e-9);
}

// A drag moves only a point that may be dragged at that moment.
TEST_F(Activity, APointSetToNotMovableIsNeverDragged) {
    AttributeAnswer notMovable;
    notMovable.name = "A";
    notMovable.colour = 7;
    notMovable.form = 0;
    notMovable.independent = 1;  // "不可能"
    // Set during the drag of that very point: the mouse no longer moves it.
    Click(0, 0);
    Click(0, 0);
    ASSERT_EQ(app.session.DragPoint, 1);
    Run("mnuEbasicPt");
    Click(0, 0);
    CommandOK_Click(app, host, surface, kKindPoint, notMovable);
    ASSERT_EQ(fig().Points[1].movable, 1);
    ASSERT_EQ(Mode(), kModeDeform);
    Move(2, 2);
    Key(kKeyUp);
    EXPECT_EQ(fig().Points[1].x, 0);
    EXPECT_EQ(fig().Points[1].y, 0);
    Key(kKeyEsc);

    // With no point left to drag, "1点を動かす" offers nothing and the next click drags nothing.
    for (const int p : {2, 3}) {
        AttributeAnswer a = notMovable;
        a.name = p == 2 ? "B" : "C";
        StoreAttributes(fig(), {kKindPoint, static_cast<i16>(p)}, a);
    }
    Run("mnuDeform1Pt");
    EXPECT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(app.session.CandidateCount, 0);
    Click(5, 5);
    Move(6, 6);
    for (int p = 1; p <= 3; ++p) EXPECT_NE(fig().Points[p].x, 6) << p;
}

}  // namespace
}  // namespace kv::test
