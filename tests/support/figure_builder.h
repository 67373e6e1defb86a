#pragma once
// Figures built directly in the tables, the way the construction flow builds them: free points
// made by PNEW procedures, and procedures with their inputs and fresh outputs.

#include <string>
#include <string_view>
#include <vector>

#include "model/catalogue.h"
#include "model/figure.h"

namespace kv::test {

// A free point at (x, y) made by a PNEW procedure, defined and movable.
inline ObjectRef AddFreePoint(Figure& f, double x, double y) {
    const int p = AppendProcedure(f, "PNEW");
    const ObjectRef pt{kKindPoint, static_cast<i16>(AppendObject(f, kKindPoint))};
    PointRecord& r = f.Points[pt.index];
    r.x = x;
    r.y = y;
    r.exists = kTrue;
    r.movable = kTrue;
    f.ProcOutput[p][1] = pt;
    return pt;
}

// The object kinds of output letters as the catalogue writes them ("PL" is a point, a line).
inline std::vector<i16> KindsOfLetters(std::string_view letters) {
    std::vector<i16> kinds;
    for (char c : letters) kinds.push_back(KindOfLetter(c));
    return kinds;
}

// Appends the procedure `code` with its inputs and a fresh object of each kind in `outKinds`
// as its outputs; returns the outputs in order.
inline std::vector<ObjectRef> AddProcedure(Figure& f, std::string_view code,
                                           const std::vector<ObjectRef>& in,
                                           const std::vector<i16>& outKinds) {
    const int p = AppendProcedure(f, code);
    for (size_t j = 0; j < in.size(); ++j) f.ProcInput[p][j + 1] = in[j];
    std::vector<ObjectRef> out;
    for (size_t j = 0; j < outKinds.size(); ++j) {
        out.push_back({outKinds[j], static_cast<i16>(AppendObject(f, outKinds[j]))});
        f.ProcOutput[p][j + 1] = out.back();
    }
    return out;
}

// The same with the outputs the catalogue gives the code.
inline std::vector<ObjectRef> AddConstruction(Figure& f, std::string_view code,
                                              const std::vector<ObjectRef>& in) {
    return AddProcedure(f, code, in, KindsOfLetters(FindCode(code)->outputs));
}

// A free point as the drawing tests use it: black, mark "・" unless given; returns its index.
inline int AddPoint(Figure& f, double x, double y, i16 mark = 0) {
    const ObjectRef pt = AddFreePoint(f, x, y);
    f.Points[pt.index].colour = 7;
    f.Points[pt.index].mark = mark;
    return pt.index;
}

// A procedure with two point inputs and one output of the kind; returns the output's index.
inline int AddFromTwoPoints(Figure& f, std::string_view code, int a, int b, i16 kind) {
    return AddProcedure(f, code,
                        {{kKindPoint, static_cast<i16>(a)}, {kKindPoint, static_cast<i16>(b)}},
                        {kind})[0]
        .index;
}

// The line through two points (L1) with a display form, black; returns its index.
inline int AddLineThrough(Figure& f, int a, int b, i16 form) {
    const int i = AddFromTwoPoints(f, "L1", a, b, kKindLine);
    f.Lines[i].form = form;
    f.Lines[i].colour = 7;
    return i;
}

// A point record set directly: at (x, y), defined, with a mark and a colour.
inline PointRecord PointAt(double x, double y, i16 mark, i16 colour = 7) {
    PointRecord p;
    p.x = x;
    p.y = y;
    p.mark = mark;
    p.colour = colour;
    p.exists = kTrue;
    return p;
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
