// Points tied to a point, a line or a circle. `param` is, on a line, the signed distance from
// the base point (x1, y1) along the unit direction (dx, dy); on a circle, the arc length
// counter-clockwise from (cx + r, cy).

#include <cmath>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"

namespace kv {

namespace {

bool InTable(const Figure& f, int index) {
    return index >= 1 && index <= f.Capacity;
}

// A parameter that overflowed (a circle or a line whose extent is near the largest double)
// places the point nowhere: the point is undefined and keeps the parameter it had, which is
// finite, so that nothing non-finite is stored and the point comes back where it was when
// its line or circle becomes ordinary again.
bool FiniteParam(PointRecord& p, double t) {
    if (std::isfinite(t)) return true;
    p.exists = 0;
    return false;
}

void PlaceAlong(PointRecord& p, const LineRecord& l, double t) {
    p.x = l.x1 + t * l.dx;
    p.y = l.y1 + t * l.dy;
}

void PlaceOnLine(PointRecord& p, const LineRecord& l, const Notifier& note) {
    if (!l.exists) {
        p.exists = 0;
        return;
    }
    const double len = std::hypot(l.x2 - l.x1, l.y2 - l.y1);
    double t = p.param;
    switch (l.form) {
        case 1:  // segment: from the first stored point to the second
            if (!FiniteParam(p, len)) return;
            if (t > len) {
                t = len;
                note.Beep();
            }
            if (t < 0) {
                t = 0;
                note.Beep();
            }
            p.param = t;
            // A segment whose two points coincide has no place to divide: the point is
            // undefined until the segment has a length again.
            if (!(len > 0)) {
                p.exists = 0;
                return;
            }
            p.x = ((len - t) * l.x1 + t * l.x2) / len;
            p.y = ((len - t) * l.y1 + t * l.y2) / len;
            break;
        case 2:  // half-line from the base point along the direction
            if (t < 0) {
                t = 0;
                p.param = t;
                note.Beep();
            }
            PlaceAlong(p, l, t);
            break;
        case 3: {
            // The reversed half-line starts at the second point and runs back along -(dx, dy),
            // so in the parameter of the base point it is t <= the second point's own
            // parameter: len for a line through two points, whose second point lies ahead of
            // the base point; the same bound wherever a construction put the second point.
            const double end = (l.x2 - l.x1) * l.dx + (l.y2 - l.y1) * l.dy;
            if (!FiniteParam(p, end)) return;
            if (t > end) {
                t = end;
                p.param = t;
                note.Beep();
            }
            PlaceAlong(p, l, t);
            break;
        }
        default:
            PlaceAlong(p, l, t);
            break;
    }
    p.exists = kTrue;
    CheckFinite(p);
}

void PlaceOnCircle(PointRecord& p, const CircleRecord& c) {
    if (!c.exists) {
        p.exists = 0;
        return;
    }
    const double u = kTwoPi * c.r;
    if (u == 0) {
        // No arc to run on. The point is undefined; it is moved onto the centre all the same,
        // so that wherever it is read it does not sit off the (degenerate) circle.
        p.x = c.cx;
        p.y = c.cy;
        p.exists = 0;
        return;
    }
    if (!FiniteParam(p, u)) return;
    double t = p.param;
    if (t > u) t -= u;
    if (t < 0) t += u;
    if (!FiniteParam(p, t)) return;
    p.param = t;
    const double a = t * kTwoPi / u;
    p.x = c.cx + c.r * std::cos(a);
    p.y = c.cy + c.r * std::sin(a);
    p.exists = kTrue;
    CheckFinite(p);
}

}  // namespace

void PlaceBoundPoint(Figure& f, int point, const Notifier& note) {
    if (!InTable(f, point)) return;
    PointRecord& p = f.Points[point];
    const int i = p.bindIndex;
    switch (p.bindKind) {
        case kKindPoint:
            // The point takes the position; the driver copies the tie's `exists` when it is
            // defined. A point tied to an undefined point is undefined itself, whatever marker
            // it held, so that nothing is drawn or measured from a stale position.
            if (!InTable(f, i)) return;
            p.x = f.Points[i].x;
            p.y = f.Points[i].y;
            if (f.Points[i].exists == 0) p.exists = 0;
            break;
        case kKindLine:
            if (!InTable(f, i)) {
                p.exists = 0;
                return;
            }
            PlaceOnLine(p, f.Lines[i], note);
            break;
        case kKindCircle:
            if (!InTable(f, i)) {
                p.exists = 0;
                return;
            }
            PlaceOnCircle(p, f.Circles[i]);
            break;
        default:
            break;
    }
}

void ParamFromPosition(Figure& f, int point) {
    if (!InTable(f, point)) return;
    PointRecord& p = f.Points[point];
    const int i = p.bindIndex;
    if (!InTable(f, i)) return;
    if (p.bindKind == kKindLine) {
        const LineRecord& l = f.Lines[i];
        const Vec2 v{p.x - l.x1, p.y - l.y1};
        // The sign follows the direction in which PlaceBoundPoint measures: towards the second
        // point on a segment, along (dx, dy) otherwise. The two agree for a line through two
        // points; they differ for a perpendicular whose foot lies behind its base point and
        // for a perpendicular bisector, whose two stored points coincide.
        const Vec2 ahead = l.form == 1 ? Vec2{l.x2 - l.x1, l.y2 - l.y1} : Vec2{l.dx, l.dy};
        const double len = VectorLength(v);
        if (!FiniteParam(p, len)) return;
        p.param = DotProduct(v, ahead) < 0 ? -len : len;
    } else if (p.bindKind == kKindCircle) {
        const CircleRecord& c = f.Circles[i];
        Vec2 v{p.x - c.cx, p.y - c.cy};
        if (!NormalizeVector(v)) {
            p.exists = 0;
            return;
        }
        // A point below the centre gets a negative arc length; the next placement wraps it.
        const double t = c.r * DirectionAngle(v);
        if (!FiniteParam(p, t)) return;
        p.exists = kTrue;
        p.param = t;
    }
}

}  // namespace kv
