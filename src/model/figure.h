#pragma once
// The figure: the four object tables with their snapshot copies, the procedure list,
// the recompute state, the locus stores and the per-slot construction settings.
// Tables are indexed from 1; entry 0 exists and is never used.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/compiled_formula.h"
#include "model/records.h"

namespace kv {

constexpr int kStartCapacity = 30;
// Procedure numbers appear negated in `exists` markers, so 2 x capacity must fit a 16-bit value.
constexpr int kMaxCapacity = 16383;
constexpr int kSlots = 5;  // input / output slots per procedure, 1..5
constexpr int kLocusStoreStart = 200;

using SlotRow = std::array<ObjectRef, kSlots + 1>;  // column 0 unused

struct Figure {
    int Capacity = kStartCapacity;

    std::vector<NumberRecord> Numbers, SavedNumbers;
    std::vector<PointRecord> Points, SavedPoints;
    std::vector<LineRecord> Lines, SavedLines;
    std::vector<CircleRecord> Circles, SavedCircles;
    std::array<i16, 11> ObjectCount{};

    // The procedure list, entries 1..ProcedureCount; sized 0..2 x Capacity.
    int ProcedureCount = 0;
    std::vector<std::string> ProcCode;  // trimmed code text, at most 5 characters
    std::vector<i16> ProcOp;  // OperationOf(ProcCode[i]); both are set by SetProcedureCode
    std::vector<SlotRow> ProcInput;
    std::vector<SlotRow> ProcOutput;
    std::vector<i16> ProcState;
    std::vector<i16> SwapFlag;

    // Recompute state.
    i16 RecomputePasses = 0;
    int CurrentProcedure = 0;
    std::array<i16, kSlots + 1> CurrentOutputIndex{};

    // Locus stores: images 1..LocusCount[kind] of each kind. The counts are wider than the
    // 16-bit object counts: a long traced drag easily records more than 32767 images.
    std::vector<PointRecord> LocusPoints;
    std::vector<LineRecord> LocusLines;
    std::vector<CircleRecord> LocusCircles;
    std::array<int, 11> LocusCount{};

    // The compiled CALC formulas, by number index; the calculator fills and renews them.
    std::vector<CompiledFormula> Formulas;

    // Per-slot construction settings (entries 1..5; -1 means "not set").
    std::array<i16, kSlots + 1> InputFormFilter{};
    std::array<i16, kSlots + 1> OutputForm{};

    // A new figure is already reset with the start capacity.
    Figure();
};

// Creates every table afresh for the given capacity (clamped to 1..kMaxCapacity).
void ResetFigure(Figure& f, int capacity);

// Grows all tables together, keeping their contents, so that `objects` object entries and
// `procedures` procedure entries fit. Returns false (and changes nothing) when that is more
// than the tables can ever hold.
bool EnsureCapacity(Figure& f, int objects, int procedures);

// Appends one object of the kind (0..3) at the end of its table, growing the tables when
// needed; returns its index, or 0 when the tables cannot grow further.
int AppendObject(Figure& f, i16 kind);
// Appends an empty procedure with the code; returns its number, or 0 when the list is full.
int AppendProcedure(Figure& f, std::string_view code);
// The number of objects of a kind (0..3) in the tables: ObjectCount, never past Capacity.
inline int Count(const Figure& f, i16 kind) {
    if (kind < kKindNumber || kind > kKindCircle) return 0;
    const int n = f.ObjectCount[static_cast<size_t>(kind)];
    return n < f.Capacity ? n : f.Capacity;
}
// Takes the last procedure off the list, leaving its row empty for the next one.
void RemoveLastProcedure(Figure& f);
// Empties the last object of a kind as InitObject does and gives its entry back.
void RemoveLastObject(Figure& f, i16 kind);
// Gives procedure i its code (cut to the code width) and the code's operation number.
void SetProcedureCode(Figure& f, int i, std::string_view code);

std::string DefaultPointName(int i);
std::string DefaultName(i16 kind, int i);

void ClearAllObjects(Figure& f);
// Empties one entry as a reset leaves it and gives it the default name of its kind.
void InitObject(Figure& f, ObjectRef ref);
void SetName(Figure& f, ObjectRef ref, std::string_view text);
void TakeSnapshot(Figure& f);
void ClearLoci(Figure& f);

// The `exists` field of the referenced object, or nullptr when the reference names no entry
// of the tables (kind outside 0..3 or index outside 0..Capacity).
// (Inline: the dependency analysis reads and writes these for every input and output.)
inline i16* ExistsOf(Figure& f, ObjectRef ref) {
    if (ref.kind < 0 || ref.kind > 3 || ref.index < 0 || ref.index > f.Capacity) return nullptr;
    switch (ref.kind) {
        case kKindNumber:
            return &f.Numbers[ref.index].exists;
        case kKindPoint:
            return &f.Points[ref.index].exists;
        case kKindLine:
            return &f.Lines[ref.index].exists;
        default:
            return &f.Circles[ref.index].exists;
    }
}
inline i16 ExistsValue(const Figure& f, ObjectRef ref) {
    const i16* e = ExistsOf(const_cast<Figure&>(f), ref);
    return e ? *e : i16{0};
}
inline void SetExists(Figure& f, ObjectRef ref, i16 flag) {
    if (i16* e = ExistsOf(f, ref)) *e = flag;
}
// Sets `exists` of the procedure's outputs, up to its first empty output slot.
inline void SetOutputsExist(Figure& f, int procedure, i16 flag) {
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef r = f.ProcOutput[procedure][j];
        if (r.IsEmpty()) break;
        SetExists(f, r, flag);
    }
}
// The name of the referenced object (trimmed), empty for an invalid reference.
std::string NameOf(const Figure& f, ObjectRef ref);
// Width of the name field for a kind: 40 for numbers, 10 otherwise.
int NameWidth(i16 kind);

// The trimmed code of procedure i.
inline const std::string& CodeOf(const Figure& f, int i) {
    return f.ProcCode[i];
}

}  // namespace kv
