// The attribute dialogs driven the way the user drives them: the menu command, the pick by
// clicks or keys, then "設定" or "キャンセル" with what the boxes hold.

#include <gtest/gtest.h>

#include <string>

#include "construction_rig.h"
#include "model/text.h"
#include "ui/attributes.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/new_figure.h"
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
    PointRecord& Pt(int i) { return fig().Points[i]; }
    LineRecord& Seg() { return fig().Lines[segment.index]; }

    ObjectRef centre, segment;
};

TEST_F(Attributes, PickRunsAboveTheEditModeAndEveryEndLeavesTheModeBeforeTheCommand) {
    mnuEbasicPt_Click(app, host, surface);
    EXPECT_EQ(host.LastStatus().panel1, "選択(編集)");
    EXPECT_EQ(app.session.ModeStack[app.session.ModeDepth - 1], kModeEditPoint);
    Key(kKeyDown);
    Key(kKeyEnter);
    EXPECT_EQ(app.session.ModeDepth, 1);
    EXPECT_EQ(app.session.AttributeOpen[kKindPoint], (ObjectRef{kKindPoint, 2}));

    mnuEbasicLine_Click(app, host, surface);
    Key(kKeyEsc);
    EXPECT_EQ(app.session.ModeDepth, 1);
    mnuEbasicLine_Click(app, host, surface);
    RightClick();
    EXPECT_EQ(app.session.ModeDepth, 1);
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
}

TEST_F(Attributes, ConstructedPointIsRestyledKeepsFollowingAndLeavesATraceInItsLocusColour) {
    Open(mnuEbasicPt_Click, 3, 3);
    EXPECT_EQ(Shown().name, "D         ");
    EXPECT_EQ(Shown().colour, 7);
    EXPECT_EQ(Shown().form, Pt(4).mark);
    EXPECT_FALSE(Shown().showIndependent) << "a constructed point has no 変形時の選択";
    const int clears = surface.clears;
    Set([](AttributeAnswer& a) {
        a.colour = 4;       // 赤
        a.locusColour = 5;  // 紫
        a.form = 4;         // ■
        a.independent = 0;  // not offered; must not make the point draggable
    });
    EXPECT_EQ(Pt(4).colour, 4);
    EXPECT_EQ(Pt(4).locusColour, 5);
    EXPECT_EQ(Pt(4).mark, 4);
    EXPECT_EQ(Pt(4).movable, 0);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindPoint});
    EXPECT_EQ(surface.clears, clears + 1);

    // Dragging C with tracing on records D, the only object with a locus colour, in 紫.
    mnuLocusOn_Click(app, host);
    mnuDeform1Pt_Click(app, host, surface);
    Key(kKeyUp);
    Key(kKeyEnter);
    ASSERT_EQ(Mode(), kModeDeform);
    Form_MouseMove(app, host, surface, kButtonLeft, 0, 0, 8);
    EXPECT_DOUBLE_EQ(Pt(4).y, 4) << "D still follows its construction";
    ASSERT_EQ(fig().LocusCount[kKindPoint], 1);
    EXPECT_EQ(fig().LocusPoints[1].colour, 5);
    EXPECT_DOUBLE_EQ(fig().LocusPoints[1].y, 3);
}

TEST_F(Attributes, FreePointMadeUndraggableIsNoLongerOfferedForDragging) {
    Open(mnuEbasicPt_Click, 6, 0);
    EXPECT_EQ(Shown().independent, 0) << "可能";
    Set([](AttributeAnswer& a) { a.independent = 1; });
    EXPECT_EQ(Pt(2).movable, 1);
    mnuDeform1Pt_Click(app, host, surface);
    EXPECT_EQ(app.session.CandidateCount, 2);
    EXPECT_EQ(app.session.CandidateList[2].index, 3);
    Key(kKeyEsc);

    Open(mnuEbasicPt_Click, 6, 0);
    EXPECT_EQ(Shown().independent, 1) << "不可能";
    Set([](AttributeAnswer& a) { a.independent = 0; });
    EXPECT_EQ(Pt(2).movable, kTrue);
}

