#pragma once
// A figure built through the procedure list the way the construction commands build it, and
// evaluated by the driver; and plane helpers for checking where things came out.

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "engine/recompute.h"
#include "model/catalogue.h"
#include "model/figure.h"
#include "support/figure_builder.h"

namespace kv {

struct TestFigure {
    Figure f;
    int beeps = 0;
    std::vector<std::string> messages;
    Notifier note;

    TestFigure() {
        note.beep = [this] { ++beeps; };
        note.message = [this](const std::string& m) { messages.push_back(m); };
    }
    TestFigure(const TestFigure&) = delete;
    TestFigure& operator=(const TestFigure&) = delete;

    ObjectRef NewObject(i16 kind) { return {kind, static_cast<i16>(AppendObject(f, kind))}; }

    // A free point: a PNEW procedure whose output the user placed.
    ObjectRef Free(double x, double y) { return test::AddFreePoint(f, x, y); }

    // A point tied to a point, line or circle (a PNEW point with its binding set). As with the
    // binding dialog, the object it is tied to has been computed before.
    ObjectRef Tied(ObjectRef on, double param) {
        Recompute();
        const ObjectRef pt = Free(0, 0);
        PointRecord& r = f.Points[pt.index];
        r.bindKind = on.kind;
        r.bindIndex = on.index;
        r.param = param;
        return pt;
    }

    // A number typed in as a variable; no procedure makes it.
    ObjectRef Number(double v) {
        const ObjectRef n = NewObject(kKindNumber);
        f.Numbers[n.index].value = v;
        f.Numbers[n.index].exists = kTrue;
        f.Numbers[n.index].isVariable = kTrue;
        return n;
    }

    // Appends a procedure with its inputs and fresh outputs of the kinds `outs` (letters as in
    // the catalogue; by default the catalogue's own). Returns the outputs.
    std::vector<ObjectRef> Make(std::string_view code, std::vector<ObjectRef> in,
                                std::string_view outs = "*") {
        if (outs == "*") outs = FindCode(code)->outputs;
        return test::AddProcedure(f, code, in, test::KindsOfLetters(outs));
    }
    ObjectRef Make1(std::string_view code, std::vector<ObjectRef> in, std::string_view outs = "*") {
        return Make(code, std::move(in), outs).front();
    }

    void Recompute() { RecomputeFigure(f, note); }

    PointRecord& Pt(ObjectRef r) { return f.Points[r.index]; }
    LineRecord& Ln(ObjectRef r) { return f.Lines[r.index]; }
    CircleRecord& Cr(ObjectRef r) { return f.Circles[r.index]; }
    NumberRecord& Nm(ObjectRef r) { return f.Numbers[r.index]; }
    void MoveTo(ObjectRef r, double x, double y) {
        Pt(r).x = x;
        Pt(r).y = y;
    }
};

// Plane helpers for the checks (independent of the engine's own primitives).
struct XY {
    double x = 0, y = 0;
};
inline XY At(const PointRecord& p) {
    return {p.x, p.y};
}
inline double Dist(XY a, XY b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}
inline double Cross(XY o, XY a, XY b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}
// Signed distance of p from the line through base along the unit direction d (left positive).
inline double SideOf(XY base, XY d, XY p) {
    return d.x * (p.y - base.y) - d.y * (p.x - base.x);
}
inline double SideOf(const LineRecord& l, XY p) {
    return SideOf({l.x1, l.y1}, {l.dx, l.dy}, p);
}
// Distance of p from the line through a and b.
inline double DistToLine(XY a, XY b, XY p) {
    return std::fabs(Cross(a, b, p)) / Dist(a, b);
}

}  // namespace kv
