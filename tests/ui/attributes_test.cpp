// The attribute dialogs driven the way the user drives them: the menu command, the pick by
// clicks or keys, then "設定" or "キャンセル" with what the boxes hold.

#include <gtest/gtest.h>

#include <string>

#include "construction_rig.h"
#include "model/text.h"
#include "ui/attributes.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/undo.h"
#include "ui/view_commands.h"

namespace kv {
namespace {

class Attributes : public test::ConstructionRig {
  protected:
    // A triangle A(0,0) B(6,0) C(0,6), its circumcentre D(3,3) and the segment AB (line 1).
    void SetUp() override {
        ConstructionRig::SetUp();
        Points({{0, 0}, {6, 0}, {0, 6}});
        centre = Build("P1", {{0, 0}, {6, 0}, {0, 6}});
        segment = Build("L1", {{0, 0}, {6, 0}}, MenuVariant::kOutputSegment);
        host.attributeDialogs.clear();
    }
    // The menu command, then clicks on (x, y) until the pick is accepted.
    void Open(void (*command)(App&, Host&, Surface&), double x, double y) {
        command(app, host, surface);
        for (int i = 0; i < 2 && Mode() == kModeEditPick; ++i) Click(x, y);
    }
    const AttributeDialogView& Shown() const { return host.attributeDialogs.back(); }
    // "設定" with the boxes as the dialog was filled, changed by `edit`.
    template <class Edit>
    void Set(Edit edit) {
        const AttributeDialogView& v = Shown();
        AttributeAnswer a{v.name, v.colour, v.locusColour, v.form, v.independent};
        edit(a);
        CommandOK_Click(app, host, surface, v.kind, a);
    }
    PointRecord& Pt(ObjectRef r) { return fig().Points[r.index]; }

    ObjectRef centre, segment;
};

TEST_F(Attributes, PickRunsAboveTheEditModeAndTheDialogOpensInTheModeBeforeTheCommand) {
    mnuEbasicPt_Click(app, host, surface);
    EXPECT_EQ(Mode(), kModeEditPick);
    EXPECT_EQ(app.session.ModeStack[app.session.ModeDepth - 1], kModeEditPoint);
    EXPECT_EQ(host.LastStatus().panel1, "選択(編集)");
    EXPECT_EQ(host.PickStatus(), "点A");
    Key(kKeyDown);
    Key(kKeyEnter);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(app.session.ModeDepth, 1);
    ASSERT_EQ(host.attributeDialogs.size(), 1u);
    EXPECT_EQ(app.session.AttributeOpen[kKindPoint], (ObjectRef{kKindPoint, 2}));

    // Esc and the right button end the pick in the mode before the command, with no dialog.
    for (int key : {kKeyEsc, 0}) {
        mnuEbasicLine_Click(app, host, surface);
        if (key != 0)
            Key(key);
        else
            RightClick();
        EXPECT_EQ(Mode(), kModeStandard);
        EXPECT_EQ(app.session.ModeDepth, 1);
    }
    // With no circle the pick ends at once, and so does the edit mode beneath it.
    mnuEbasicCircle_Click(app, host, surface);
    EXPECT_EQ(app.session.ModeDepth, 1);
    EXPECT_EQ(host.LastStatus().panel1, "標準");
    EXPECT_EQ(host.attributeDialogs.size(), 1u);

    // During a construction the command only beeps; the construction's pick goes on.
    ASSERT_TRUE(Menu("L1"));
    const int depth = app.session.ModeDepth, beeps = host.beeps;
    mnuEbasicPt_Click(app, host, surface);
    EXPECT_EQ(host.beeps, beeps + 1);
    EXPECT_EQ(app.session.ModeDepth, depth);
    EXPECT_EQ(Mode(), kModeConstructionPick);
}

TEST_F(Attributes, ConstructedPointTakesNameColourLocusColourAndMarkButStaysConstructed) {
    Open(mnuEbasicPt_Click, 3, 3);
    const AttributeDialogView& v = Shown();
    EXPECT_EQ(v.kind, kKindPoint);
    EXPECT_EQ(v.name, "D         ");
    EXPECT_EQ(v.colour, 7);
    EXPECT_EQ(v.locusColour, 0);
    EXPECT_EQ(v.form, Pt(centre).mark);
    EXPECT_FALSE(v.showIndependent) << "a constructed point has no 変形時の選択";

    const int clears = surface.clears;
    Set([](AttributeAnswer& a) {
        a.name = "  外心 O  ";
        a.colour = 4;       // 赤
        a.locusColour = 5;  // 紫
        a.form = 4;         // ■
        a.independent = 0;  // not offered; must not make the point draggable
    });
    const PointRecord& d = Pt(centre);
    EXPECT_EQ(d.name, "外心 O");
    EXPECT_EQ(d.colour, 4);
    EXPECT_EQ(d.locusColour, 5);
    EXPECT_EQ(d.mark, 4);
    EXPECT_EQ(d.movable, 0);
    EXPECT_DOUBLE_EQ(d.x, 3);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindPoint});
    EXPECT_EQ(surface.clears, clears + 1);
    EXPECT_TRUE(app.session.AttributeOpen[kKindPoint].IsEmpty());

