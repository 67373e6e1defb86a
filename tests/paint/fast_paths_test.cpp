// The drawing shortcuts against the plain way of drawing: a drag step that leaves out the
// paint-over of images drawn again unchanged, and text whose shaping is remembered, must put
// exactly the pixels on the image that the plain sequence puts there.

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdint>
#include <string>
#include <random>
#include <utility>

#include "engine/recompute.h"
#include "model/figure.h"
#include "paint/image_surface.h"
#include "render/draw.h"
#include "render/number_list.h"
#include "render/redraw.h"
#include "render/view_transform.h"
#include "support/figure_builder.h"
#include "support/pixels.h"

namespace kv {
namespace {

using test::DifferentPixels;

// Named points with every mark, some depending on the dragged point A and many not, points
// that overlap each other's names, the four line forms, circles, a hidden point, a highlighted
// point, two listed numbers and a stored locus.
Figure Scene() {
    Figure f;
    const int a = test::AddPoint(f, -3, -1, 4);
    f.Points[a].name = "A";
    int previous = a;
    for (int i = 0; i < 18; ++i) {
        const int p = test::AddPoint(f, -8 + i * 0.9, 3 - (i % 5) * 1.7, static_cast<i16>(i % 6));
        f.Points[p].name = "P" + std::to_string(i);
        f.Points[p].colour = static_cast<i16>(1 + i % 7);
        if (i % 3 == 0) test::AddLineThrough(f, p, previous, static_cast<i16>(i % 4));
        if (i % 4 == 1) test::AddFromTwoPoints(f, "C2", p, previous, kKindCircle);
        previous = p;
    }
    const int b = test::AddPoint(f, 2, 1.5, 5);
    f.Points[b].name = "点B";
    for (i16 form = 0; form < 4; ++form) test::AddLineThrough(f, a, b, form);
    test::AddFromTwoPoints(f, "C2", a, b, kKindCircle);
    f.Points[test::AddFromTwoPoints(f, "PT3", a, b, kKindPoint)].name = "鏡";
    const int hidden = test::AddPoint(f, -3, -1.05, 2);  // under A's name, never drawn
    f.Points[hidden].colour = 0;
    f.Points[test::AddPoint(f, 1, -4, 12)].name = "H";  // highlighted
    f.Numbers[test::AddFromTwoPoints(f, "ND2P", a, b, kKindNumber)].name = "距離AB";
    f.Numbers[test::AddFromTwoPoints(f, "ND2P", 2, 3, kKindNumber)].name = "d";
    f.LocusCount[kKindPoint] = 1;
    f.LocusPoints.resize(2);
    f.LocusPoints[1] = f.Points[2];
    f.LocusPoints[1].colour = 4;
    return f;
}

// A drawing target: an image and its view.
struct Canvas {
    ImageSurface surface{641, 481};
    View view;
    Notifier note;
    ColourNotice notice;
    explicit Canvas(const View& settings) : view(settings) { SetScreen(view, surface); }
    DrawContext Ctx() { return DrawContext{surface, view, true, note, notice}; }
};

TEST(FastPaths, DragStepsPaintWhatThePlainStepsPaint) {
    struct Case {
        int pen;
        bool dotted, axes, namesHidden;
    };
    for (const Case c : {Case{1, false, true, false}, Case{3, false, false, false},
                         Case{1, true, true, false}, Case{2, false, true, true}}) {
        View settings;
        settings.PenWidth = c.pen;
        settings.ShowAxes = c.axes ? kTrue : kFalse;
        settings.LabelsHidden = c.namesHidden ? kTrue : kFalse;
        settings.MeasureDigits = 4;
        Canvas fast(settings), plain(settings);
        fast.surface.SetDotted(c.dotted);
        plain.surface.SetDotted(c.dotted);
        Figure f = Scene();
        Figure g = f;
        RedrawAll(f, fast.Ctx());
        RedrawAll(g, plain.Ctx());

        const ObjectRef moved[] = {{kKindPoint, 1}};
        AnalyseDependencies(f, moved, fast.note);
        AnalyseDependencies(g, moved, plain.note);
        // Steps that move A, keep it still, and pass over other points and names.
        const std::pair<double, double> steps[] = {
            {-2.5, -1}, {-2.5, -1}, {-7.1, 3.05}, {0.3, 0.1}};
        for (auto [x, y] : steps) {
            for (Figure* h : {&f, &g}) {
                TakeSnapshot(*h);
                h->Points[1].x = x;
                h->Points[1].y = y;
            }
            UpdateAfterChange(f, false, nullptr, fast.Ctx());
            // The plain step: paint every affected old image over, then draw everything.
            EraseOrTraceChanged(g, false, nullptr, plain.Ctx());
            RecomputeAll(g, plain.note);
            DrawFigure(g, plain.Ctx());
            DrawNumberLabels(g, plain.Ctx());
            ASSERT_EQ(DifferentPixels(fast.surface.Image(), plain.surface.Image()), 0)
                << "pen " << c.pen << " dotted " << c.dotted << " step to " << x << "," << y;
        }
    }
}

// The font the surface prints whole-pixel text in, at `size` pixels.
QFont WholePixelFont(int size) {
    QFont font;
    font.setPixelSize(size);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// Texts printed through the surface, in pieces and whole, plain and on a box, in several
// sizes and at fractional positions, twice each (the second time from what was shaped
// before), against QPainter::drawText with the surface's font put where the surface puts
// the text: top-left corner at the position, x as it is, y down to the whole pixel.
TEST(FastPaths, PrintedTextMatchesPlainDrawText) {
    const char* texts[] = {"P12", "距離AB", " = ", " 3.14159", "ｶﾀｶﾅ点B", "-1.2345E-05 iW", ""};
    ImageSurface surface(400, 300);
    QImage want(400, 300, QImage::Format_RGB32);
    for (int size : {6, 9, 13, 24, 9}) {
        surface.SetFontSize(size);
        surface.SetPixelScale();
        surface.Clear();
        want.fill(QColor(192, 192, 192));
        const QFont font = WholePixelFont(size);
        QPainter p(&want);
        p.setFont(font);
        const QFontMetricsF fm(font, &want);
        int row = 0;
        for (int round = 0; round < 2; ++round) {
            for (const char* t : texts) {
                const QString text = QString::fromUtf8(t);
                const QColor fore = row % 3 ? QColor(0, 0, 128) : QColor(0, 0, 0);
                const double x = 3 + row * 0.37, y = 2 + row * (size * 0.45) + 0.6;
                surface.SetForeColour({static_cast<std::uint8_t>(fore.red()),
                                       static_cast<std::uint8_t>(fore.green()),
                                       static_cast<std::uint8_t>(fore.blue())});
                surface.MoveTo(static_cast<float>(x), static_cast<float>(y));
                const QPointF at(static_cast<float>(x), std::floor(static_cast<float>(y)));
                if (row % 4 == 3) {
                    surface.PrintOpaque(t, {128, 0, 128});
                    p.fillRect(QRectF(at, QSizeF(fm.horizontalAdvance(text), fm.height())),
                               QColor(128, 0, 128));
                    p.setPen(fore);
                    p.drawText(at + QPointF(0, fm.ascent()), text);
                } else {
                    // In two pieces, as the number list prints a row.
                    surface.Print("12:");
                    surface.Print(t);
                    p.setPen(fore);
                    p.drawText(at + QPointF(0, fm.ascent()), "12:");
                    p.drawText(at + QPointF(fm.horizontalAdvance("12:"), fm.ascent()), text);
                }
                ++row;
            }
        }
        p.end();
        EXPECT_EQ(DifferentPixels(surface.Image(), want), 0) << "size " << size;
    }
}

// Names scattered anywhere, also across the right and bottom edges, at every position within a
// pixel: glyphs the surface stamps from what the painter drew once must land exactly where
// the painter draws them.
TEST(FastPaths, ScatteredTextMatchesPlainDrawText) {
    const char* texts[] = {"A", "P12", "m7 = 0.5", "距離AB", "ｶﾀｶﾅ点B", "ygjQ|_"};
    std::mt19937 rng(3);
    std::uniform_real_distribution<double> across(0, 430), down(0, 330);
    for (int size : {9, 13}) {
        ImageSurface surface(400, 300);
        surface.SetFontSize(size);
        surface.SetPixelScale();
        QImage want(400, 300, QImage::Format_RGB32);
        want.fill(QColor(192, 192, 192));
        const QFont font = WholePixelFont(size);
        QPainter p(&want);
        p.setFont(font);
        p.setPen(QColor(0, 0, 0));
        const QFontMetricsF fm(font, &want);
        for (int i = 0; i < 600; ++i) {
            const char* t = texts[i % std::size(texts)];
            const auto x = static_cast<float>(across(rng)), y = static_cast<float>(down(rng));
            surface.MoveTo(x, y);
            surface.Print(t);
            p.drawText(QPointF(x, std::floor(y)) + QPointF(0, fm.ascent()), QString::fromUtf8(t));
        }
        p.end();
        EXPECT_EQ(DifferentPixels(surface.Image(), want), 0) << "size " << size;
    }
}

// Smooth dots (the smooth picture's one-pixel marks), overlapping each other and the edges,
// in several radii and colours: stamped from one the painter drew, they must blend exactly as
// the painter's own.
TEST(FastPaths, SmoothDotsMatchThePainter) {
    ImageSurface surface(120, 90);
    surface.SetSmooth(true);
    surface.SetPixelScale();
    surface.Clear();
    QImage want(120, 90, QImage::Format_RGB32);
    want.fill(QColor(192, 192, 192));
    QPainter p(&want);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    std::mt19937 rng(9);
    std::uniform_real_distribution<double> across(-5, 125), down(-5, 95);
    const double radii[] = {1.5, 2, 2.5, 3.7, 10};
    for (int i = 0; i < 300; ++i) {
        const Rgb c{static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 11), 40};
        const double x = across(rng), y = down(rng), r = radii[i % std::size(radii)];
        surface.Dot(static_cast<float>(x), static_cast<float>(y), static_cast<float>(r), c);
        p.setBrush(QColor(c.r, c.g, c.b));
        p.drawEllipse(QPointF(std::floor(static_cast<float>(x)) + 0.5,
                              std::floor(static_cast<float>(y)) + 0.5),
                      static_cast<float>(r), static_cast<float>(r));
    }
    p.end();
    EXPECT_EQ(DifferentPixels(surface.Image(), want), 0);
}

}  // namespace
}  // namespace kv
