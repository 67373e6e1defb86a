// The point constructions: triangle centres, intersections, division and extension,
// transformations, and the operations that read points as complex numbers x + i·y.
// Free points (PNEW) keep the coordinates the user gave them; PBND and PNEQ compute nothing
// here (tied points are placed by the driver, PNEQ is expanded by its command).

#include <cmath>

#include "engine/centres.h"
#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"
#include "engine/proc_slots.h"

namespace kv {

namespace {

void SetXY(PointRecord& out, double x, double y) {
    out.x = x;
    out.y = y;
    out.exists = kTrue;
}

void CircumcentreRule(ProcSlots& s, const Notifier&) {
    Circumcentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}
void IncentreRule(ProcSlots& s, const Notifier&) {
    Incentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}
void CentroidRule(ProcSlots& s, const Notifier&) {
    Centroid(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}
void OrthocentreRule(ProcSlots& s, const Notifier&) {
    Orthocentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}
void ExcentreRule(ProcSlots& s, const Notifier&) {
    Excentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}
void NinePointCentreRule(ProcSlots& s, const Notifier&) {
    NinePointCentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), s.OutPoint(1));
}

void CrossLines(ProcSlots& s, const Notifier&) {
    IntersectLines(s.InLine(1), s.InLine(2), s.OutPoint(1));
}
void CrossLineCircle(ProcSlots& s, const Notifier&) {
    PointRecord &p1 = s.OutPoint(1), &p2 = s.OutPoint(2);
    IntersectLineCircle(s.InLine(1), s.InCircle(2), p1, p2);
    s.KeepSolutionOrder(p1, p2);
}
void CrossCircles(ProcSlots& s, const Notifier&) {
    PointRecord &p1 = s.OutPoint(1), &p2 = s.OutPoint(2);
    IntersectCircles(s.InCircle(1), s.InCircle(2), p1, p2);
    s.KeepSolutionOrder(p1, p2);
}

void Divide(ProcSlots& s, const Notifier&) {
    DividePoint(s.InPoint(1), s.InPoint(2), s.InNumber(3), s.InNumber(4), s.OutPoint(1));
}

// The menu command fills only the two points; without a factor the extension is Q + (Q - P).
void Extend(ProcSlots& s, const Notifier&) {
    const double k = s.HasInput(3) ? s.InNumber(3).value : 1.0;
    ExtendPoint(s.InPoint(1), s.InPoint(2), k, s.OutPoint(1));
}

void Rotate(ProcSlots& s, const Notifier&) {
    RotatePoint(s.InPoint(1), s.InPoint(2), s.InNumber(3).value, s.OutPoint(1));
}
void MirrorLine(ProcSlots& s, const Notifier&) {
    MirrorInLine(s.InPoint(1), s.InLine(2), s.OutPoint(1));
}
void MirrorPoint(ProcSlots& s, const Notifier&) {
    ReflectInPoint(s.InPoint(1), s.InPoint(2), s.OutPoint(1));
}
void Invert(ProcSlots& s, const Notifier&) {
    InversePoint(s.InPoint(1), s.InCircle(2), s.OutPoint(1));
}

void ComplexSum(ProcSlots& s, const Notifier&) {
    const PointRecord &z = s.InPoint(1), &w = s.InPoint(2);
    SetXY(s.OutPoint(1), z.x + w.x, z.y + w.y);
}

void ComplexDifference(ProcSlots& s, const Notifier&) {
    const PointRecord &z = s.InPoint(1), &w = s.InPoint(2);
    SetXY(s.OutPoint(1), z.x - w.x, z.y - w.y);
}

void ComplexProduct(ProcSlots& s, const Notifier&) {
    const double a = s.InPoint(1).x, b = s.InPoint(1).y;
    const double c = s.InPoint(2).x, d = s.InPoint(2).y;
    SetXY(s.OutPoint(1), a * c - b * d, a * d + c * b);
}

// A divisor within 0.01 of the origin in both coordinates counts as zero.
bool NearOrigin(const PointRecord& p) {
    return std::fabs(p.x) < kShortVector && std::fabs(p.y) < kShortVector;
}

void ComplexQuotient(ProcSlots& s, const Notifier&) {
    const PointRecord &z = s.InPoint(1), &w = s.InPoint(2);
    if (NearOrigin(w)) {
        s.OutPoint(1).exists = 0;
        return;
    }
    const double a = z.x, b = z.y, c = w.x, d = w.y;
    const double q = c * c + d * d;
    SetXY(s.OutPoint(1), (a * c + b * d) / q, (-a * d + c * b) / q);
}

void ComplexReciprocal(ProcSlots& s, const Notifier&) {
    const PointRecord& z = s.InPoint(1);
    if (NearOrigin(z)) {
        s.OutPoint(1).exists = 0;
        return;
    }
    const double q = z.x * z.x + z.y * z.y;
    SetXY(s.OutPoint(1), z.x / q, -z.y / q);
}

// The argument in [0, 2π), which decides the branch of a non-integer power; the origin has
// argument 0.
double ComplexArgument(double a, double b) {
    double phi;
    if (a != 0) {
        phi = std::atan(b / a);
        if (a < 0) phi += kPi;
    } else if (b > 0) {
        phi = kHalfPi;
    } else if (b == 0) {
        return 0;
    } else {
        phi = -kHalfPi;
    }
    return ReduceAngle(phi + kFourPi, kTwoPi);
}

// z^n in polar form. The origin to a negative power is not finite and so comes out undefined.
void ComplexPower(ProcSlots& s, const Notifier&) {
    const PointRecord& z = s.InPoint(1);
    const double n = s.InNumber(2).value;
    const double rho = std::sqrt(std::fabs(z.x * z.x + z.y * z.y));
    const double r = std::pow(rho, n);
    const double phi = ComplexArgument(z.x, z.y) * n;
    SetXY(s.OutPoint(1), r * std::cos(phi), r * std::sin(phi));
}

void FromCoordinates(ProcSlots& s, const Notifier&) {
    SetXY(s.OutPoint(1), s.InNumber(1).value, s.InNumber(2).value);
}

constexpr RuleEntry kPointRules[] = {
    {"P1", CircumcentreRule}, {"P2", IncentreRule},        {"P3", CentroidRule},
    {"P4", OrthocentreRule},  {"P5", ExcentreRule},        {"P6", NinePointCentreRule},
    {"PC1", CrossLines},      {"PC2", CrossLineCircle},    {"PC3", CrossCircles},
    {"PN", Divide},           {"PEXT", Extend, 2},         {"PT1", Rotate},
    {"PT2", MirrorLine},      {"PT3", MirrorPoint},        {"PT4", Invert},
    {"PO+", ComplexSum},      {"PO-", ComplexDifference},  {"PO*", ComplexProduct},
    {"PO/", ComplexQuotient}, {"PO-1", ComplexReciprocal}, {"PO^", ComplexPower},
    {"PXY", FromCoordinates},
};

}  // namespace

std::span<const RuleEntry> PointRules() {
    return kPointRules;
}

}  // namespace kv
