#include "engine/centres.h"

#include "engine/geometry.h"

namespace kv {

namespace {

bool AllDefined(const PointRecord& a, const PointRecord& b, const PointRecord& c) {
    return a.exists && b.exists && c.exists;
}

// Copies a computed position (or its failure) into the output record, touching only the
// coordinates and `exists`.
void Store(const PointRecord& result, PointRecord& out) {
    if (!result.exists) {
        out.exists = 0;
        return;
    }
    out.x = result.x;
    out.y = result.y;
    out.exists = kTrue;
    CheckFinite(out);
}

PointRecord At(double x, double y) {
    PointRecord p;
    p.x = x;
    p.y = y;
    p.exists = kTrue;
    return p;
}

}  // namespace

void Circumcentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                  PointRecord& out) {
    LineRecord ab, ac, bisAB, bisAC;
    LineThroughPoints(a, b, ab);
    LineThroughPoints(a, c, ac);
    PerpendicularBisector(ab, bisAB);
    PerpendicularBisector(ac, bisAC);
    PointRecord centre;
    IntersectLines(bisAB, bisAC, centre);
    Store(centre, out);
}

void Incentre(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out) {
    if (!AllDefined(a, b, c)) {
        out.exists = 0;
        return;
    }
    const double la = Distance(b, c), lb = Distance(c, a), lc = Distance(a, b);
    const double s = la + lb + lc;
    if (s == 0) {
        Store(At(a.x, a.y), out);
        return;
    }
    Store(At((la * a.x + lb * b.x + lc * c.x) / s, (la * a.y + lb * b.y + lc * c.y) / s), out);
}

void Centroid(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out) {
    if (!AllDefined(a, b, c)) {
        out.exists = 0;
        return;
    }
    Store(At((a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3), out);
}

void Orthocentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                 PointRecord& out) {
    LineRecord ab, ac, altC, altB;
    LineThroughPoints(a, b, ab);
    LineThroughPoints(a, c, ac);
    PerpendicularAt(ab, c, altC);  // the altitudes' feet are not needed
    PerpendicularAt(ac, b, altB);
    PointRecord h;
    IntersectLines(altC, altB, h);
    Store(h, out);
}

void Excentre(const PointRecord& a, const PointRecord& b, const PointRecord& c, PointRecord& out) {
    if (!AllDefined(a, b, c)) {
        out.exists = 0;
        return;
    }
    // D lies on AB extended beyond B, so the internal bisector at B of triangle DBC is the
    // external bisector at B of ABC.
    PointRecord d, inA, inB;
    ReflectInPoint(a, b, d);
    Incentre(b, a, c, inA);
    Incentre(d, b, c, inB);
    LineRecord bisA, bisB;
    LineThroughPoints(a, inA, bisA);
    LineThroughPoints(b, inB, bisB);
    PointRecord e;
    IntersectLines(bisA, bisB, e);
    Store(e, out);
}

void Midpoint(const PointRecord& p, const PointRecord& q, PointRecord& out) {
    PointRecord m;
    DividePoint(p, q, 1.0, 1.0, m);
    Store(m, out);
}

void NinePointCentre(const PointRecord& a, const PointRecord& b, const PointRecord& c,
                     PointRecord& out) {
    PointRecord mab, mbc, mca;
    Midpoint(a, b, mab);
    Midpoint(b, c, mbc);
    Midpoint(c, a, mca);
    Circumcentre(mab, mbc, mca, out);
}

void InversePoint(const PointRecord& p, const CircleRecord& c, PointRecord& out) {
    LineRecord polar, perp;
    PolarLine(p, c, polar);
    PerpendicularThrough(polar, p, perp);
    PointRecord image;
    IntersectLines(polar, perp, image);
    Store(image, out);
}

void MirrorInLine(const PointRecord& p, const LineRecord& l, PointRecord& out) {
    LineRecord perp;
    PerpendicularThrough(l, p, perp);
    if (!perp.exists) {
        out.exists = 0;
        return;
    }
    const PointRecord foot = At(perp.x2, perp.y2);
    PointRecord image;
    ReflectInPoint(p, foot, image);
    Store(image, out);
}

}  // namespace kv
