#include "engine/geometry.h"

#include <cmath>
#include <utility>

#include "engine/constants.h"

namespace kv {

namespace {

bool Fin(double v) {
    return std::isfinite(v);
}

void SetPoint(PointRecord& out, double x, double y) {
    out.x = x;
    out.y = y;
    out.exists = kTrue;
    CheckFinite(out);
}

}  // namespace

// ---- vectors ---------------------------------------------------------------------------

double VectorLength(Vec2 v) {
    return std::sqrt(v.x * v.x + v.y * v.y);
}

bool NormalizeVector(Vec2& v) {
    const double len = VectorLength(v);
    // A NaN length fails the test below as well, so a non-finite vector never normalises.
    if (!(len >= kShortVector) || !Fin(len)) return false;
    v.x /= len;
    v.y /= len;
    return true;
}

double DotProduct(Vec2 a, Vec2 b) {
    return a.y * b.y + a.x * b.x;
}

bool Solve2x2(Vec2 u, Vec2 w, Vec2 d, double& t) {
    const double det = u.x * w.y - u.y * w.x;
    if (!(std::fabs(det) >= kShortVector)) return false;
    t = (d.x * w.y - d.y * w.x) / det;
    return Fin(t);
}

double AngleFromCosine(double c) {
    if (1 - c * c < kCosineClamp) c = 1;
    const double s = std::sqrt(1 - c * c);
    if (c == 0) return kHalfPi;
    return std::atan(s / c);
}

double ReduceAngle(double a, double m) {
    const double ra = std::nearbyint(a);  // ties to even
    const double rm = std::nearbyint(m);
    if (!Fin(a) || !Fin(m) || rm == 0) return a;
    const double q = std::trunc(ra / rm);
    double r = a - q * m;
    if (r < 0) r += m;
    return r;
}

double DirectionAngle(Vec2 v) {
    if (!NormalizeVector(v)) return 0;
    if (v.x != 0) {
        double a = std::atan(v.y / v.x);
        if (v.x < 0) a += kPi;
        return ReduceAngle(a, kTwoPi);
    }
    return v.y > 0 ? kHalfPi : -kHalfPi;
}

bool PointsCoincide(const PointRecord& p, const PointRecord& q) {
    return std::fabs(p.y - q.y) + std::fabs(p.x - q.x) < kCoincidence;
}

namespace {

// An undefined output's non-finite fields become 0, as a figure file holds them, so that the
// figure in memory and the figure saved and read back are the same.
// 1 when finite; 0 (and the value zeroed) when not. An int, so that a record's fields are
// all checked and zeroed with `&`, none skipped.
int Finite(double& v) {
    if (Fin(v)) return 1;
    v = 0;
    return 0;
}

}  // namespace

namespace {

// Whether all the values are finite, in one test: a value times 0 is a signed zero when it is
// finite and NaN when it is infinite or NaN, and a sum with a NaN in it is NaN.
template <class... V>
bool AllFinite(V... v) {
    return ((0.0 * v) + ...) == 0.0;
}

}  // namespace

void CheckFinite(PointRecord& p) {
    if (AllFinite(p.x, p.y)) return;
    if (!(Finite(p.x) & Finite(p.y))) p.exists = 0;
}

void CheckFinite(LineRecord& l) {
    if (AllFinite(l.x1, l.y1, l.x2, l.y2, l.dx, l.dy)) return;
    if (!(Finite(l.x1) & Finite(l.y1) & Finite(l.x2) & Finite(l.y2) & Finite(l.dx) & Finite(l.dy)))
        l.exists = 0;
}

void CheckFinite(CircleRecord& c) {
    if (AllFinite(c.cx, c.cy, c.r)) return;
    if (!(Finite(c.cx) & Finite(c.cy) & Finite(c.r))) c.exists = 0;
}

void CheckFinite(NumberRecord& n) {
    if (!Finite(n.value)) n.exists = 0;
}

// ---- line builders -----------------------------------------------------------------------

void SetLineDirection(LineRecord& l) {
    Vec2 d{l.x2 - l.x1, l.y2 - l.y1};
    l.exists = NormalizeVector(d) ? kTrue : 0;
    l.dx = d.x;
    l.dy = d.y;
    CheckFinite(l);
}

void LineThroughPoints(const PointRecord& a, const PointRecord& b, LineRecord& out) {
    if (!a.exists || !b.exists) {
        out.exists = 0;
        return;
    }
    out.x1 = a.x;
    out.y1 = a.y;
    out.x2 = b.x;
    out.y2 = b.y;
    SetLineDirection(out);
}

void LineFromEquation(const NumberRecord& a, const NumberRecord& b, const NumberRecord& c,
                      LineRecord& out) {
    if (!a.exists || !b.exists || !c.exists || (a.value == 0 && b.value == 0)) {
        out.exists = 0;
        return;
    }
    Vec2 d{b.value, -a.value};
    if (!NormalizeVector(d)) {
        out.exists = 0;
        return;
    }
    out.dx = d.x;
    out.dy = d.y;
    if (b.value != 0) {
        out.x1 = 0;
        out.y1 = -c.value / b.value;
    } else {
        out.x1 = -c.value / a.value;
        out.y1 = 0;
    }
    out.x2 = out.x1 + d.x;
    out.y2 = out.y1 + d.y;
    out.exists = kTrue;
    CheckFinite(out);
}

void ParallelThrough(const LineRecord& l, const PointRecord& p, LineRecord& out) {
    if (!l.exists || !p.exists) {
        out.exists = 0;
        return;
    }
    const double dx = l.dx, dy = l.dy;
    out.x1 = p.x;
    out.y1 = p.y;
    out.dx = dx;
    out.dy = dy;
    out.x2 = p.x + dx;
    out.y2 = p.y + dy;
    out.exists = kTrue;
    CheckFinite(out);
}

void PerpendicularThrough(const LineRecord& l, const PointRecord& p, LineRecord& out) {
    if (!l.exists || !p.exists) {
        out.exists = 0;
        return;
    }
    LineRecord perp;
    perp.dx = -l.dy;
    perp.dy = l.dx;
    perp.x1 = perp.x2 = p.x;
    perp.y1 = perp.y2 = p.y;
    perp.exists = kTrue;
    PointRecord foot;
    IntersectLines(l, perp, foot);
    if (foot.exists) {
        perp.x2 = foot.x;
        perp.y2 = foot.y;
    }
    out.x1 = perp.x1;
    out.y1 = perp.y1;
    out.x2 = perp.x2;
    out.y2 = perp.y2;
    out.dx = perp.dx;
    out.dy = perp.dy;
    out.exists = kTrue;
    CheckFinite(out);
}

void PerpendicularAt(const LineRecord& l, const PointRecord& p, LineRecord& out) {
    if (!l.exists || !p.exists) {
        out.exists = 0;
        return;
    }
    out.x1 = out.x2 = p.x;
    out.y1 = out.y2 = p.y;
    out.dx = -l.dy;
    out.dy = l.dx;
    out.exists = kTrue;
    CheckFinite(out);
}

void PerpendicularBisector(const LineRecord& l, LineRecord& out) {
    if (!l.exists) {
        out.exists = 0;
        return;
    }
    PointRecord m;
    m.x = (l.x1 + l.x2) / 2;
    m.y = (l.y1 + l.y2) / 2;
    m.exists = kTrue;
    // The midpoint lies on the line, so base point and foot are both the midpoint; they are
    // kept exactly equal so that a circle on this "segment" has radius 0.
    PerpendicularAt(l, m, out);
}

void PolarLine(const PointRecord& p, const CircleRecord& c, LineRecord& out) {
    if (!p.exists || !c.exists) {
        out.exists = 0;
        return;
    }
    NumberRecord a, b, k;
    a.value = p.x - c.cx;
    b.value = p.y - c.cy;
    k.value = -c.r * c.r;
    a.exists = b.exists = k.exists = kTrue;
    LineFromEquation(a, b, k, out);
    if (!out.exists) return;
    out.x1 += c.cx;
    out.y1 += c.cy;
    out.x2 += c.cx;
    out.y2 += c.cy;
    CheckFinite(out);
}

// ---- intersections -------------------------------------------------------------------------

void IntersectLines(const LineRecord& l1, const LineRecord& l2, PointRecord& out) {
    if (!l1.exists || !l2.exists) {
        out.exists = 0;
        return;
    }
    const Vec2 u1{l1.dx, l1.dy}, u2{l2.dx, l2.dy};
    const Vec2 d{l2.x1 - l1.x1, l2.y1 - l1.y1};
    double t = 0;
    if (!Solve2x2(u1, u2, d, t)) {
        out.exists = 0;
        return;
    }
    SetPoint(out, l1.x1 + t * u1.x, l1.y1 + t * u1.y);
}

void IntersectLineCircle(const LineRecord& l, const CircleRecord& c, PointRecord& p1,
                         PointRecord& p2) {
    if (!l.exists || !c.exists) {
        p1.exists = p2.exists = 0;
        return;
    }
    const double h = (l.y1 - c.cy) * l.dx - (l.x1 - c.cx) * l.dy;
    double disc = c.r * c.r - h * h;
    if (!(disc >= -kDiscriminant)) {
        p1.exists = p2.exists = 0;
        return;
    }
    if (std::fabs(disc) < kDiscriminant) disc = 0;
    const double m = (c.cy - l.y1) * l.dy + (c.cx - l.x1) * l.dx;
    const double root = std::sqrt(disc);
    const double t1 = m + root, t2 = m - root;
    SetPoint(p1, l.x1 + t1 * l.dx, l.y1 + t1 * l.dy);
    SetPoint(p2, l.x1 + t2 * l.dx, l.y1 + t2 * l.dy);
    if (!p1.exists || !p2.exists) p1.exists = p2.exists = 0;
}

void IntersectCircles(const CircleRecord& c1, const CircleRecord& c2, PointRecord& p1,
                      PointRecord& p2) {
    if (!c1.exists || !c2.exists) {
        p1.exists = p2.exists = 0;
        return;
    }
    const double dX = c2.cx - c1.cx, dY = c2.cy - c1.cy;
    const double d2 = dX * dX + dY * dY;
    if (!(d2 > 0)) {
        p1.exists = p2.exists = 0;
        return;
    }
    const double a = c2.r * c2.r - c1.r * c1.r;
    const double s = c1.r * c1.r + c2.r * c2.r;
    double e = 2 * s * d2 - d2 * d2 - a * a;
    if (!(e >= -kDiscriminant)) {
        p1.exists = p2.exists = 0;
        return;
    }
    if (std::fabs(e) < kDiscriminant) e = 0;
    const double fHalf = 0.5 / d2;
    const double g = 0.5 - fHalf * a;
    const double mx = c1.cx + g * dX, my = c1.cy + g * dY;
    const double hh = std::sqrt(e) * fHalf;
    SetPoint(p1, mx - hh * dY, my + hh * dX);
    SetPoint(p2, mx + hh * dY, my - hh * dX);
    if (!p1.exists || !p2.exists) p1.exists = p2.exists = 0;
}

void KeepSolutionOrder(const PointRecord& saved1, const PointRecord& saved2, i16& swap,
                       PointRecord& p1, PointRecord& p2) {
    const PointRecord& o1 = swap ? saved2 : saved1;
    const PointRecord& o2 = swap ? saved1 : saved2;
    const bool a = PointsCoincide(p1, o1);
    const bool b = PointsCoincide(p2, o1);
    const bool c = PointsCoincide(p1, o2);
    const bool d = PointsCoincide(p2, o2);
    if (!a && !d && (b || c)) swap = static_cast<i16>(~swap);
    if (swap) {
        std::swap(p1.x, p2.x);
        std::swap(p1.y, p2.y);
    }
}

// ---- points ----------------------------------------------------------------------------

double Distance(const PointRecord& p, const PointRecord& q) {
    return std::sqrt((p.x - q.x) * (p.x - q.x) + (p.y - q.y) * (p.y - q.y));
}

void Distance(const PointRecord& p, const PointRecord& q, NumberRecord& out) {
    if (!p.exists || !q.exists) {
        out.exists = 0;
        return;
    }
    out.value = Distance(p, q);
    out.exists = kTrue;
    CheckFinite(out);
}

void DividePoint(const PointRecord& p, const PointRecord& q, double m, double n, PointRecord& out) {
    if (!p.exists || !q.exists || m + n == 0) {
        out.exists = 0;
        return;
    }
    const double s = m + n;
    SetPoint(out, (n * p.x + m * q.x) / s, (n * p.y + m * q.y) / s);
}

void DividePoint(const PointRecord& p, const PointRecord& q, const NumberRecord& m,
                 const NumberRecord& n, PointRecord& out) {
    if (!m.exists || !n.exists) {
        out.exists = 0;
        return;
    }
    DividePoint(p, q, m.value, n.value, out);
}

void ExtendPoint(const PointRecord& p, const PointRecord& q, double k, PointRecord& out) {
    DividePoint(p, q, k + 1, -k, out);
}

void ReflectInPoint(const PointRecord& p, const PointRecord& q, PointRecord& out) {
    ExtendPoint(p, q, 1, out);
}

void RotatePoint(const PointRecord& p, const PointRecord& o, double degrees, PointRecord& out) {
    if (!p.exists || !o.exists) {
        out.exists = 0;
        return;
    }
    const double a = DegToRad(degrees);
    const double ca = std::cos(a), sa = std::sin(a);
    const double x = o.x + (p.x - o.x) * ca - (p.y - o.y) * sa;
    const double y = (p.x - o.x) * sa + o.y + (p.y - o.y) * ca;
    SetPoint(out, x, y);
}

void UnitStepToward(const PointRecord& p, const PointRecord& q, PointRecord& out) {
    if (!p.exists || !q.exists) {
        out.exists = 0;
        return;
    }
    Vec2 v{q.x - p.x, q.y - p.y};
    if (!NormalizeVector(v)) {
        out.exists = 0;
        return;
    }
    SetPoint(out, p.x + v.x, p.y + v.y);
}

void DistancePointLine(const PointRecord& p, const LineRecord& l, NumberRecord& out) {
    if (!p.exists || !l.exists) {
        out.exists = 0;
        return;
    }
    LineRecord perp;
    PerpendicularThrough(l, p, perp);
    PointRecord foot;
    foot.x = perp.x2;
    foot.y = perp.y2;
    foot.exists = perp.exists;
    Distance(p, foot, out);
}

void CircleThroughPoint(const PointRecord& o, const PointRecord& q, CircleRecord& out) {
    if (!o.exists || !q.exists) {
        out.exists = 0;
        return;
    }
    out.cx = o.x;
    out.cy = o.y;
    out.r = Distance(o, q);
    out.exists = kTrue;
    CheckFinite(out);
}

void CircleWithRadius(const PointRecord& o, const NumberRecord& n, CircleRecord& out) {
    if (!o.exists || !n.exists || !(n.value >= 0)) {
        out.exists = 0;
        return;
    }
    out.cx = o.x;
    out.cy = o.y;
    out.r = n.value;
    out.exists = kTrue;
    CheckFinite(out);
}

// ---- angles ----------------------------------------------------------------------------

void AngleAtVertex(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                   NumberRecord& out) {
    if (!a.exists || !b.exists || !c.exists) {
        out.exists = 0;
        return;
    }
    out.exists = kTrue;
    Vec2 u{a.x - b.x, a.y - b.y}, w{c.x - b.x, c.y - b.y};
    if (!NormalizeVector(u) || !NormalizeVector(w)) {
        out.value = 0;
        return;
    }
    out.value = RadToDeg(AngleFromCosine(DotProduct(u, w)));
    CheckFinite(out);
}

void UnsignedAngle(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                   NumberRecord& out) {
    AngleAtVertex(a, b, c, out);
    if (out.exists && out.value < 0) out.value += 180;
}

void SignedAngle(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                 NumberRecord& out, const Notifier& note) {
    UnsignedAngle(a, b, c, out);
    if (!out.exists) return;
    double theta = out.value;
    PointRecord u, w, r;
    UnitStepToward(b, a, u);
    UnitStepToward(b, c, w);
    if (!u.exists || !w.exists) return;
    auto matches = [&] {
        return std::fabs(r.x - w.x) < kShortVector && std::fabs(r.y - w.y) < kShortVector;
    };
    RotatePoint(u, b, theta, r);
    if (!matches()) {
        theta = -theta;
        RotatePoint(u, b, theta, r);
        if (!matches()) {
            if (std::fabs(theta) >= kShortVector)
                note.Message("Error in Angle");
            else
                theta = 180;
        }
    }
    out.value = theta;
    out.exists = kTrue;
}

}  // namespace kv
