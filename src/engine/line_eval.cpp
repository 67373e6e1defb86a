// The line constructions. Each output's base point (x1, y1) and direction (dx, dy) are part of
// its definition: half-lines start at the base point and run along the direction, and tied
// points measure their parameter the same way. Input lines are unbounded whatever their form.
// LH2+, LPGN, LRGN and LPG+ compute nothing here; their commands append ordinary rows.

#include <cmath>

#include "engine/centres.h"
#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"
#include "engine/proc_slots.h"

namespace kv {

namespace {

// A line with the given base point and unit direction; its second point is one unit ahead.
void SetRay(LineRecord& out, double x, double y, Vec2 dir) {
    out.x1 = x;
    out.y1 = y;
    out.dx = dir.x;
    out.dy = dir.y;
    out.x2 = x + dir.x;
    out.y2 = y + dir.y;
    out.exists = kTrue;
}

void ThroughTwoPoints(ProcSlots& s, const Notifier&) {
    LineThroughPoints(s.InPoint(1), s.InPoint(2), s.OutLine(1));
}

void Parallel(ProcSlots& s, const Notifier&) {
    ParallelThrough(s.InLine(1), s.InPoint(2), s.OutLine(1));
}

// The perpendicular from Q, and its foot when a second output names a point. Lines built by
// the menu command have no second output; the foot is then the line's second point only.
void Perpendicular(ProcSlots& s, const Notifier&) {
    LineRecord& perp = s.OutLine(1);
    PerpendicularThrough(s.InLine(1), s.InPoint(2), perp);
    if (s.HasOutput(2)) IntersectLines(s.InLine(1), perp, s.OutPoint(2));
}

void Bisector(ProcSlots& s, const Notifier&) {
    PerpendicularBisector(s.InLine(1), s.OutLine(1));
}

// Both tangents from Q to the circle, starting at Q. Output 1 touches the circle on the left
// of the direction from Q to the centre, output 2 on the right; both run away from the circle.
void TangentsFromPoint(ProcSlots& s, const Notifier&) {
    const PointRecord& q = s.InPoint(1);
    const CircleRecord& c = s.InCircle(2);
    LineRecord &out1 = s.OutLine(1), &out2 = s.OutLine(2);
    const double dX = c.cx - q.x, dY = c.cy - q.y;
    const double k = dX * dX + dY * dY - c.r * c.r;
    if (k < -kShortVector) {  // Q inside the circle
        out1.exists = out2.exists = 0;
        return;
    }
    const double h = k <= 0 ? 0.0 : std::sqrt(k);  // tangent length
    const double r = c.r;
    Vec2 w1{r * dY - h * dX, -r * dX - h * dY};
    Vec2 w2{-h * dX - r * dY, r * dX - h * dY};
    if (!NormalizeVector(w1) || !NormalizeVector(w2)) {
        out1.exists = out2.exists = 0;
        return;
    }
    SetRay(out1, q.x, q.y, w1);
    SetRay(out2, q.x, q.y, w2);
}

// The four common tangents of two circles. Inner tangents separate the circles, outer ones
// leave both on one side; each kind fixes the offset c between the radii and the side of the
// first circle's centre on which the tangent touches it.
enum TangentKind { kInner1 = 0, kOuter1 = 1, kOuter2 = 2, kInner2 = 3 };

void CommonTangent(const CircleRecord& a, const CircleRecord& b, TangentKind kind,
                   LineRecord& out) {
    double c = 0;
    switch (kind) {
        case kInner1:
            c = a.r + b.r;
            break;
        case kOuter1:
            c = b.r - a.r;
            break;
        case kOuter2:
            c = a.r - b.r;
            break;
        case kInner2:
            c = -b.r - a.r;
            break;
    }
    const double side = (kind == kInner1 || kind == kOuter2) ? -1.0 : 1.0;
    const double dX = b.cx - a.cx, dY = b.cy - a.cy;
    const double d2 = dX * dX + dY * dY;
    const double h2 = d2 - c * c;
    if (!(d2 > 0) || h2 < 0) {
        out.exists = 0;
        return;
    }
    const double h = std::sqrt(h2);
    // Unit normal of the tangent (|n| = 1 because c² + h² = d2).
    const double nx = (-c * dX - h * dY) / d2, ny = (h * dX - c * dY) / d2;
    SetRay(out, a.cx + side * a.r * nx, a.cy + side * a.r * ny, Vec2{ny, -nx});
}

// The two tangents that leave both circles on one side.
void ExternalTangents(ProcSlots& s, const Notifier&) {
    CommonTangent(s.InCircle(1), s.InCircle(2), kOuter1, s.OutLine(1));
    CommonTangent(s.InCircle(1), s.InCircle(2), kOuter2, s.OutLine(2));
}

// The two tangents that separate the circles.
void InternalTangents(ProcSlots& s, const Notifier&) {
    CommonTangent(s.InCircle(1), s.InCircle(2), kInner2, s.OutLine(1));
    CommonTangent(s.InCircle(1), s.InCircle(2), kInner1, s.OutLine(2));
}

void Polar(ProcSlots& s, const Notifier&) {
    PolarLine(s.InPoint(1), s.InCircle(2), s.OutLine(1));
}

// The bisector of the angle ABC, from B through the incentre.
void AngleBisector(ProcSlots& s, const Notifier&) {
    PointRecord centre;
    Incentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), centre);
    LineThroughPoints(s.InPoint(2), centre, s.OutLine(1));
}

// The line from B that makes m/n of the signed angle ABC with ray BA. n = 0 has no such line.
void AngleDivider(ProcSlots& s, const Notifier& note) {
    const PointRecord &a = s.InPoint(1), &b = s.InPoint(2), &c = s.InPoint(3);
    const double n = s.InNumber(4).value, m = s.InNumber(5).value;
    LineRecord& out = s.OutLine(1);
    NumberRecord theta;
    SignedAngle(a, b, c, theta, note);
    const double part = m * theta.value / n;
    if (!theta.exists || !std::isfinite(part)) {
        out.exists = 0;
        return;
    }
    PointRecord d;
    RotatePoint(a, b, part, d);
    LineThroughPoints(b, d, out);
}

constexpr RuleEntry kLineRules[] = {
    {"L1", ThroughTwoPoints},  {"L2", Parallel},         {"L3", Perpendicular},    {"L4", Bisector},
    {"L5", TangentsFromPoint}, {"L6", ExternalTangents}, {"L7", InternalTangents}, {"L8", Polar},
    {"LH1", AngleBisector},    {"LH2", AngleDivider},
};

}  // namespace

std::span<const RuleEntry> LineRules() {
    return kLineRules;
}

}  // namespace kv
