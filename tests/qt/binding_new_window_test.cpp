// The binding dialog and the New confirmation in the real window, offscreen: both are modeless,
// carry their named controls, are hidden after an answer and shown again as the same window.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "qt/binding_dialog.h"
#include "qt/kv_win.h"
#include "qt/new_confirmation.h"
#include "qt/qt_host.h"
#include "render/view_transform.h"
#include "ui/binding.h"
#include "ui/modes.h"
#include "window_fixture.h"

namespace kv {
namespace {

class BindingNewWindow : public test::OpenWindow {
  protected:
    void SetUp() override {
        OpenWindow::SetUp();
        if (HasFatalFailure()) return;
        // Two free points and the line through them.
        window->RunMenuCommand("mnuPnewFreeP");
        Click(-4, 0);
        Click(4, 0);
        QTest::keyClick(&window->canvas(), Qt::Key_Escape);
    }
};

TEST_F(BindingNewWindow, TheBindingDialogIsModelessNamedAndReused) {
    window->RunMenuCommand("mnuEboundedPt");
    Click(-4, 0);  // point A is highlighted already: one click takes it
    auto* dialog = window->findChild<SelGeoKindBounded*>("SelGeoKindBounded");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->windowTitle(), QString("種類の選択"));
    EXPECT_EQ(Control<QLabel>(dialog, "Label1")->text(),
              QString("どの種類の幾何的対象の上に点を取りますか"));
    EXPECT_EQ(Control<QPushButton>(dialog, "cmdOK")->text(), QString("ＯＫ"));
    EXPECT_EQ(Control<QPushButton>(dialog, "cmdCancel")->text(), QString("キャンセル"));
    QComboBox* combo = Control<QComboBox>(dialog, "ComboKind");
    ASSERT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(0), QString("フリーにする"));
    EXPECT_EQ(combo->itemText(3), QString("円上に取る"));
    EXPECT_EQ(combo->currentIndex(), 0);

    QTest::mouseClick(Control<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Mode(), kModeStandard);

    // Again: the same window, its items not added twice; "ＯＫ" with "他の点と一致させる" picks
    // the point to coincide with.
    window->RunMenuCommand("mnuEboundedPt");
    Click(-4, 0);
    EXPECT_EQ(window->findChild<SelGeoKindBounded*>("SelGeoKindBounded"), dialog);
    EXPECT_EQ(combo->count(), 4);
    combo->setCurrentIndex(1);
    QTest::mouseClick(Control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Mode(), kModeBindTargetPick);
    EXPECT_EQ(window->statusPanels().PanelText(1), QString("選択(どこに束縛)"));
}

TEST_F(BindingNewWindow, TheNewConfirmationIsModelessNamedAndEachButtonDoesItsPart) {
    window->RunMenuCommand("mnuNew");
    auto* dialog = window->findChild<NewConstchk*>("NewConstchk");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(Control<QLabel>(dialog, "Label1")->text(),
              QString("現在の図は失われますが,新しい図を作図しますか。"));
    EXPECT_EQ(Control<QPushButton>(dialog, "CommandYes")->text(), QString("はい"));
    EXPECT_EQ(Control<QPushButton>(dialog, "CommandSave")->text(), QString("保存しておく"));
    EXPECT_EQ(Control<QPushButton>(dialog, "CommandCancel")->text(), QString("キャンセル"));
    const Figure& f = window->app().figure;

    for (const char* harmless : {"CommandSave", "CommandCancel"}) {
        SCOPED_TRACE(harmless);
        window->RunMenuCommand("mnuNew");
        EXPECT_EQ(window->findChild<NewConstchk*>("NewConstchk"), dialog);
        QTest::mouseClick(Control<QPushButton>(dialog, harmless), Qt::LeftButton);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(f.ObjectCount[kKindPoint], 2);
        EXPECT_EQ(Mode(), kModeStandard);
    }

    window->RunMenuCommand("mnuNew");
    QTest::mouseClick(Control<QPushButton>(dialog, "CommandYes"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Mode(), kModeNewPoint);
    EXPECT_EQ(f.ObjectCount[kKindPoint], 1);  // the first point of the new figure, to be placed
    EXPECT_EQ(window->statusPanels().PanelText(2), QString("untitled"));
}

// The walk of a new user in the window: はい after a click on the figure has started a drag
// replaces the figure all the same, and in the free-point mode that follows, a construction
// chosen from the menu starts at once instead of beeping.
TEST_F(BindingNewWindow, YesAfterAClickAndAConstructionFromTheFreePointModeBothWork) {
    window->RunMenuCommand("mnuNew");
    auto* dialog = window->findChild<NewConstchk*>("NewConstchk");
    ASSERT_NE(dialog, nullptr);
    Click(-4, 0);  // "1点を動かす" starts behind the dialog
    Click(-4, 0);
    ASSERT_EQ(Mode(), kModeDeform);
    QTest::mouseClick(Control<QPushButton>(dialog, "CommandYes"), Qt::LeftButton);
    const Figure& f = window->app().figure;
    EXPECT_EQ(Mode(), kModeNewPoint);
    EXPECT_EQ(f.ObjectCount[kKindPoint], 1);

    Click(0, 0);
    Click(4, 0);
    Click(0, 3);
    ASSERT_EQ(Mode(), kModeNewPoint);
    window->RunMenuCommand("mnuPgaishin");
    EXPECT_EQ(Mode(), kModeConstructionPick);
    EXPECT_EQ(f.ObjectCount[kKindPoint], 3);  // the pending fourth point is dropped
    EXPECT_EQ(f.ProcedureCount, 4);
    EXPECT_EQ(window->statusPanels().PanelText(4), QString("点A"));
}

}  // namespace
}  // namespace kv
