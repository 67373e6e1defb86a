#pragma once
// The figure's object records: numbers, points, lines and circles.
// Field order and meaning follow the figure file; flags hold -1 (true) / 0 (false)
// and readers test for non-zero.

#include <cstdint>
#include <string>

namespace kv {

using i16 = std::int16_t;

constexpr i16 kTrue = -1;
constexpr i16 kFalse = 0;

// What `exists` holds. At rest: kUndefined, or kTrue for a defined object. During a dependency
// analysis a defined object holds instead kUnchanged (the current drag cannot move it) or the
// marker ChangedBy(i) of the procedure i that changes it.
constexpr i16 kUndefined = 0;
constexpr i16 kUnchanged = 2;
constexpr i16 ChangedBy(int procedure) {
    return static_cast<i16>(-procedure);
}

// What `isVariable` of a number holds: 0 for a measured or computed number, kVariableNumber for
// one the user typed in, kGeneratedNumber for one a command made for itself (kept off the list).
constexpr i16 kMeasuredNumber = 0;
constexpr i16 kVariableNumber = kTrue;
constexpr i16 kGeneratedNumber = 7;

// Object kinds as stored in references.
enum ObjectKind : i16 { kKindNumber = 0, kKindPoint = 1, kKindLine = 2, kKindCircle = 3 };

// Names one figure object; (0, 0) means none and ends a list of references.
struct ObjectRef {
    i16 kind = 0;
    i16 index = 0;
    bool IsEmpty() const { return (kind | index) == 0; }  // one test: lists read it for every slot
    friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

// Widths of the fixed-length texts, in characters (not bytes).
constexpr int kCodeWidth = 5;
constexpr int kNameWidth = 10;
constexpr int kNumberNameWidth = 40;
constexpr int kFormulaWidth = 70;

// Texts are held trimmed; their fixed width is applied when they are stored
// (FitText) and restored when they are shown at full width (PadText).

struct NumberRecord {
    double value = 0.0;
    i16 exists = 0;
    std::string name;
    i16 isVariable = 0;
    std::string formula;
};

struct PointRecord {
    double x = 0.0, y = 0.0;
    i16 colour = 0;
    i16 locusColour = 0;
    i16 exists = 0;
    i16 mark = 0;
    i16 movable = 0;
    i16 bindKind = 0;
    i16 bindIndex = 0;
    double param = 0.0;
    std::string name;
};

struct LineRecord {
    double x1 = 0.0, y1 = 0.0;
    double x2 = 0.0, y2 = 0.0;
    i16 exists = 0;
    i16 form = 0;  // 0 line, 1 segment, 2 half-line, 3 reversed half-line
    double dx = 0.0, dy = 0.0;
    i16 colour = 0;
    i16 locusColour = 0;
    std::string name;
};

struct CircleRecord {
    double cx = 0.0, cy = 0.0;
    double r = 0.0;
    i16 exists = 0;
    i16 colour = 0;
    i16 locusColour = 0;
    std::string name;
};

void InitNumberRecord(NumberRecord& n);
void InitPointRecord(PointRecord& p);
void InitLineRecord(LineRecord& l);
void InitCircleRecord(CircleRecord& c);

}  // namespace kv
