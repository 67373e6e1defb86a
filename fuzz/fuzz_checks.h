#pragma once
// What the fuzz targets check of every figure the reader accepts: what a user relies on after
// loading it, saving it and loading it again. A broken check prints what broke and aborts, so
// that libFuzzer keeps the input.

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/naming.h"
#include "engine/recompute.h"
#include "io/figure_file.h"
#include "io/report.h"
#include "render/redraw.h"
#include "render/view_transform.h"
#include "support/recording_surface.h"

namespace kv::fuzz {

[[noreturn]] inline void Broken(std::string_view what, std::string_view detail = {}) {
    std::fprintf(stderr, "broken: %.*s\n%.*s\n", static_cast<int>(what.size()), what.data(),
                 static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Require(bool ok, std::string_view what) {
    if (!ok) Broken(what);
}

// The first line where two reports differ, for the message.
inline std::string FirstDifference(const std::string& a, const std::string& b) {
    size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
    const size_t from = a.rfind('\n', i) == std::string::npos ? 0 : a.rfind('\n', i) + 1;
    return "saved:    " + a.substr(from, a.find('\n', i) - from) +
           "\nread back: " + b.substr(from, b.find('\n', i) - from);
}

inline void RequireSameReport(const Figure& saved, const Figure& back, std::string_view what) {
    const std::string a = ConstructionReport(saved, "fuzz.kvf");
    const std::string b = ConstructionReport(back, "fuzz.kvf");
    if (a != b) Broken(what, FirstDifference(a, b));
}

// Every floating field of every record is a number: nothing non-finite is kept in memory, where
// the report would show it and a file could not hold it.
inline void RequireFinite(const Figure& f) {
    auto all = [](std::initializer_list<double> vs) {
        for (double v : vs)
            if (!std::isfinite(v)) return false;
        return true;
    };
    for (int i = 1; i <= f.ObjectCount[kKindNumber]; ++i)
        Require(all({f.Numbers[i].value}), "a number's value is not finite");
    for (int i = 1; i <= f.ObjectCount[kKindPoint]; ++i) {
        const PointRecord& p = f.Points[i];
        Require(all({p.x, p.y, p.param}), "a point's position or parameter is not finite");
    }
    for (int i = 1; i <= f.ObjectCount[kKindLine]; ++i) {
        const LineRecord& l = f.Lines[i];
        Require(all({l.x1, l.y1, l.x2, l.y2, l.dx, l.dy}), "a line's field is not finite");
    }
    for (int i = 1; i <= f.ObjectCount[kKindCircle]; ++i) {
        const CircleRecord& c = f.Circles[i];
        Require(all({c.cx, c.cy, c.r}), "a circle's field is not finite");
    }
}

// Load (read, naming pass), show (recompute) and save (naming pass, write): the file read back
// reports exactly as the saved figure did, and after the naming pass of loading and a recompute,
// given to both alike, the two still report the same; no value is ever non-finite. (Both get
// the same naming passes because the pass is not idempotent for a hand-made list whose names
// refer forward or to themselves: such a name grows by one step per pass until its width is
// full; that is the naming rule, not the file.) Returns the figure as loaded and shown.
inline Figure RequireSaveAndLoadKeepTheFigure(Figure f) {
    NameMeasuredOutputs(f);
    RecomputeFigure(f, Notifier{});
    RequireFinite(f);
    const Figure shown = f;
    NameMeasuredOutputs(f);
    const std::string written = FigureFileText(f);
    ReadResult again = ReadFigureText(written, "again.kvf");
    if (!again.result.ok()) Broken("a saved figure cannot be read", again.result.error.Describe());
    Figure back = std::move(*again.figure);
    RequireSameReport(f, back, "the figure read back reports otherwise than the saved one");
    for (Figure* g : {&f, &back}) {
        NameMeasuredOutputs(*g);
        RecomputeFigure(*g, Notifier{});
        RequireFinite(*g);
    }
    RequireSameReport(f, back, "loaded and shown, the figure read back differs from the saved one");
    return shown;
}

// Draws the figure as the window would at world units per pixel `pixelSize`, with the grid and
// axes, onto `surface`.
inline void Draw(Figure& f, Surface& surface, double pixelSize) {
    View view;
    view.PixelSize = pixelSize;
    view.ShowAxes = kTrue;
    SetScreen(view, surface);
    ColourNotice notice;
    const Notifier note;
    const DrawContext ctx{surface, view, true, note, notice};
    RedrawAll(f, ctx);
}

// Every coordinate, size and scale handed to the surface is finite.
inline void RequireFiniteDrawing(const test::RecordingSurface& s) {
    for (const test::Call& c : s.calls) {
        if (!(std::isfinite(c.x1) && std::isfinite(c.y1) && std::isfinite(c.x2) &&
              std::isfinite(c.y2)))
            Broken("a non-finite coordinate was handed to the drawing surface");
    }
    for (const auto& sc : s.scales) {
        if (!(std::isfinite(sc.left) && std::isfinite(sc.top) && std::isfinite(sc.width) &&
              std::isfinite(sc.height)))
            Broken("a non-finite user scale was handed to the drawing surface");
    }
}

}  // namespace kv::fuzz
