#include "render/draw.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/constants.h"
#include "render/clip.h"

namespace kv {

namespace {

constexpr double kPointLimit = 1000;   // points farther out are not drawn
constexpr double kRadiusLimit = 1000;  // nor are circles larger than this
// Drawn smoothly, a one-pixel mark becomes a dot this many pixels in radius (widened with the
// pen), large enough to see and to aim at.
constexpr double kDotRadius = 1.5;

// Only called with values already clipped to the drawable rectangle, which fits in float.
float F(double v) {
    return static_cast<float>(v);
}

void Segment(const DrawContext& ctx, const ClipRect& r, double x1, double y1, double x2, double y2,
             Rgb c) {
    if (ClipSegment(r, x1, y1, x2, y2)) ctx.surface.Line(F(x1), F(y1), F(x2), F(y2), c);
}

// The straight line through (px, py) with unit direction (ux, uy), from parameter `from` on
// (-infinity for a whole line, 0 for a half-line): only the stretch around the foot of the
// perpendicular from the window's centre is drawn, one window diagonal each way, so a line is
// drawn wherever its defining point lies, however far outside the window.
void Reach(const DrawContext& ctx, const ClipRect& r, double px, double py, double ux, double uy,
           double from, Rgb c) {
    const double span = std::hypot(r.x1 - r.x0, r.y1 - r.y0);
    const double foot = ((r.x0 + r.x1) / 2 - px) * ux + ((r.y0 + r.y1) / 2 - py) * uy;
    if (!std::isfinite(foot) || !std::isfinite(span)) return;
    const double a = std::max(from, foot - span), b = foot + span;
    if (!(a < b)) return;
    Segment(ctx, r, px + a * ux, py + a * uy, px + b * ux, py + b * uy, c);
}

void Circle(const DrawContext& ctx, const ClipRect& r, double cx, double cy, double radius, Rgb c) {
    if (CircleCrossesRect(r, cx, cy, radius)) ctx.surface.CircleOutline(F(cx), F(cy), F(radius), c);
}

// The colour a highlighted object is drawn in (steps of DrawObject).
int HighlightColour(int colour, int locusColour, int highlight) {
    if (highlight < 8 && colour == 0) colour = highlight;
    if (highlight >= kHighlightTrace) colour = locusColour;
    if (highlight >= kHighlightErase) colour = highlight % 10;
    return colour;
}

// A colour index for the one-pixel marks 10..17 that differs from the point's colour and
// from the index the mark itself names.
int ContrastingIndex(int colour, int mark) {
    int c = 0;
    if (c == colour) ++c;
    if (c == mark - 10) ++c;
    return c;
}

template <class T>
const T* Entry(const std::vector<T>& table, int index) {
    if (index < 1 || index >= static_cast<int>(table.size())) return nullptr;
    return &table[index];
}

// The single-precision comparison of a label position with the half extent, without
// converting a value that is out of float range.
bool WithinHalf(double v, double half) {
    if (!(std::abs(v) <= 2 * half + 1)) return false;
    return std::abs(static_cast<float>(v)) <= static_cast<float>(half);
}

// The "・" mark and the one-pixel highlight marks: a pixel, or drawn smoothly a small dot.
void PointDot(const DrawContext& ctx, double x, double y, Rgb c) {
    Surface& s = ctx.surface;
    if (ctx.view.Smooth) {
        s.Dot(F(x), F(y), static_cast<float>(kDotRadius + s.PenWidth() / 2.0), c);
    } else {
        s.Pixel(F(x), F(y), c);
    }
}

}  // namespace

void DrawPointMark(const PointRecord& p, const DrawContext& ctx) {
    if (p.exists == 0) return;
    const double x = p.x, y = p.y;
    if (!(std::abs(x) <= kPointLimit) || !(std::abs(y) <= kPointLimit)) return;
    const ClipRect r = DrawableRect(ctx.view);
    if (!r.Contains(x, y)) return;

    Surface& s = ctx.surface;
    const double ps = ctx.view.PixelSize;
    const double d = 5 * ps;
    switch (p.mark) {
        case 0:
            PointDot(ctx, x, y, ctx.Colour(p.colour));
            break;
        case 1: {
            const Rgb c = ctx.Colour(p.colour);
            Segment(ctx, r, x + d, y + d, x - d, y - d, c);
            Segment(ctx, r, x + d, y - d, x - d, y + d, c);
            break;
        }
        case 2:
            Circle(ctx, r, x, y, 4 * ps, ctx.Colour(p.colour));
            break;
        case 3:
        case 4:
            s.Rectangle(F(x + d), F(y + d), F(x - d), F(y - d), ctx.Colour(p.colour), p.mark == 4);
            break;
        case 5: {
            const Rgb c = ctx.Colour(p.colour);
            Segment(ctx, r, x, y + d, x - d, y - d, c);
            Segment(ctx, r, x, y + d, x + d, y - d, c);
            Segment(ctx, r, x + d, y - d, x - d, y - d, c);
            break;
        }
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 15:
        case 16:
        case 17:
            PointDot(ctx, x, y, ctx.Colour(ContrastingIndex(p.colour, p.mark)));
            break;
        case 20: {
            const Rgb c = ctx.Colour(p.colour);
            Circle(ctx, r, x, y, d / 2, c);
            Circle(ctx, r, x, y, d, c);
            break;
        }
        case 21:
            Circle(ctx, r, x, y, d / 2, ctx.Colour(p.colour));
            break;
        case 22: {
            const Rgb c = ctx.Colour(p.colour);
            Circle(ctx, r, x, y, d, c);
            Segment(ctx, r, x, y - d, x, y + d, c);
            Segment(ctx, r, x + d, y, x - d, y, c);
            break;
        }
        case 23: {
            const Rgb c = ctx.Colour(p.colour);
            Circle(ctx, r, x, y, d, c);
            Segment(ctx, r, x + d, y, x - d, y, c);
            break;
        }
        default:
            break;
    }
}

void DrawLineRecord(const LineRecord& l, const DrawContext& ctx) {
    if (l.exists == 0) return;
    const ClipRect r = DrawableRect(ctx.view);
    constexpr double kAll = std::numeric_limits<double>::infinity();
    const Rgb c = ctx.Colour(l.colour);
    switch (l.form) {
        case 0:
            Reach(ctx, r, l.x1, l.y1, l.dx, l.dy, -kAll, c);
            break;
        case 1:
            // Ends closer than this have no direction, and the line is undefined by rule.
            if (!(std::hypot(l.x2 - l.x1, l.y2 - l.y1) >= kShortVector)) return;
            Segment(ctx, r, l.x1, l.y1, l.x2, l.y2, c);
            break;
        case 2:
            Reach(ctx, r, l.x1, l.y1, l.dx, l.dy, 0, c);
            break;
        case 3:
            Reach(ctx, r, l.x2, l.y2, -l.dx, -l.dy, 0, c);
            break;
        default:
            break;
    }
}

void DrawCircleRecord(const CircleRecord& c, const DrawContext& ctx) {
    if (c.exists == 0) return;
    if (!(c.r >= 0 && c.r <= kRadiusLimit)) return;
    Circle(ctx, DrawableRect(ctx.view), c.cx, c.cy, c.r, ctx.Colour(c.colour));
}

void DrawPointLabel(const Figure& f, ObjectRef ref, int colour, int source,
                    const DrawContext& ctx) {
    const View& v = ctx.view;
    if (colour != 0 && v.LabelsHidden != 0 && ctx.namesMayHide) return;
    if (ref.kind != kKindPoint) return;
    const PointRecord* p = Entry(source == kSourceSaved ? f.SavedPoints : f.Points, ref.index);
    if (p == nullptr || p->exists == 0) return;
    if (!WithinHalf(p->x - v.CentreX, v.HalfWidth) || !WithinHalf(p->y - v.CentreY, v.HalfHeight))
        return;

    Surface& s = ctx.surface;
    const Rgb before = s.ForeColour();
    s.MoveTo(F(p->x), F(p->y));
    if (colour < 8) {
        s.SetForeColour(ctx.Colour(colour));
        s.Print(p->name);
    } else {
        s.SetForeColour(ctx.Colour(0));
        s.PrintOpaque(p->name, ctx.Colour(colour % 8));
    }
    // The number list prints in the surface's text colour, so a name must not change it.
    s.SetForeColour(before);
}

void DrawObject(const Figure& f, ObjectRef ref, int highlight, int source, const DrawContext& ctx) {
    const bool saved = source == kSourceSaved;
    switch (ref.kind) {
        case kKindPoint: {
            const PointRecord* rec = Entry(saved ? f.SavedPoints : f.Points, ref.index);
            if (rec == nullptr) return;
            PointRecord p = *rec;
            p.colour = static_cast<i16>(HighlightColour(p.colour, p.locusColour, highlight));
            DrawPointMark(p, ctx);
            if (highlight >= kHighlightTrace) {
                DrawPointLabel(f, ref, 0, kSourceSaved, ctx);
            } else {
                DrawPointLabel(f, ref, 7, kSourceCurrent, ctx);
            }
            break;
        }
        case kKindLine: {
            const LineRecord* rec = Entry(saved ? f.SavedLines : f.Lines, ref.index);
            if (rec == nullptr) return;
            LineRecord l = *rec;
            l.colour = static_cast<i16>(HighlightColour(l.colour, l.locusColour, highlight));
            DrawLineRecord(l, ctx);
            break;
        }
        case kKindCircle: {
            const CircleRecord* rec = Entry(saved ? f.SavedCircles : f.Circles, ref.index);
            if (rec == nullptr) return;
            CircleRecord c = *rec;
            c.colour = static_cast<i16>(HighlightColour(c.colour, c.locusColour, highlight));
            DrawCircleRecord(c, ctx);
            break;
        }
        default:
            break;  // numbers are listed, not drawn
    }
}

namespace {

template <class Include>
void DrawFigureWhere(const Figure& f, const DrawContext& ctx, Include include) {
    for (int i = 1, n = Count(f, kKindPoint); i <= n; ++i) {
        const PointRecord& p = f.Points[i];
        const ObjectRef ref{kKindPoint, static_cast<i16>(i)};
        if (p.mark >= 10 || p.colour == 0 || !include(ref)) continue;
        DrawObject(f, ref, 0, kSourceCurrent, ctx);
    }
    for (int i = 1, n = Count(f, kKindLine); i <= n; ++i) {
        const ObjectRef ref{kKindLine, static_cast<i16>(i)};
        if (f.Lines[i].colour == 0 || !include(ref)) continue;
        DrawObject(f, ref, 0, kSourceCurrent, ctx);
    }
    for (int i = 1, n = Count(f, kKindCircle); i <= n; ++i) {
        const ObjectRef ref{kKindCircle, static_cast<i16>(i)};
        if (f.Circles[i].colour == 0 || !include(ref)) continue;
        DrawObject(f, ref, 0, kSourceCurrent, ctx);
    }
}

}  // namespace

void DrawFigure(const Figure& f, const DrawContext& ctx) {
    DrawFigureWhere(f, ctx, [](ObjectRef) { return true; });
}

void DrawFigurePart(const Figure& f, const DragDependents& d, bool live, const DrawContext& ctx) {
    DrawFigureWhere(f, ctx, [&](ObjectRef r) { return d.Live(r) == live; });
}

void DrawLoci(const Figure& f, const DrawContext& ctx) {
    const auto count = [&](int kind, size_t storeSize) {
        return std::min<int>(f.LocusCount[kind], static_cast<int>(storeSize) - 1);
    };
    for (int i = 1, n = count(kKindPoint, f.LocusPoints.size()); i <= n; ++i)
        DrawPointMark(f.LocusPoints[i], ctx);
    for (int i = 1, n = count(kKindLine, f.LocusLines.size()); i <= n; ++i)
        DrawLineRecord(f.LocusLines[i], ctx);
    for (int i = 1, n = count(kKindCircle, f.LocusCircles.size()); i <= n; ++i)
        DrawCircleRecord(f.LocusCircles[i], ctx);
}

}  // namespace kv
