// Binding a point and the New command, driven as the user drives them: the menu command, clicks
// on the figure, the dialog's buttons.

#include <cmath>
#include <filesystem>

#include "construction_rig.h"
#include "io/figure_file.h"
#include "model/text.h"
#include "ui/binding.h"
#include "ui/drag.h"
#include "ui/file_commands.h"
#include "ui/new_figure.h"
#include "ui/redraw.h"

namespace kv::test {
namespace {

constexpr int kFree = 0, kOnPoint = 1, kOnLine = 2, kOnCircle = 3;

class Binding : public ConstructionRig {
  protected:
    // Clicks an object of a binding pick: once when it is already highlighted, else twice.
    void PickAt(double x, double y) {
        const i16 mode = Mode();
        Click(x, y);
        if (Mode() == mode) Click(x, y);
    }
    // The menu command and the pick of the point at (x, y); the dialog is then open.
    void ChoosePoint(double x, double y) {
        mnuEboundedPt_Click(app, host, surface);
        ASSERT_EQ(Mode(), kModeBindPointPick);
        PickAt(x, y);
        ASSERT_EQ(Mode(), kModeBinding);
    }
    // The whole command: point, kind, target.
    void Bind(XYPair point, int kind, XYPair target) {
        ChoosePoint(point.x, point.y);
        BindKindChosen(app, host, surface, kind);
        ASSERT_EQ(Mode(), kModeBindTargetPick);
        PickAt(target.x, target.y);
    }
    void Move(double x, double y) { Form_MouseMove(app, host, surface, kButtonLeft, 0, x, y); }
    PointRecord& Pt(int i) { return app.figure.Points[i]; }
};

// A newly bound point starts at parameter 0 of its object, wherever it stood: the line's first
// defining point, the circle's zero position; dragging it afterwards slides it along the
// object.
struct SlideRow {
    const char* what;
    const char* code;
    MenuVariant variant;
    int kind;
    XYPair at, placed;  // the point before and after it is bound
    XYPair mouse;       // where the drag goes
    XYPair slidTo;      // where that puts the point
};

TEST_F(Binding, ABoundPointStartsAtParameterZeroAndThenSlidesAlongItsObject) {
    const SlideRow rows[] = {
        {"line", "L1", MenuVariant::kNone, kOnLine, {-2, 0}, {0, 0}, {-6, 5}, {-6, 0}},
        {"segment", "L1", MenuVariant::kOutputSegment, kOnLine, {1, 0}, {0, 0}, {3, -2}, {3, 0}},
        {"circle", "C2", MenuVariant::kNone, kOnCircle, {0, 4}, {4, 0}, {-9, 0}, {-4, 0}},
        {"off the line", "L1", MenuVariant::kNone, kOnLine, {3, 2}, {0, 0}, {1, 1}, {1, 0}},
        {"off the circle", "C2", MenuVariant::kNone, kOnCircle, {0, -5}, {4, 0}, {0, 9}, {0, 4}},
    };
    for (const SlideRow& r : rows) {
        SCOPED_TRACE(r.what);
        app = App{};
        SetScreen(app.view, surface);
        // Line or segment from (0,0) to (4,0); circle about (0,0) through (4,0).
        Points({{0, 0}, {4, 0}, r.at});
        Build(r.code, {{0, 0}, {4, 0}}, r.variant);
        const XYPair target = r.kind == kOnLine ? XYPair{2, 0.1} : XYPair{4, 0.1};

        Bind(r.at, r.kind, target);
        EXPECT_EQ(Pt(3).bindKind, r.kind);
        EXPECT_EQ(Pt(3).bindIndex, 1);
        EXPECT_NEAR(Pt(3).x, r.placed.x, 1e-9);
        EXPECT_NEAR(Pt(3).y, r.placed.y, 1e-9);
        ASSERT_EQ(Mode(), kModeDeform);
        EXPECT_EQ(app.session.DragPoint, 3);

        Move(r.mouse.x, r.mouse.y);
        EXPECT_NEAR(Pt(3).x, r.slidTo.x, 1e-9);
        EXPECT_NEAR(Pt(3).y, r.slidTo.y, 1e-9);
        RightClick();
        EXPECT_EQ(Mode(), kModeStandard);
        // The full redraw places it from its parameter where the drag left it.
        EXPECT_NEAR(Pt(3).x, r.slidTo.x, 1e-9);
        EXPECT_NEAR(Pt(3).y, r.slidTo.y, 1e-9);
    }
}

TEST_F(Binding, TheDialogShowsTheBindingAndFreeingKeepsThePlace) {
    Points({{0, 0}, {4, 0}, {1, 0}});
    Build("L1", {{0, 0}, {4, 0}});
    ChoosePoint(1, 0);
    EXPECT_EQ(host.bindingDialogs.back(), kFree);
    BindKindChosen(app, host, surface, kOnLine);
    PickAt(2, 0.1);
    Move(3, 1);
    RightClick();

    ChoosePoint(3, 0);
    EXPECT_EQ(host.bindingDialogs.back(), kOnLine);
    BindKindChosen(app, host, surface, kFree);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Pt(3).bindKind, 0);
    EXPECT_EQ(Pt(3).bindIndex, 0);
    EXPECT_NEAR(Pt(3).x, 3, 1e-9);
    EXPECT_NEAR(Pt(3).y, 0, 1e-9);
    // Free again: it follows the mouse off the line (a press starts the drag's pick, the
    // next two take the point).
    Click(3, 0);
    Click(3, 0);
    Click(3, 0);
    ASSERT_EQ(app.session.DragPoint, 3);
    Move(3, 2);
    EXPECT_DOUBLE_EQ(Pt(3).y, 2);
}

// Every way of not finishing the command leaves the point bound as it was and the program in
// "標準".
TEST_F(Binding, EveryWayOutKeepsTheOldBindingWhole) {
    Points({{0, 0}, {4, 0}, {1, 0}});
    Build("L1", {{0, 0}, {4, 0}});
    Bind({1, 0}, kOnLine, {2, 0.1});
    Move(1, 3);  // from parameter 0 back to (1, 0)
    RightClick();
    const auto keptWhole = [&](const char* how) {
        SCOPED_TRACE(how);
        EXPECT_EQ(Mode(), kModeStandard);
        EXPECT_EQ(app.session.ModeDepth, 1);
        EXPECT_EQ(Pt(3).bindKind, kOnLine);
        EXPECT_EQ(Pt(3).bindIndex, 1);
        EXPECT_NEAR(Pt(3).x, 1, 1e-9);
    };

    ChoosePoint(1, 0);
    BindCancel_Click(app, host, surface);
    keptWhole("キャンセル");

    ChoosePoint(1, 0);
    BindKindChosen(app, host, surface, kOnCircle);  // there is no circle
    keptWhole("no object of the kind");

    ChoosePoint(1, 0);
    BindKindChosen(app, host, surface, kOnPoint);
    Key(kKeyEsc);
    keptWhole("Esc in the target pick");

    ChoosePoint(1, 0);
    BindKindChosen(app, host, surface, kOnPoint);
    Click(20000, 20000);  // nothing that near: the empty candidate
    Click(20000, 20000);  // accepted
    keptWhole("an empty target");

    // An answer of the dialog after the command has ended changes nothing.
    BindKindChosen(app, host, surface, kFree);
    keptWhole("a late answer");

    // What is kept is what the file stores, and the file reads back.
    const std::string path =
        (std::filesystem::temp_directory_path() / "korvinth_bound_point.kvf").string();
    host.saveAnswers.push_back(path);
    mnuSave_Click(app, host, surface);
    ASSERT_TRUE(host.messages.empty());
    Figure read;
    const FileResult r = FigureFileIO(path, FileMode::kRead, read, NotifierOf(host));
    std::filesystem::remove(path);
    ASSERT_TRUE(r.ok()) << r.error.what;
    EXPECT_EQ(read.Points[3].bindKind, kOnLine);
    EXPECT_EQ(read.Points[3].bindIndex, 1);
    EXPECT_DOUBLE_EQ(read.Points[3].param, Pt(3).param);
}

TEST_F(Binding, EnterCompletesBothPicks) {
    Points({{0, 0}, {4, 0}, {1, 3}});
    Build("L1", {{0, 0}, {4, 0}});
    mnuEboundedPt_Click(app, host, surface);
    Key(kKeyDown);
    Key(kKeyDown);
    Key(kKeyEnter);
    ASSERT_EQ(Mode(), kModeBinding);
    EXPECT_EQ(app.session.BindPoint.index, 3);
    BindKindChosen(app, host, surface, kOnLine);
    Key(kKeyEnter);
    EXPECT_EQ(Mode(), kModeDeform);
    EXPECT_EQ(Pt(3).bindKind, kOnLine);
    EXPECT_NEAR(Pt(3).y, 0, 1e-9);
}

// A point tied to something built from itself would chase its own image at every evaluation:
// the binding is refused with a message that says why.
TEST_F(Binding, ATargetBuiltFromThePointIsRefusedWithAMessage) {
    Points({{0, 0}, {4, 0}, {0, 4}, {6, 6}});
    Build("C3", {{0, 0}, {4, 0}, {0, 4}});  // through points 1, 2, 3
    Build("L1", {{6, 6}, {0, 0}});          // through points 4 and 1
    const struct {
        const char* what;
        int index;
        XYPair point;
        int kind;
        XYPair target;
    } rows[] = {
        {"the circle through it", 3, {0, 4}, kOnCircle, {4, 0.1}},
        {"itself", 4, {6, 6}, kOnPoint, {6, 6}},
        {"a line through it", 4, {6, 6}, kOnLine, {3, 3.1}},
    };
    const std::string said[] = {
        "円1は点Cをもとに作図されているので,点Cをそこに束縛することはできません。",
        "点Dを自分自身に束縛することはできません。",
        "直線DAは点Dをもとに作図されているので,点Dをそこに束縛することはできません。"};
    for (int i = 0; i < 3; ++i) {
        const auto& r = rows[i];
        SCOPED_TRACE(r.what);
        const size_t messages = host.messages.size();
        const PointRecord before = Pt(r.index);
        Bind(r.point, r.kind, r.target);
        ASSERT_EQ(host.messages.size(), messages + 1);
        EXPECT_EQ(host.messages.back().prompt, said[i]);
        EXPECT_EQ(Mode(), kModeStandard);
        const PointRecord& after = Pt(r.index);
        EXPECT_EQ(after.bindKind, before.bindKind);
        EXPECT_EQ(after.bindIndex, before.bindIndex);
        EXPECT_DOUBLE_EQ(after.x, before.x);
    }
    // A point tied to the line through point 1 depends on point 1 as well.
    Points({{3, 3}});
    Bind({3, 3}, kOnLine, {3, 3.1});
    Move(3, 3);
    RightClick();
    ASSERT_EQ(Pt(5).bindKind, kOnLine);
    const size_t messages = host.messages.size();
    Bind({0, 0}, kOnPoint, {3, 3});
    EXPECT_EQ(host.messages.size(), messages + 1);
    EXPECT_EQ(Pt(1).bindKind, kFree);
}

TEST_F(Binding, AConstructedPointKeepsItsBindingButIsNotDragged) {
    Points({{0, 0}, {4, 0}, {0, 6}});
    Build("L1", {{0, 0}, {4, 0}});
    Build("P3", {{0, 0}, {4, 0}, {0, 6}});  // centroid (4/3, 2)
    Bind({4.0 / 3, 2}, kOnLine, {2, 0.1});
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Pt(4).bindKind, kOnLine);
    EXPECT_NEAR(Pt(4).y, 2, 1e-9);  // its procedure still places it
}

