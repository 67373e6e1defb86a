// The attribute dialogs in the real window, offscreen: modeless, made once and reused, their
// controls named and captioned, and "設定" drawing the point as it now is.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cmath>
#include <memory>

#include "qt/attribute_dialog.h"
#include "qt/kv_win.h"
#include "qt/qt_host.h"
#include "render/palette.h"
#include "render/view_transform.h"
#include "ui/modes.h"
#include "window_fixture.h"

namespace kv {
namespace {

using AttributeWindow = test::OpenWindow;

TEST_F(AttributeWindow, PointDialogIsModelessReusedAndNamed) {
    window->RunMenuCommand("mnuPnewFreeP");
    QTest::mouseClick(&window->canvas(), Qt::LeftButton, {}, PixelOf(-4, 0));
    QTest::mouseClick(&window->canvas(), Qt::LeftButton, {}, PixelOf(4, 0));
    Key(Qt::Key_Escape);
    window->RunMenuCommand("mnuLocusSetP");
    EXPECT_EQ(window->statusPanels().PanelText(1), QString("選択(編集)"));
    Key(Qt::Key_Return);

    AttributeDialog* dialog = window->attributeDialog(kKindPoint);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->objectName(), QString("PtAttribute"));
    EXPECT_EQ(dialog->windowTitle(), QString("点の属性の設定"));
    EXPECT_EQ(CurrentMode(window->app().session), kModeStandard);
    const std::pair<const char*, const char*> labels[] = {{"LabelName", "名前"},
                                                          {"LabelClr", "色"},
                                                          {"LabelLocus", "軌跡の色"},
                                                          {"LabelKind", "表示形式"},
                                                          {"LabelIndependent", "変形時の選択"}};
    for (const auto& [name, caption] : labels)
        EXPECT_EQ(Control<QLabel>(dialog, name)->text(), QString(caption));
    EXPECT_EQ(Control<QPushButton>(dialog, "CommandOK")->text(), QString("設定"));
    EXPECT_EQ(Control<QPushButton>(dialog, "CommandCancel")->text(), QString("キャンセル"));
    QComboBox* colour = Control<QComboBox>(dialog, "ComboClr");
    ASSERT_EQ(colour->count(), 8);
    EXPECT_EQ(colour->itemText(4), QString("赤"));
    EXPECT_EQ(colour->currentIndex(), 7);
    EXPECT_EQ(Control<QComboBox>(dialog, "ComboLocus")->count(), 8);
    QComboBox* mark = Control<QComboBox>(dialog, "ComboKind");
    ASSERT_EQ(mark->count(), 6);
    EXPECT_EQ(mark->itemText(4), QString("■"));
    EXPECT_TRUE(Control<QComboBox>(dialog, "ComboIndependent")->isVisible());
    EXPECT_EQ(Control<QLineEdit>(dialog, "TextName")->text(), QString("A         "));

    // The window stays usable while the dialog is open.
    window->RunMenuCommand("mnuOAxis");
    EXPECT_NE(window->app().view.ShowAxes, 0);

    colour->setCurrentIndex(4);
    mark->setCurrentIndex(4);
    QTest::mouseClick(Control<QPushButton>(dialog, "CommandOK"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    const PointRecord& a = window->app().figure.Points[1];
    EXPECT_EQ(a.colour, 4);
    EXPECT_EQ(a.mark, 4);
    // A red filled square: red off the centre, where a dot would leave the background.
    const Rgb red = *PaletteColour(4);
    const QPoint p = PixelOf(a.x, a.y) + QPoint(-3, 3);
    EXPECT_EQ(window->canvas().surface().Image().pixelColor(p), QColor(red.r, red.g, red.b));

    // The same dialog again; closing it answers like キャンセル.
    window->RunMenuCommand("mnuEbasicPt");
    Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    EXPECT_EQ(window->attributeDialog(kKindPoint), dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Control<QLineEdit>(dialog, "TextName")->text(), QString("B         "));
    EXPECT_EQ(colour->currentIndex(), 7);
    Control<QLineEdit>(dialog, "TextName")->setText("Q");
    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(window->app().figure.Points[2].name, "B");
}

}  // namespace
}  // namespace kv
