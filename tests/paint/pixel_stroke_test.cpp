// Strokes written straight into the image against the painter's own, whole-pixel and smooth:
// for random segments and ellipses, inside, across and far outside the image, steep, level,
// short and degenerate, over a patterned picture, both must leave exactly the same pixels.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPen>
#include <cmath>
#include <cstdint>
#include <random>

#include "paint/pixel_stroke.h"
#include "support/pixels.h"

namespace kv {
namespace {

constexpr int kWidth = 97, kHeight = 71;
constexpr QRgb kInk = 0xff102030;

// A picture to blend over, every pixel different.
QImage Blank() {
    static const QImage pattern = [] {
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) image.setPixel(x, y, qRgb(x * 2, y * 3, (x * y) & 255));
        return image;
    }();
    return pattern.copy();
}

QPen OnePixelPen() {
    QPen pen{QColor::fromRgb(kInk)};
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

PixelStroke StrokeOn(QImage& image, bool smooth = false) {
    return PixelStroke(reinterpret_cast<std::uint32_t*>(image.bits()), image.width(),
                       image.height(), image.bytesPerLine() / 4, kInk, true, smooth);
}

// A coordinate mostly within the image, sometimes just beyond or far beyond it.
double Coordinate(std::mt19937& rng, int size) {
    const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
    if (kind < 6) return std::uniform_real_distribution<double>(-2, size + 2)(rng);
    if (kind < 9) return std::uniform_real_distribution<double>(-3.0 * size, 4.0 * size)(rng);
    return std::uniform_real_distribution<double>(-1e5, 1e5)(rng);
}

TEST(PixelStroke, SegmentsSetThePaintersPixels) {
    std::mt19937 rng(11);
    for (int i = 0; i < 4000; ++i) {
        // Whole pixels or pixel centres, as the surface passes them, or anywhere, with level,
        // upright and short ones mixed in.
        const bool smooth = i % 2 == 1;
        double x1 = std::floor(Coordinate(rng, kWidth)), y1 = std::floor(Coordinate(rng, kHeight));
        double x2 = std::floor(Coordinate(rng, kWidth)), y2 = std::floor(Coordinate(rng, kHeight));
        switch (i % 10) {
            case 1: case 2: y2 = y1; break;
            case 3: case 4: x2 = x1; break;
            case 5: case 6: x2 = x1 + (i % 7) - 3, y2 = y1 + (i % 3) - 1; break;
            default: break;
        }
        if (smooth) {
            const double shift = i % 4 == 1 ? 0.5 : 0.37 * (i % 3);
            x1 += shift, y1 += shift, x2 += shift * 2, y2 += shift;
        }
        QImage painted = Blank(), direct = Blank();
        {
            QPainter p(&painted);
            p.setPen(OnePixelPen());
            p.setRenderHint(QPainter::Antialiasing, smooth);
            if (smooth) {
                p.drawLine(QLineF(x1, y1, x2, y2));
            } else {
                p.drawLine(QPoint(static_cast<int>(x1), static_cast<int>(y1)),
                           QPoint(static_cast<int>(x2), static_cast<int>(y2)));
            }
        }
        StrokeOn(direct, smooth).Line(x1, y1, x2, y2);
        ASSERT_EQ(test::DifferentPixels(painted, direct), 0)
            << (smooth ? "smooth " : "") << "segment " << x1 << "," << y1 << " - " << x2 << ","
            << y2;
    }
}

TEST(PixelStroke, EllipsesSetThePaintersPixels) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 4000; ++i) {
        // Centres on whole pixels or pixel centres as the surface uses, and some anywhere;
        // radii from a pixel to many times the image.
        const bool smooth = i % 2 == 1;
        double cx = Coordinate(rng, kWidth), cy = Coordinate(rng, kHeight);
        if (i % 4 < 2) cx = std::floor(cx) + (smooth ? 0.5 : 0), cy = std::floor(cy) + (smooth ? 0.5 : 0);
        const double scale = i % 3 == 0 ? 4 : (i % 3 == 1 ? 40 : 400);
        const double rx = unit(rng) * scale, ry = i % 5 == 0 ? unit(rng) * scale : rx;
        if (!smooth && PixelStroke::LiesOnWholePixels(cx - rx, cy - ry, 2 * rx, 2 * ry)) continue;
        QImage painted = Blank(), direct = Blank();
        {
            QPainter p(&painted);
            p.setPen(OnePixelPen());
            p.setRenderHint(QPainter::Antialiasing, smooth);
            p.drawEllipse(QPointF(cx, cy), rx, ry);
        }
        StrokeOn(direct, smooth).Ellipse(cx - rx, cy - ry, 2 * rx, 2 * ry);
        ASSERT_EQ(test::DifferentPixels(painted, direct), 0)
            << (smooth ? "smooth " : "") << "ellipse at " << cx << "," << cy << " radii " << rx
            << "," << ry;
    }
}

TEST(PixelStroke, PointsAndNonFiniteInput) {
    QImage painted = Blank(), direct = Blank();
    PixelStroke stroke = StrokeOn(direct);
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
