#pragma once
// Triangle centres and the point transformations built on the primitives, shared by the
// point, line and circle constructions. Like the primitives, each writes only the
// coordinates and `exists` of its output, and an undefined input makes the output undefined.
// The output may be the same record as an input.

#include "model/records.h"

namespace kv {

// Intersection of the perpendicular bisectors of AB and AC; undefined when A is within 0.01
// of B or C or the bisectors are parallel by the 0.01 test (nearly collinear points).
void Circumcentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                  PointRecord& out);
// (a·A + b·B + c·C) / (a + b + c) with a, b, c the opposite side lengths; A itself when the
// three points coincide exactly.
void Incentre(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out);
void Centroid(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out);
// Intersection of the altitudes from C and from B.
void Orthocentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                 PointRecord& out);
// Centre of the excircle opposite A (touching side BC): the internal bisector at A meets the
// external bisector at B.
void Excentre(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out);
// Circumcentre of the midpoints of AB, BC and CA.
void NinePointCentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                     PointRecord& out);

// Inverse of P in the circle: the foot of the perpendicular from P onto its polar. Undefined
// when P is within 0.01 of the centre.
void InversePoint(const PointRecord& p, const CircleRecord& c, PointRecord& out);
// Mirror image of P in the (unbounded) line: 2F - P with F the foot of the perpendicular.
void MirrorInLine(const PointRecord& p, const LineRecord& l, PointRecord& out);

// The midpoint of PQ (DividePoint with weights 1 : 1).
void Midpoint(const PointRecord& p, const PointRecord& q, PointRecord& out);

}  // namespace kv
