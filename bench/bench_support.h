#pragma once
// What the drawing benchmarks share: a Qt application on the offscreen platform, and a figure
// of mixed points, lines, circles and a few measured numbers spread over a 1280 x 960 window,
// the same for every run.

#include <QGuiApplication>
#include <cstdint>
#include <memory>
#include <string>

#include "model/figure.h"
#include "support/figure_builder.h"
#include "support/offscreen_app.h"

namespace kv::bench {

// The application the image surface needs, unless one is already running; it lives as long as
// the returned pointer.
inline std::unique_ptr<QGuiApplication> OffscreenGui() {
    return test::MakeOffscreenApp<QGuiApplication>("korvinth_bench");
}

struct MixedFigure {
    Figure f;
    std::uint32_t seed = 2024;

    double Uniform(double lo, double hi) {
        seed = seed * 1664525u + 1013904223u;  // a fixed sequence keeps runs comparable
        return lo + static_cast<double>(seed >> 8) / (1u << 24) * (hi - lo);
    }
    int Pick(int n) { return 1 + static_cast<int>(Uniform(0, n - 0.001)); }

    int Point(double x, double y) {
        const ObjectRef pt = test::AddFreePoint(f, x, y);
        f.Points[pt.index].mark = static_cast<i16>(Pick(6) - 1);
        return pt.index;
    }

    void Procedure(const char* code, int a, int b, i16 outKind) {
        const int i = test::AddFromTwoPoints(f, code, a, b, outKind);
        if (outKind == kKindLine) f.Lines[i].form = static_cast<i16>(Pick(3) - 1);
        if (outKind == kKindNumber) f.Numbers[i].name = "d" + std::to_string(i);
    }

    // `objects` in all: a quarter lines, a sixth circles (each with its own point on it), one
    // number in a hundred, and free points for the rest.
    explicit MixedFigure(int objects) {
        EnsureCapacity(f, objects, 2 * objects);
        const int numbers = objects / 100;
        const int lines = objects / 4;
        const int circles = objects / 6;
        const int points = objects - numbers - lines - 2 * circles;
        for (int i = 0; i < points; ++i) Point(Uniform(-30, 30), Uniform(-22, 22));
        for (int i = 0; i < lines; ++i) Procedure("L1", Pick(points), Pick(points), kKindLine);
        for (int i = 0; i < circles; ++i) {
            // Centre and a point close to it: circles of a few units.
            const int c = Pick(points);
            const PointRecord& o = f.Points[c];
            const int q = Point(o.x + Uniform(-3, 3), o.y + Uniform(-3, 3));
            Procedure("C2", c, q, kKindCircle);
        }
        for (int i = 0; i < numbers; ++i)
            Procedure("ND2P", Pick(points), Pick(points), kKindNumber);
    }
};

}  // namespace kv::bench
