// Strokes written straight into the image against the painter's own: for random segments and
// ellipses, inside, across and far outside the image, steep, level, short and degenerate, both
// must set exactly the same pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <cstdint>
#include <random>

#include "paint/aliased_stroke.h"
#include "support/pixels.h"

namespace kv {
namespace {

constexpr int kWidth = 97, kHeight = 71;
constexpr QRgb kBack = 0xffc0c0c0, kInk = 0xff102030;

QImage Blank() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kBack);
    return image;
}

QPen OnePixelPen() {
    QPen pen{QColor::fromRgb(kInk)};
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

AliasedStroke StrokeOn(QImage& image) {
    return AliasedStroke(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                         image.height(), image.bytesPerLine() / 4, kInk, true);
}

// A coordinate mostly within the image, sometimes just beyond or far beyond it.
double Coordinate(std::mt19937& rng, int size) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    if (kind < 6) return std::uniform_real_distribution<double>(-2, size + 2)(rng);
    if (kind < 9) return std::uniform_real_distribution<double>(-3.0 * size, 4.0 * size)(rng);
    return std::uniform_real_distribution<double>(-1e5, 1e5)(rng);
}

TEST(AliasedStroke, SegmentsSetThePaintersPixels) {
    std::mt19937 rng(11);
    for (int i = 0; i < 3000; ++i) {
        // Whole pixels, as the surface passes them, with level, upright and short ones mixed in.
        int x1 = static_cast<int>(Coordinate(rng, kWidth)), y1 = static_cast<int>(Coordinate(rng, kHeight));
        int x2 = static_cast<int>(Coordinate(rng, kWidth)), y2 = static_cast<int>(Coordinate(rng, kHeight));
        switch (i % 5) {
            case 1: y2 = y1; break;
            case 2: x2 = x1; break;
            case 3: x2 = x1 + (i % 7) - 3, y2 = y1 + (i % 3) - 1; break;
            default: break;
        }
        QImage painted = Blank(), direct = Blank();
        {
            QPainter p(&painted);
            p.setPen(OnePixelPen());
            p.drawLine(QPoint(x1, y1), QPoint(x2, y2));
        }
        StrokeOn(direct).Line(x1, y1, x2, y2);
        ASSERT_EQ(test::DifferentPixels(painted, direct), 0)
            << "segment " << x1 << "," << y1 << " - " << x2 << "," << y2;
    }
}

TEST(AliasedStroke, EllipsesSetThePaintersPixels) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 3000; ++i) {
        // Whole-pixel centres as the surface uses, and some anywhere; radii from a pixel to
        // many times the image.
        double cx = Coordinate(rng, kWidth), cy = Coordinate(rng, kHeight);
        if (i % 2 == 0) cx = std::floor(cx), cy = std::floor(cy);
        const double scale = i % 3 == 0 ? 4 : (i % 3 == 1 ? 40 : 400);
        const double rx = unit(rng) * scale, ry = i % 4 == 0 ? unit(rng) * scale : rx;
        if (AliasedStroke::LiesOnWholePixels(cx - rx, cy - ry, 2 * rx, 2 * ry)) continue;
        QImage painted = Blank(), direct = Blank();
        {
            QPainter p(&painted);
            p.setPen(OnePixelPen());
            p.drawEllipse(QPointF(cx, cy), rx, ry);
        }
        StrokeOn(direct).Ellipse(cx - rx, cy - ry, 2 * rx, 2 * ry);
        ASSERT_EQ(test::DifferentPixels(painted, direct), 0)
            << "ellipse at " << cx << "," << cy << " radii " << rx << "," << ry;
    }
}

TEST(AliasedStroke, PointsAndNonFiniteInput) {
    QImage painted = Blank(), direct = Blank();
    AliasedStroke stroke = StrokeOn(direct);
    {
        QPainter p(&painted);
        p.setPen(OnePixelPen());
        for (const QPoint at : {QPoint(0, 0), QPoint(kWidth - 1, kHeight - 1), QPoint(-1, 3),
                                QPoint(5, kHeight), QPoint(40, 30)}) {
            p.drawPoint(at);
            stroke.Point(at.x(), at.y());
        }
    }
    const double nan = std::nan("");
    stroke.Line(nan, 1, 5, 5);
    stroke.Line(1, 1, INFINITY, 5);
    stroke.Ellipse(nan, 1, 5, 5);
    stroke.Ellipse(3, 3, 0, 0);
    EXPECT_EQ(test::DifferentPixels(painted, direct), 0);
}

}  // namespace
}  // namespace kv
