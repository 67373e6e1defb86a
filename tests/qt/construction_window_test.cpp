// Building a figure in the real window, offscreen: free points and a circumcentre by clicks
// on the canvas, the candidate in status panel 4 and its red highlight, and the number dialog
// as a modeless window that is hidden, not destroyed, after each answer.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "qt/kv_win.h"
#include "qt/number_dialog.h"
#include "qt/qt_host.h"
#include "render/palette.h"
#include "render/view_transform.h"
#include "ui/modes.h"
#include "window_fixture.h"

namespace kv {
namespace {

class ConstructionWindow : public test::OpenWindow {
  protected:
    QString Panel(int i) const { return window->statusPanels().PanelText(i); }
    template <class W>
    W* Control(const char* name) const {
        W* w = window->numberDialog()->findChild<W*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
};

TEST_F(ConstructionWindow, ClicksBuildACircumcentre) {
    // The highlight's colour is read from one pixel, which whole-pixel drawing fills.
    window->app().view.Smooth = false;
    window->RunMenuCommand("mnuPnewFreeP");
    EXPECT_EQ(Panel(1), QString("点の追加"));
    Click(-5, -2);
    Click(5, -2);
    Click(1, 6);
    QTest::keyClick(&window->canvas(), Qt::Key_Escape);
    const Figure& f = window->app().figure;
    ASSERT_EQ(f.ObjectCount[kKindPoint], 3);

    window->RunMenuCommand("mnuPgaishin");
    EXPECT_EQ(Panel(1), QString("選択(作図中)"));
    EXPECT_EQ(Panel(4), QString("点A"));
    const QPoint a = PixelOf(f.Points[1].x, f.Points[1].y);
    const Rgb red = *PaletteColour(4);
    EXPECT_EQ(window->canvas().surface().Image().pixelColor(a), QColor(red.r, red.g, red.b));

    Click(-5, -2);  // A is highlighted already: one click takes it, and B is offered next
    EXPECT_EQ(Panel(4), QString("点B"));
    Click(1, 6);  // moves the highlight to C
    EXPECT_EQ(Panel(4), QString("点C"));
    Click(1, 6);
    Click(5, -2);
    EXPECT_EQ(Mode(), kModeStandard);
    EXPECT_EQ(Panel(1), QString("標準"));
    EXPECT_EQ(Panel(4), QString());
    ASSERT_EQ(f.ObjectCount[kKindPoint], 4);
    EXPECT_EQ(f.ProcInput[f.ProcedureCount][2], (ObjectRef{kKindPoint, 3}));
    // The clicks placed the points where their pixels are; the centre is equidistant from them.
    const PointRecord& o = f.Points[4];
    const auto dist = [&](int i) { return std::hypot(o.x - f.Points[i].x, o.y - f.Points[i].y); };
    EXPECT_NEAR(dist(2), dist(1), 1e-9);
    EXPECT_NEAR(dist(3), dist(1), 1e-9);
}

TEST_F(ConstructionWindow, TheNumberDialogIsModelessAndHiddenAfterEachAnswer) {
    window->RunMenuCommand("mnuPnewFreeP");
    Click(0, 0);
    QTest::keyClick(&window->canvas(), Qt::Key_Escape);
    window->RunMenuCommand("mnuCPN");
    Click(0, 0);
    KVSelNum* dialog = window->numberDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    // The panels keep their texts; what is waited for is their tooltip.
    EXPECT_EQ(Panel(1), QString("選択(作図中)"));
    EXPECT_EQ(window->statusPanels().Panel(1)->toolTip(),
              QString("「円（中心と半径）」: 数値を選ぶか,新しく入力してください (2/2)"));
    EXPECT_EQ(dialog->windowTitle(), QString("数値の選択"));
    EXPECT_EQ(Control<QPushButton>("Command1")->text(), QString("既存の変数から選択する"));
    EXPECT_EQ(Control<QPushButton>("NewNum")->text(), QString("新しい変数を追加する"));
    EXPECT_EQ(Control<QLabel>("Label2")->text(), QString("確認 :"));
    EXPECT_TRUE(Control<QListWidget>("NumList")->isVisible());
    EXPECT_FALSE(Control<QLineEdit>("Text1")->isVisible());

    QTest::mouseClick(Control<QPushButton>("NewNum"), Qt::LeftButton);
    QLineEdit* text = Control<QLineEdit>("Text1");
    EXPECT_TRUE(text->isVisible());
    EXPECT_FALSE(Control<QPushButton>("Cmd_OK")->isVisible());
    QTest::keyClicks(text, "2a");
    EXPECT_EQ(Control<QLabel>("Label3")->text(), QString(" 2"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(Mode(), kModeStandard);
    const Figure& f = window->app().figure;
    ASSERT_EQ(f.ObjectCount[kKindCircle], 1);
    EXPECT_NEAR(f.Circles[1].r, 2, 1e-12);

    // The same window again, listing the number just typed.
    window->RunMenuCommand("mnuCPN");
    Click(0, 0);
    EXPECT_EQ(window->numberDialog(), dialog);
    QListWidget* list = Control<QListWidget>("NumList");
    ASSERT_EQ(list->count(), 1);
    EXPECT_EQ(list->item(0)->text(), QString(" 1: =  2"));
    list->setCurrentRow(0);
    QTest::mouseClick(Control<QPushButton>("Cmd_OK"), Qt::LeftButton);
    EXPECT_EQ(f.ObjectCount[kKindCircle], 2);
    EXPECT_EQ(f.ProcInput[f.ProcedureCount][2], (ObjectRef{kKindNumber, 1}));

    // OK with no line selected cancels, even with the focus frame on the first line.
    window->RunMenuCommand("mnuCPN");
    Click(0, 0);
    ASSERT_TRUE(dialog->isVisible());
    list->setFocus();
    list->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    ASSERT_EQ(list->currentRow(), 0);
    QTest::mouseClick(Control<QPushButton>("Cmd_OK"), Qt::LeftButton);
    EXPECT_EQ(f.ObjectCount[kKindCircle], 2);
    EXPECT_EQ(f.ProcCode[f.ProcedureCount], "C1");
    EXPECT_EQ(f.ProcInput[f.ProcedureCount][2], (ObjectRef{kKindNumber, 1}));
    EXPECT_EQ(Mode(), kModeStandard);

    // Closing the dialog cancels the construction.
    window->RunMenuCommand("mnuCPN");
    Click(0, 0);
    const int procs = f.ProcedureCount;
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(f.ProcedureCount, procs - 1);
    EXPECT_EQ(Mode(), kModeStandard);
}

TEST_F(ConstructionWindow, APolygonFromTheMenuProposesThreeVerticesAndClosesOnTheFirst) {
    window->RunMenuCommand("mnuPnewFreeP");
    Click(-4, -3);
    Click(4, -3);
    Click(0, 4);
    QTest::keyClick(&window->canvas(), Qt::Key_Escape);
    window->RunMenuCommand("mnuSpolygon");
    QLineEdit* text = Control<QLineEdit>("Text1");
    ASSERT_TRUE(text->isVisible());
    EXPECT_EQ(text->text(), QString("3"));
    QTest::keyClick(text, Qt::Key_Return);
    EXPECT_EQ(Panel(4), QString("点A"));
    Click(-4, -3);
    EXPECT_EQ(Panel(4), QString("点B"));
    Click(4, -3);
    Click(0, 4);
    EXPECT_EQ(Mode(), kModeStandard);
    const Figure& f = window->app().figure;
    ASSERT_EQ(f.ObjectCount[kKindLine], 3);
    EXPECT_EQ(f.ProcInput[f.ProcedureCount - 1][1], (ObjectRef{kKindPoint, 3}));
    EXPECT_EQ(f.ProcInput[f.ProcedureCount - 1][2], (ObjectRef{kKindPoint, 1}));
    EXPECT_EQ(CodeOf(f, f.ProcedureCount), "LPGN");
}

}  // namespace
}  // namespace kv
