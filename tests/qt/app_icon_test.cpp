// The window's icon is the installed SVG drawing, built in: it must render at every size the
// desktop asks for, with the figure where the drawing puts it.

#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QSvgRenderer>

#include "qt/app_icon.h"

namespace kv {
namespace {

TEST(AppIcon, TheBuiltInDrawingIsTheInstalledIconFile) {
    QFile builtIn(QString::fromLatin1(kAppIconResource));
    ASSERT_TRUE(builtIn.open(QIODevice::ReadOnly));
    QFile installed(
        QStringLiteral(KORVINTH_TEST_DATA "/../../share/icons/hicolor/scalable/apps/korvinth.svg"));
    ASSERT_TRUE(installed.open(QIODevice::ReadOnly));
    EXPECT_EQ(builtIn.readAll(), installed.readAll());
    EXPECT_TRUE(QSvgRenderer(QString::fromLatin1(kAppIconResource)).isValid());
}

TEST(AppIcon, EverySizeShowsTheCircumcentreOnTheGreyTileWithTransparentCorners) {
    // Below 32 pixels the antialiasing blends the small dot and corner into their neighbours.
    for (int size : {32, 48, 64, 128}) {
        SCOPED_TRACE(size);
        const QImage img = AppIconPixmap(size).toImage();
        ASSERT_EQ(img.size(), QSize(size, size));
        // The circumcentre's dot sits at the middle, in the points' dark red.
        const QColor centre = img.pixelColor(size / 2, size / 2);
        EXPECT_GT(centre.red(), 100);
        EXPECT_LT(centre.green(), 40);
        EXPECT_EQ(centre.alpha(), 255);
        // Outside the circle but on the tile: the window's grey.
        const QColor tile = img.pixelColor(size * 58 / 64, size * 10 / 64);
        EXPECT_NEAR(tile.red(), 192, 8);
        EXPECT_NEAR(tile.blue(), 192, 8);
        // The rounded tile leaves the very corner transparent.
        EXPECT_EQ(img.pixelColor(0, 0).alpha(), 0);
    }
    EXPECT_FALSE(AppIcon().isNull());
    EXPECT_GE(AppIcon().availableSizes().size(), 5);
}

}  // namespace
}  // namespace kv
