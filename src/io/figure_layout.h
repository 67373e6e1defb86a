#pragma once
// The lines of the point, line and circle records in a figure file, described once: the reader
// takes its values from them, the writer writes them, and the check of a file's length counts
// them. Each line holds one or two values, separated by a comma.

#include <array>
#include <span>
#include <string>

#include "model/figure.h"
#include "model/records.h"

namespace kv {

template <class R>
struct LayoutValue {
    enum Kind { kInt, kReal, kText } kind;
    i16 R::*integer = nullptr;
    double R::*real = nullptr;
    std::string R::*text = nullptr;
    int width = 0;  // of a text's field, in characters
};

template <class R>
struct LayoutLine {
    const char* item;  // what the line holds, for messages; %d is the record's number
    int count;         // values on the line: 1 or 2
    std::array<LayoutValue<R>, 2> values;
    bool binding = false;  // the values name an object (kind, index), checked as a reference
};

namespace layout {

template <class R>
constexpr LayoutValue<R> Int(i16 R::*m) {
    return {LayoutValue<R>::kInt, m, nullptr, nullptr, 0};
}
template <class R>
constexpr LayoutValue<R> Real(double R::*m) {
    return {LayoutValue<R>::kReal, nullptr, m, nullptr, 0};
}
template <class R>
constexpr LayoutValue<R> Text(std::string R::*m, int width) {
    return {LayoutValue<R>::kText, nullptr, nullptr, m, width};
}
template <class R>
constexpr LayoutLine<R> One(const char* item, LayoutValue<R> v) {
    return {item, 1, {v, v}};
}
template <class R>
constexpr LayoutLine<R> Two(const char* item, LayoutValue<R> a, LayoutValue<R> b,
                            bool binding = false) {
    return {item, 2, {a, b}, binding};
}

using P = PointRecord;
using L = LineRecord;
using C = CircleRecord;

inline constexpr LayoutLine<P> kPoint[] = {
    Two<P>("x and y of point %d", Real(&P::x), Real(&P::y)),
    One<P>("the colour of point %d", Int(&P::colour)),
    One<P>("the locus colour of point %d", Int(&P::locusColour)),
    One<P>("exists of point %d", Int(&P::exists)),
    One<P>("the mark of point %d", Int(&P::mark)),
    One<P>("movable of point %d", Int(&P::movable)),
    Two<P>("the binding of point %d (kind, index)", Int(&P::bindKind), Int(&P::bindIndex), true),
    One<P>("the parameter of point %d", Real(&P::param)),
    One<P>("the name of point %d", Text(&P::name, kNameWidth)),
};

inline constexpr LayoutLine<L> kLine[] = {
    Two<L>("x1 and y1 of line %d", Real(&L::x1), Real(&L::y1)),
    Two<L>("x2 and y2 of line %d", Real(&L::x2), Real(&L::y2)),
    One<L>("exists of line %d", Int(&L::exists)),
    One<L>("the form of line %d", Int(&L::form)),
    Two<L>("dx and dy of line %d", Real(&L::dx), Real(&L::dy)),
    One<L>("the colour of line %d", Int(&L::colour)),
    One<L>("the locus colour of line %d", Int(&L::locusColour)),
    One<L>("the name of line %d", Text(&L::name, kNameWidth)),
};

inline constexpr LayoutLine<C> kCircle[] = {
    Two<C>("the centre of circle %d", Real(&C::cx), Real(&C::cy)),
    One<C>("the radius of circle %d", Real(&C::r)),
    One<C>("exists of circle %d", Int(&C::exists)),
    One<C>("the colour of circle %d", Int(&C::colour)),
    One<C>("the locus colour of circle %d", Int(&C::locusColour)),
    One<C>("the name of circle %d", Text(&C::name, kNameWidth)),
};

}  // namespace layout

// The lines of each record: a procedure (its code, five inputs, five outputs), a number (value,
// exists and "name@formula" on one line, then isVariable, which the older layout lacks).
constexpr int kLinesPerProcedure = 1 + 2 * kSlots;
constexpr int kCountLines = 11;
constexpr int LinesPerNumber(int revision) {
    return revision == 0 ? 1 : 2;
}
constexpr int kLinesPerPoint = static_cast<int>(std::size(layout::kPoint));
constexpr int kLinesPerLine = static_cast<int>(std::size(layout::kLine));
constexpr int kLinesPerCircle = static_cast<int>(std::size(layout::kCircle));

}  // namespace kv