    // The locus colour reaches the trace: dragging C with tracing on records D in 紫, and only
    // D, whose locus colour is the only one set.
    mnuLocusOn_Click(app, host);
    mnuDeform1Pt_Click(app, host, surface);
    Key(kKeyDown);
    Key(kKeyDown);
    Key(kKeyEnter);
    ASSERT_EQ(Mode(), kModeDeform);
    Form_MouseMove(app, host, surface, kButtonLeft, 0, 0, 8);
    EXPECT_DOUBLE_EQ(Pt(centre).y, 4) << "D still follows its construction";
    ASSERT_EQ(fig().LocusCount[kKindPoint], 1);
    EXPECT_EQ(fig().LocusPoints[1].colour, 5);
    EXPECT_DOUBLE_EQ(fig().LocusPoints[1].y, 3);
    EXPECT_EQ(fig().LocusCount[kKindLine], 0);
}

TEST_F(Attributes, FreePointMadeUndraggableIsNoLongerOfferedForDragging) {
    Open(mnuEbasicPt_Click, 6, 0);
    EXPECT_TRUE(Shown().showIndependent);
    EXPECT_EQ(Shown().independent, 0) << "可能";
    Set([](AttributeAnswer& a) { a.independent = 1; });
    EXPECT_EQ(Pt({kKindPoint, 2}).movable, 1);

    mnuDeform1Pt_Click(app, host, surface);
    EXPECT_EQ(app.session.CandidateCount, 2);
    for (int i = 1; i <= app.session.CandidateCount; ++i)
        EXPECT_NE(app.session.CandidateList[i].index, 2);
    Key(kKeyEsc);

    Open(mnuEbasicPt_Click, 6, 0);
    EXPECT_EQ(Shown().independent, 1) << "不可能";
    Set([](AttributeAnswer& a) { a.independent = 0; });
    EXPECT_EQ(Pt({kKindPoint, 2}).movable, kTrue);
}

TEST_F(Attributes, SegmentBecomesAWholeLineAndKeepsItsPoints) {
    Open(mnuEbasicLine_Click, 9, 0.1);  // beyond B: the pick measures to the whole line
    EXPECT_EQ(Shown().kind, kKindLine);
    EXPECT_EQ(Shown().form, 1);
    EXPECT_EQ(Shown().name, "AB        ") << "named after its end points";
    const LineRecord before = fig().Lines[segment.index];
    Set([](AttributeAnswer& a) { a.form = 0; });
    const LineRecord& l = fig().Lines[segment.index];
    EXPECT_EQ(l.form, 0);
    EXPECT_EQ(l.x2, before.x2);
    EXPECT_EQ(l.y2, before.y2);
}