TEST_F(Attributes, LineFormChangesAndCancelOrChoicesOutsideTheListsKeepTheRecord) {
    Open(mnuEbasicLine_Click, 9, 0.1);  // beyond B: the pick measures to the whole line
    EXPECT_EQ(Shown().form, 1);
    const double x2 = Seg().x2;
    Set([](AttributeAnswer& a) { a.form = 0; });
    EXPECT_EQ(Seg().form, 0);
    EXPECT_EQ(Seg().x2, x2);

    Open(mnuEbasicLine_Click, 3, 0);
    const std::string name = Seg().name;
    CommandCancel_Click(app, host, surface, kKindLine);
    // A second answer of the closed dialog stores nothing either.
    CommandOK_Click(app, host, surface, kKindLine, {"X", 1, 1, 1, -1});
    EXPECT_EQ(Seg().name, name);
    EXPECT_EQ(Seg().colour, 7);

    Open(mnuEbasicLine_Click, 3, 0);
    CommandOK_Click(app, host, surface, kKindLine, {"m", 8, -1, 4, -1});
    EXPECT_EQ(Seg().name, "m");
    EXPECT_EQ(Seg().colour, 7);
    EXPECT_EQ(Seg().locusColour, 0);
    EXPECT_EQ(Seg().form, 0);
    // A stored value outside its list is shown without a selection.
    Seg().colour = 9;
    EXPECT_EQ(AttributeDialogFor(fig(), segment).colour, -1);
}

TEST_F(Attributes, NamesAreTrimmedAndCutAtTenCharacters) {
    const std::pair<const char*, const char*> rows[] = {
        {"  P  ", "P"},
        {"  abcdefghijklmn", "abcdefghij"},
        {"あいうえおかきくけこ", "あいうえおかきくけこ"},
        {"あいうえおかきくけこさ", "あいうえおかきくけこ"},
        // A line end or tab would split the name's line in the figure file.
        {"a\r\nb\tc", "a  b c"},
    };
    for (const auto& [typed, stored] : rows) {
        Open(mnuEbasicPt_Click, 0, 0);
        EXPECT_EQ(CharCount(Shown().name), 10) << "shown blank-padded";
        Set([&](AttributeAnswer& a) { a.name = typed; });
        EXPECT_EQ(Pt(1).name, stored) << typed;
    }
}

TEST_F(Attributes, EachDialogEditsItsOwnObjectUntilItIsGone) {
    Open(mnuEbasicPt_Click, 3, 3);
    Open(mnuEbasicLine_Click, 3, 0);
    const std::string lineName = Seg().name;
    CommandOK_Click(app, host, surface, kKindPoint, {"P", 2, 0, 0, -1});
    EXPECT_EQ(Pt(4).name, "P");
    EXPECT_EQ(Seg().name, lineName) << "the line's dialog is still open";

    // Undo takes the segment away while its dialog is open: the dialog is hidden, and an
    // answer stores nothing, even into a line built afterwards at the same place.
    host.attributeHides.clear();
    mnuCundo_Click(app, host, surface);
    ASSERT_EQ(Count(kKindLine), 0);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindLine});
    Build("L1", {{0, 0}, {3, 0}});
    ASSERT_EQ(Count(kKindLine), 1);
    const std::string newName = fig().Lines[1].name;
    CommandOK_Click(app, host, surface, kKindLine, {"L", 2, 0, 0, -1});
    EXPECT_EQ(fig().Lines[1].name, newName);

    // A loaded figure replaces the one the open dialog was for: it is hidden, and an answer
    // stores nothing into the new figure's point of the same number.
    Open(mnuEbasicPt_Click, 0, 0);
    host.attributeHides.clear();
    host.openAnswers.push_back(std::string(KORVINTH_TEST_DATA) + "/triangle.kvf");
    mnuLoad_Click(app, host, surface);
    ASSERT_NE(app.session.FigureFileName, kUntitled);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindPoint});
    const PointRecord before = Pt(1);
    CommandOK_Click(app, host, surface, kKindPoint, {"Z", 1, 1, 1, -1});
    EXPECT_EQ(Pt(1).name, before.name);
    EXPECT_EQ(Pt(1).colour, before.colour);

    // "新規作成" → "はい" replaces the figure too.
    Open(mnuEbasicPt_Click, 0, 0);
    host.attributeHides.clear();
    CommandYes_Click(app, host, surface);
    EXPECT_EQ(host.attributeHides, std::vector<i16>{kKindPoint});
    Key(kKeyEsc);  // leaves the free-point mode New started
    CommandOK_Click(app, host, surface, kKindPoint, {"Z", 1, 1, 1, -1});
    EXPECT_EQ(Count(kKindPoint), 0);
}

}  // namespace
}  // namespace kv
