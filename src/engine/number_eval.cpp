// Measurements and number constructions: distances, angles, areas, circumference and radius,
// and the trigonometric functions of a number. Distances are in world units, angles in
// degrees.

#include <cmath>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/geometry.h"
#include "model/catalogue.h"

namespace kv {

namespace {

// What a code makes of its output number.
struct Outcome {
    enum Kind {
        kUndefined,      // exists 0, value kept
        kUndefinedZero,  // exists 0, value 0
        kDefined,        // value written, exists -1
        kValueOnly,      // value written, exists left as the dependency analysis marked it
    };
    Kind kind = kUndefined;
    double value = 0;
};

Outcome Defined(double v) {
    return {Outcome::kDefined, v};
}
Outcome ValueOnly(double v) {
    return {Outcome::kValueOnly, v};
}
Outcome Undefined() {
    return {Outcome::kUndefined, 0};
}

// The inputs of one procedure. Slots are read by their index, in the table the catalogue names
// for the slot, and only after CheckInputs has found every one to be a defined entry.
struct Inputs {
    const Figure& f;
    const SlotRow& row;
    const PointRecord& P(int j) const { return f.Points[row[j].index]; }
    const LineRecord& L(int j) const { return f.Lines[row[j].index]; }
    const CircleRecord& C(int j) const { return f.Circles[row[j].index]; }
    const NumberRecord& N(int j) const { return f.Numbers[row[j].index]; }
};

bool CheckInputs(const Figure& f, const SlotRow& row, std::string_view kinds) {
    for (size_t j = 0; j < kinds.size() && j < kSlots; ++j) {
        const int index = row[j + 1].index;
        if (index < 1 || index > f.Capacity) return false;
        if (ExistsValue(f, ObjectRef{KindOfLetter(kinds[j]), static_cast<i16>(index)}) == 0)
            return false;
    }
    return true;
}

PointRecord CentreOf(const CircleRecord& c) {
    PointRecord o;
    o.x = c.cx;
    o.y = c.cy;
    o.exists = kTrue;
    return o;
}

PointRecord BaseOf(const LineRecord& l) {
    PointRecord q;
    q.x = l.x1;
    q.y = l.y1;
    q.exists = kTrue;
    return q;
}

Outcome FromRecord(const NumberRecord& n) {
    return n.exists ? Defined(n.value) : Undefined();
}

bool Within(double a, double b) {
    return std::fabs(a - b) <= kShortVector;
}

// Lines of the same or of opposite direction are parallel; the distance is measured along the
// perpendicular through the first line's base point.
Outcome ParallelDistance(const LineRecord& l1, const LineRecord& l2) {
    const bool same = Within(l1.dx, l2.dx) && Within(l1.dy, l2.dy);
    const bool opposite = Within(l1.dx, -l2.dx) && Within(l1.dy, -l2.dy);
    if (!same && !opposite) return ValueOnly(0);
    const PointRecord q = BaseOf(l1);
    LineRecord perp;
    PerpendicularThrough(l1, q, perp);
    PointRecord x;
    IntersectLines(perp, l2, x);
    if (!x.exists) return Undefined();
    return Defined(Distance(q, x));
}

Outcome AngleBetweenLines(const LineRecord& l1, const LineRecord& l2) {
    const double c = DotProduct({l1.dx, l1.dy}, {l2.dx, l2.dy});
    double v = std::fabs(RadToDeg(AngleFromCosine(c)));
    if (v > 90) v = 180 - v;
    return Defined(v);
}

Outcome Tangent(double degrees) {
    // Only the poles (odd multiples of 90, to the nearest degree) have no value; a tangent at a
    // multiple of 180 is 0 like anywhere else.
    const double k = std::nearbyint(degrees);
    if (!std::isfinite(k) || std::fabs(std::fmod(k, 180.0)) == 90) {
        return {Outcome::kUndefinedZero, 0};
    }
    return ValueOnly(std::tan(DegToRad(degrees)));
}

// The measurement codes, in the order of the Measurement enumeration.
constexpr std::string_view kMeasurementCodes[] = {
    "ND2P", "ND2L", "ND2C", "NDLC", "NDPC", "NDPL", "NA3+", "NA3P", "NA3M",
    "NA3*", "NAR3", "NAR+", "NA2L", "NLC",  "NRC",  "NSIN", "NCOS", "NTAN",
};

enum Measurement {
    kND2P,
    kND2L,
    kND2C,
    kNDLC,
    kNDPC,
    kNDPL,
    kNA3Plus,
    kNA3P,
    kNA3M,
    kNA3Star,
    kNAR3,
    kNARPlus,
    kNA2L,
    kNLC,
    kNRC,
    kNSIN,
    kNCOS,
    kNTAN,
};

Outcome Measure(int m, const Inputs& in, const Notifier& note) {
    NumberRecord t;
    switch (m) {
        case kND2P:
            return Defined(Distance(in.P(1), in.P(2)));
        case kND2L:
            return ParallelDistance(in.L(1), in.L(2));
        case kND2C: {
            const double d = Distance(CentreOf(in.C(1)), CentreOf(in.C(2))) - in.C(1).r - in.C(2).r;
            return Defined(d < 0 ? 0 : d);
        }
        case kNDLC:
            DistancePointLine(CentreOf(in.C(2)), in.L(1), t);
            return t.exists ? Defined(t.value - in.C(2).r) : Undefined();
        case kNDPC:
            return Defined(std::fabs(Distance(in.P(1), CentreOf(in.C(2))) - in.C(2).r));
        case kNDPL:
            DistancePointLine(in.P(1), in.L(2), t);
            return FromRecord(t);
        case kNA3Plus:
        case kNA3P:
        case kNA3M:
        case kNA3Star:
            SignedAngle(in.P(1), in.P(2), in.P(3), t, note);
            if (!t.exists) return Undefined();
            if (m == kNA3Plus) return Defined(t.value);
            if (m == kNA3Star) return Defined(t.value < 0 ? t.value + 360 : t.value);
            return Defined(std::fabs(t.value));
        case kNAR3: {
            const PointRecord &a = in.P(1), &b = in.P(2), &c = in.P(3);
            UnsignedAngle(a, b, c, t);
            if (!t.exists) return Undefined();
            return Defined(Distance(a, b) * Distance(b, c) * std::sin(DegToRad(t.value)) / 2);
        }
        case kNARPlus: {
            const PointRecord &a = in.P(1), &b = in.P(2), &c = in.P(3);
            return Defined(((b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x)) / 2);
        }
        case kNA2L:
            return AngleBetweenLines(in.L(1), in.L(2));
        case kNLC:
            return Defined(kTwoPi * in.C(1).r);
        case kNRC:
            return Defined(in.C(1).r);
        case kNSIN:
            return ValueOnly(std::sin(DegToRad(in.N(1).value)));
        case kNCOS:
            return ValueOnly(std::cos(DegToRad(in.N(1).value)));
        case kNTAN:
            return Tangent(in.N(1).value);
        default:
            return Undefined();
    }
}

}  // namespace

std::span<const std::string_view> MeasurementCodes() {
    return kMeasurementCodes;
}

void EvaluateMeasurement(Figure& f, int p, const CodeInfo& info, int measurement,
                         const Notifier& note) {
    if (p < 1 || p >= static_cast<int>(f.ProcOutput.size())) return;
    // Output 1 is always a number.
    const int out = f.ProcOutput[p][1].index;
    if (out < 1 || out > f.Capacity) return;
    NumberRecord& n = f.Numbers[out];

    const SlotRow& row = f.ProcInput[p];
    const Outcome o =
        CheckInputs(f, row, info.inputs) ? Measure(measurement, Inputs{f, row}, note) : Undefined();
    if (o.kind == Outcome::kUndefined) {
        n.exists = 0;
        return;
    }
    if (o.kind == Outcome::kUndefinedZero || !std::isfinite(o.value)) {
        n.value = 0;
        n.exists = 0;
        return;
    }
    n.value = o.value;
    // A value-only code keeps the analysis marker, which is non-zero whenever its inputs are
    // defined. Between analyses (while dragging) the flag may still hold the 0 of an earlier
    // undefined step; the value is defined now, so it must not stay hidden.
    if (o.kind == Outcome::kDefined || n.exists == 0) n.exists = kTrue;
}

}  // namespace kv