TEST_F(Attributes, CancelAndAnswersOutsideTheListsStoreNothing) {
    Build("C2", {{0, 0}, {6, 0}});
    Open(mnuEbasicCircle_Click, 0, 6.1);
    EXPECT_EQ(Shown().kind, kKindCircle);
    const CircleRecord before = fig().Circles[1];
    const int clears = surface.clears;
    CommandCancel_Click(app, host, surface, kKindCircle);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindCircle});
    EXPECT_EQ(surface.clears, clears + 1) << "キャンセル redraws";
    auto same = [&](const CircleRecord& c) {
        return c.name == before.name && c.colour == before.colour &&
               c.locusColour == before.locusColour;
    };
    EXPECT_TRUE(same(fig().Circles[1]));
    // A second answer of the closed dialog stores nothing either.
    CommandOK_Click(app, host, surface, kKindCircle, {"X", 1, 1, -1, -1});
    EXPECT_TRUE(same(fig().Circles[1]));

    // Selections outside their lists (or none) keep the fields; the name is still stored.
    Open(mnuEbasicLine_Click, 3, 0);
    Set([](AttributeAnswer& a) {
        a.name = "AB";
        a.colour = 8;
        a.locusColour = -1;
        a.form = 4;
    });
    const LineRecord& l = fig().Lines[segment.index];
    EXPECT_EQ(l.name, "AB");
    EXPECT_EQ(l.colour, 7);
    EXPECT_EQ(l.locusColour, 0);
    EXPECT_EQ(l.form, 1);
    // A stored value outside a list is shown without a selection.
    fig().Lines[segment.index].colour = 9;
    EXPECT_EQ(AttributeDialogFor(fig(), segment).colour, -1);
}

struct NameRow {
    const char* typed;
    const char* stored;
};

TEST_F(Attributes, NamesAreTrimmedAndCutAtTenCharacters) {
    const NameRow rows[] = {
        {"  P  ", "P"},
        {"abcdefghijklmn", "abcdefghij"},
        {"  abcdefghij  ", "abcdefghij"},
        {"あいうえおかきくけこ", "あいうえおかきくけこ"},
        {"あいうえおかきくけこさ", "あいうえおかきくけこ"},
        // A line end or tab would split the name's line in the figure file.
        {"a\r\nb\tc", "a  b c"},
    };
    for (const NameRow& r : rows) {
        Open(mnuEbasicPt_Click, 0, 0);
        Set([&](AttributeAnswer& a) { a.name = r.typed; });
        EXPECT_EQ(Pt({kKindPoint, 1}).name, r.stored) << r.typed;
        EXPECT_EQ(CharCount(Shown().name), 10) << "shown blank-padded";
    }
    Open(mnuEbasicPt_Click, 0, 0);
    EXPECT_EQ(Shown().name, "a  b c    ");
}

TEST_F(Attributes, EachDialogEditsItsOwnObjectUntilItIsGone) {
    Open(mnuEbasicPt_Click, 3, 3);
    Open(mnuEbasicLine_Click, 3, 0);
    const std::string lineName = fig().Lines[segment.index].name;
    CommandOK_Click(app, host, surface, kKindPoint, {"P", 2, 0, 0, -1});
    EXPECT_EQ(Pt(centre).name, "P");
    EXPECT_EQ(fig().Lines[segment.index].name, lineName) << "the line's dialog is still open";

    // Undo takes the segment away while its dialog is open: the answer stores nothing.
    mnuCundo_Click(app, host, surface);
    ASSERT_EQ(Count(kKindLine), 0);
    CommandOK_Click(app, host, surface, kKindLine, {"L", 2, 0, 0, -1});
    EXPECT_EQ(fig().Lines[1].name, "1");

    // A loaded figure replaces the one the dialog was for: the dialog is hidden and stores
    // nothing into the new figure's point of the same number.
    Open(mnuEbasicPt_Click, 0, 0);
    host.attributeHides.clear();
    host.openAnswers.push_back(std::string(KORVINTH_TEST_DATA) + "/triangle.kvf");
    mnuLoad_Click(app, host, surface);
    ASSERT_NE(app.session.FigureFileName, kUntitled);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindPoint});
    const std::string name = Pt({kKindPoint, 1}).name;
    CommandOK_Click(app, host, surface, kKindPoint, {"Z", 1, 1, 1, -1});
    EXPECT_EQ(Pt({kKindPoint, 1}).name, name);
    EXPECT_NE(Pt({kKindPoint, 1}).colour, 1);
}

}  // namespace
}  // namespace kv
