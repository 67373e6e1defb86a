// The circle constructions. A radius of 0 is a valid circle. CALC also reaches this evaluator
// after its formula has been evaluated, and passes through without effect.

#include "engine/centres.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"
#include "engine/proc_slots.h"

namespace kv {

namespace {

// The circle about a computed centre with the given radius point.
void SetCircle(CircleRecord& out, const PointRecord& centre, const PointRecord& onCircle) {
    if (!centre.exists || !onCircle.exists) {
        out.exists = 0;
        return;
    }
    out.cx = centre.x;
    out.cy = centre.y;
    out.r = Distance(centre, onCircle);
    out.exists = kTrue;
}

void CentreRadius(ProcSlots& s, const Notifier&) {
    CircleWithRadius(s.InPoint(1), s.InNumber(2), s.OutCircle(1));
}

void CentrePoint(ProcSlots& s, const Notifier&) {
    CircleThroughPoint(s.InPoint(1), s.InPoint(2), s.OutCircle(1));
}

void ThroughThreePoints(ProcSlots& s, const Notifier&) {
    PointRecord centre;
    Circumcentre(s.InPoint(1), s.InPoint(2), s.InPoint(3), centre);
    SetCircle(s.OutCircle(1), centre, s.InPoint(1));
}

// The circle on the line's two stored points as diameter (not on its direction), so a line
// whose two points coincide gives a circle of radius 0.
void OnDiameter(ProcSlots& s, const Notifier&) {
    const LineRecord& l = s.InLine(1);
    PointRecord a, b, m;
    a.x = l.x1;
    a.y = l.y1;
    b.x = l.x2;
    b.y = l.y2;
    a.exists = b.exists = kTrue;
    Midpoint(a, b, m);
    SetCircle(s.OutCircle(1), m, a);
}

// The incircle, its radius measured to side AB.
void Incircle(ProcSlots& s, const Notifier&) {
    const PointRecord &a = s.InPoint(1), &b = s.InPoint(2), &c = s.InPoint(3);
    CircleRecord& out = s.OutCircle(1);
    PointRecord centre;
    Incentre(a, b, c, centre);
    LineRecord ab;
    LineThroughPoints(a, b, ab);
    NumberRecord r;
    DistancePointLine(centre, ab, r);
    if (!r.exists) {
        out.exists = 0;
        return;
    }
    out.cx = centre.x;
    out.cy = centre.y;
    out.r = r.value;
    out.exists = kTrue;
}

// The excircle opposite A, its radius measured to side BC.
void Excircle(ProcSlots& s, const Notifier&) {
    const PointRecord &a = s.InPoint(1), &b = s.InPoint(2), &c = s.InPoint(3);
    PointRecord centre, foot;
    Excentre(a, b, c, centre);
    LineRecord bc, perp;
    LineThroughPoints(b, c, bc);
    PerpendicularThrough(bc, centre, perp);
    IntersectLines(bc, perp, foot);
    SetCircle(s.OutCircle(1), centre, foot);
}

// The nine-point circle, through the midpoint of AB.
void NinePointCircle(ProcSlots& s, const Notifier&) {
    const PointRecord &a = s.InPoint(1), &b = s.InPoint(2), &c = s.InPoint(3);
    PointRecord centre, mab;
    NinePointCentre(a, b, c, centre);
    Midpoint(a, b, mab);
    SetCircle(s.OutCircle(1), centre, mab);
}

constexpr RuleEntry kCircleRules[] = {
    {"C1", CentreRadius}, {"C2", CentrePoint}, {"C3", ThroughThreePoints}, {"C4", OnDiameter},
    {"C5", Incircle},     {"C6", Excircle},    {"C7", NinePointCircle},
};

}  // namespace

std::span<const RuleEntry> CircleRules() {
    return kCircleRules;
}

}  // namespace kv
