#pragma once
// Small figures built directly in the tables, for the drawing tests.

#include <string>

#include "model/figure.h"

namespace kv::test {

// A free point (a PNEW procedure) at (x, y), black, mark "・" unless given.
inline int AddPoint(Figure& f, double x, double y, i16 mark = 0) {
    const int p = AppendProcedure(f, "PNEW");
    const int i = AppendObject(f, kKindPoint);
    f.ProcOutput[p][1] = {kKindPoint, static_cast<i16>(i)};
    PointRecord& r = f.Points[i];
    r.x = x;
    r.y = y;
    r.exists = kTrue;
    r.movable = kTrue;
    r.colour = 7;
    r.mark = mark;
    return i;
}

// The line through two points (L1) with a display form.
inline int AddLineThrough(Figure& f, int a, int b, i16 form) {
    const int p = AppendProcedure(f, "L1");
    const int i = AppendObject(f, kKindLine);
    f.ProcInput[p][1] = {kKindPoint, static_cast<i16>(a)};
    f.ProcInput[p][2] = {kKindPoint, static_cast<i16>(b)};
    f.ProcOutput[p][1] = {kKindLine, static_cast<i16>(i)};
    f.Lines[i].form = form;
    f.Lines[i].colour = 7;
    return i;
}

// A line record set directly: through (x1, y1) and (x2, y2), defined.
inline LineRecord LineOf(double x1, double y1, double x2, double y2, i16 form, double dx,
                         double dy) {
    LineRecord l;
    l.x1 = x1;
    l.y1 = y1;
    l.x2 = x2;
    l.y2 = y2;
    l.dx = dx;
    l.dy = dy;
    l.form = form;
    l.exists = kTrue;
    l.colour = 7;
    return l;
}

// A number record appended to the table.
inline int AddNumber(Figure& f, const std::string& name, double value, i16 isVariable = 0) {
    const int i = AppendObject(f, kKindNumber);
    NumberRecord& n = f.Numbers[i];
    n.name = name;
    n.value = value;
    n.exists = kTrue;
    n.isVariable = isVariable;
    return i;
}

}  // namespace kv::test
