#pragma once
// Geometry primitives over the figure records. Each reads only the geometric fields and the
// `exists` flag of its inputs and writes only the geometric fields and `exists` of its
// outputs; colour, name, mark, form and every other attribute of an output stay as they are.
// An undefined input makes every output undefined. A result that is not finite (overflow,
// inf, NaN) is undefined as well, so it never reaches drawing or a file.

#include "engine/notifier.h"
#include "model/figure.h"
#include "model/records.h"

namespace kv {

struct Vec2 {
    double x = 0.0, y = 0.0;
};

// Vectors.
double VectorLength(Vec2 v);
// Divides v by its length; false (v unchanged) when the length is below kShortVector.
bool NormalizeVector(Vec2& v);
double DotProduct(Vec2 a, Vec2 b);
// Solves t*u - s*w = d for t; false when |det| < kShortVector (parallel directions).
bool Solve2x2(Vec2 u, Vec2 w, Vec2 d, double& t);
// Radians in (-pi/2, pi/2]; negative for c < 0 (callers fix that up).
double AngleFromCosine(double c);
double ReduceAngle(double a, double m);
double DirectionAngle(Vec2 v);
bool PointsCoincide(const PointRecord& p, const PointRecord& q);

// Sets the output's exists to 0 when any of its coordinates is not finite; those coordinates
// become 0 (a file cannot hold them), the finite ones stay.
void CheckFinite(PointRecord& p);
void CheckFinite(LineRecord& l);
void CheckFinite(CircleRecord& c);
void CheckFinite(NumberRecord& n);

// Line builders.
void SetLineDirection(LineRecord& l);
void LineThroughPoints(const PointRecord& a, const PointRecord& b, LineRecord& out);
void LineFromEquation(const NumberRecord& a, const NumberRecord& b, const NumberRecord& c,
                      LineRecord& out);
void ParallelThrough(const LineRecord& l, const PointRecord& p, LineRecord& out);
void PerpendicularThrough(const LineRecord& l, const PointRecord& p, LineRecord& out);
// The perpendicular to l through p with both stored points at p, for a construction that
// needs only its position and direction (PerpendicularThrough also finds the foot on l).
void PerpendicularAt(const LineRecord& l, const PointRecord& p, LineRecord& out);
void PerpendicularBisector(const LineRecord& l, LineRecord& out);
void PolarLine(const PointRecord& p, const CircleRecord& c, LineRecord& out);

// Intersections. The two-solution ones give their solutions in the order of the formulas; the
// procedure that owns the outputs keeps each on its branch with KeepSolutionOrder.
void IntersectLines(const LineRecord& l1, const LineRecord& l2, PointRecord& out);
void IntersectLineCircle(const LineRecord& l, const CircleRecord& c, PointRecord& p1,
                         PointRecord& p2);
void IntersectCircles(const CircleRecord& c1, const CircleRecord& c2, PointRecord& p1,
                      PointRecord& p2);
// Keeps each of two defined outputs on its branch from one evaluation to the next: `saved1` and
// `saved2` are the outputs as the last snapshot holds them, `swap` the procedure's flag, which
// flips when the new solutions have exchanged places.
void KeepSolutionOrder(const PointRecord& saved1, const PointRecord& saved2, i16& swap,
                       PointRecord& p1, PointRecord& p2);

// Points.
void Distance(const PointRecord& p, const PointRecord& q, NumberRecord& out);
double Distance(const PointRecord& p, const PointRecord& q);
void DividePoint(const PointRecord& p, const PointRecord& q, const NumberRecord& m,
                 const NumberRecord& n, PointRecord& out);
// Same with plain weights (both treated as defined).
void DividePoint(const PointRecord& p, const PointRecord& q, double m, double n, PointRecord& out);
void ExtendPoint(const PointRecord& p, const PointRecord& q, double k, PointRecord& out);
void ReflectInPoint(const PointRecord& p, const PointRecord& q, PointRecord& out);
void RotatePoint(const PointRecord& p, const PointRecord& o, double degrees, PointRecord& out);
void UnitStepToward(const PointRecord& p, const PointRecord& q, PointRecord& out);
void DistancePointLine(const PointRecord& p, const LineRecord& l, NumberRecord& out);
void CircleThroughPoint(const PointRecord& o, const PointRecord& q, CircleRecord& out);
void CircleWithRadius(const PointRecord& o, const NumberRecord& n, CircleRecord& out);

// Angles, in degrees.
void AngleAtVertex(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                   NumberRecord& out);
void UnsignedAngle(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                   NumberRecord& out);
// From ray BA to ray BC, counter-clockwise positive, in (-180, 180]. Shows "Error in Angle"
// through the notifier when neither turn matches.
void SignedAngle(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                 NumberRecord& out, const Notifier& note);

}  // namespace kv