TEST_F(Binding, OnlyFromTheRestingMode) {
    Points({{0, 0}});
    StartNewPoint(app, host, surface);
    const int beeps = host.beeps;
    mnuEboundedPt_Click(app, host, surface);
    EXPECT_EQ(host.beeps, beeps + 1);
    EXPECT_EQ(Mode(), kModeNewPoint);
}

using NewFigure = ConstructionRig;

TEST_F(NewFigure, WithoutPointsItResetsAtOnceAndKeepsTheFileName) {
    AppendObject(fig(), kKindNumber);  // a figure with a number only
    app.session.FigureFileName = "/home/u/figs/tri.kvf";
    mnuNew_Click(app, host, surface);
    EXPECT_EQ(host.newConfirmations, 0);
    EXPECT_EQ(Count(kKindNumber), 0);
    EXPECT_EQ(Mode(), kModeNewPoint);
    EXPECT_EQ(app.session.FigureFileName, "/home/u/figs/tri.kvf");
    EXPECT_EQ(host.LastStatus().panel2, "tri.kvf");
    Click(1, 2);  // the first point goes where the user clicks
    EXPECT_DOUBLE_EQ(fig().Points[1].x, 1);
}

TEST_F(NewFigure, WithPointsItAsksAndYesResetsEverything) {
    Points({{0, 0}, {4, 0}});
    for (int i = 0; i < 40; ++i) AppendObject(fig(), kKindPoint);  // the tables grow
    ASSERT_GT(fig().Capacity, kStartCapacity);
    fig().LocusCount[kKindPoint] = 3;
    app.session.DragPoint = 2;
    mnuNew_Click(app, host, surface);
    EXPECT_EQ(host.newConfirmations, 1);
    EXPECT_EQ(Count(kKindPoint), 42);  // nothing changes until the answer
    EXPECT_EQ(Mode(), kModeStandard);

    CommandYes_Click(app, host, surface);
    EXPECT_EQ(fig().Capacity, kStartCapacity);
    EXPECT_EQ(fig().ProcedureCount, 1);  // the free point being placed
    EXPECT_EQ(Count(kKindPoint), 1);
    EXPECT_EQ(fig().LocusCount[kKindPoint], 0);
    EXPECT_EQ(app.session.DragPoint, 0);
    EXPECT_EQ(app.session.CandidateCount, 0);
    EXPECT_EQ(Mode(), kModeNewPoint);
    EXPECT_EQ(TrimRight(fig().Points[30].name), DefaultPointName(30));
}

}  // namespace
}  // namespace kv::test
