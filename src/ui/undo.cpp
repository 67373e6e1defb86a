#include "ui/undo.h"

#include <algorithm>
#include <optional>
#include <type_traits>
#include <utility>
#include <variant>

#include "ui/attributes.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {

namespace {

// A point tied to an object that goes (the binding can tie a point to a later object) is set
// free where it stands: otherwise it would vanish with the object, and come back tied to
// whatever the next construction puts at that index.
void FreePointsTiedTo(Figure& f, ObjectRef gone) {
    if (gone.kind < kKindPoint || gone.kind > kKindCircle) return;
    const int points = Count(f, kKindPoint);
    for (int i = 1; i <= points; ++i) {
        PointRecord& p = f.Points[i];
        if (p.bindKind != gone.kind || p.bindIndex != gone.index) continue;
        p.bindKind = 0;
        p.bindIndex = 0;
    }
}

// The mark of a number entry whose measurement was undone while later numbers followed it:
// empty, undefined, and left out of the on-screen number list like a generated number.
constexpr i16 kRemovedNumber = kGeneratedNumber;

// Hidden entries that have become the last numbers are given back. An entry that a remaining
// procedure still names as its output (a hand-edited file) is never dropped.
void DropRemovedNumbersAtTheEnd(Figure& f) {
    auto produced = [&f](int index) {
        for (int i = 1; i <= f.ProcedureCount; ++i)
            for (int j = 1; j <= kSlots; ++j)
                if (f.ProcOutput[i][j].kind == kKindNumber && f.ProcOutput[i][j].index == index)
                    return true;
        return false;
    };
    while (f.ObjectCount[kKindNumber] > 0) {
        const int last = f.ObjectCount[kKindNumber];
        const NumberRecord& n = f.Numbers[last];
        if (n.isVariable != kRemovedNumber || n.exists != 0 || produced(last)) break;
        RemoveLastObject(f, kKindNumber);
    }
}

// Undo works in the resting mode only: a construction being set up or picked, a new point
// being placed, an attribute, binding or drag pick all hold references to objects that the
// undo could take away under them.
bool UndoWaits(int mode) {
    return mode != kModeStandard;
}

ListShape ShapeOf(const Figure& f) {
    ListShape s;
    s.procedures = f.ProcedureCount;
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        s.codes.push_back(f.ProcCode[i]);
        s.inputs.push_back(f.ProcInput[i]);
        s.outputs.push_back(f.ProcOutput[i]);
    }
    s.counts = f.ObjectCount;
    return s;
}

std::optional<ObjectRecord> RecordOf(const Figure& f, ObjectRef r) {
    const auto in = [&](const auto& table) { return r.index >= 1 && r.index < std::ssize(table); };
    switch (r.kind) {
        case kKindNumber:
            if (in(f.Numbers)) return f.Numbers[r.index];
            break;
        case kKindPoint:
            if (in(f.Points)) return f.Points[r.index];
            break;
        case kKindLine:
            if (in(f.Lines)) return f.Lines[r.index];
            break;
        case kKindCircle:
            if (in(f.Circles)) return f.Circles[r.index];
            break;
        default:
            break;
    }
    return std::nullopt;
}

void PutRecord(Figure& f, ObjectRef r, const ObjectRecord& rec) {
    std::visit(
        [&](const auto& value) {
            using T = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<T, NumberRecord>) f.Numbers[r.index] = value;
            if constexpr (std::is_same_v<T, PointRecord>) f.Points[r.index] = value;
            if constexpr (std::is_same_v<T, LineRecord>) f.Lines[r.index] = value;
            if constexpr (std::is_same_v<T, CircleRecord>) f.Circles[r.index] = value;
        },
        rec);
}

// What UndoLast is about to remove, read before it does.
UndoneConstruction Undoing(const Figure& f) {
    UndoneConstruction u;
    const int p = f.ProcedureCount;
    u.procedure = p;
    u.code = f.ProcCode[p];
    u.inputs = f.ProcInput[p];
    u.outputs = f.ProcOutput[p];
    u.state = f.ProcState[p];
    u.swap = f.SwapFlag[p];
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef out = u.outputs[j];
        if (out.index == 0 || out.kind < kKindNumber || out.kind > kKindCircle) continue;
        if (out.index > f.ObjectCount[out.kind]) continue;
        if (const auto rec = RecordOf(f, out)) u.records.emplace_back(out, *rec);
        if (out.kind == kKindNumber) continue;
        const int points = Count(f, kKindPoint);
        for (int i = 1; i <= points; ++i) {
            const PointRecord& pt = f.Points[i];
            if (pt.bindKind == out.kind && pt.bindIndex == out.index) u.ties.emplace_back(i, out);
        }
    }
    // Rebuilt in table order, so that each output is appended at its own index again.
    std::sort(u.records.begin(), u.records.end(), [](const auto& a, const auto& b) {
        return std::pair(a.first.kind, a.first.index) < std::pair(b.first.kind, b.first.index);
    });
    return u;
}

// Where each output of the undone construction goes back: into its hidden number entry, or
// appended at the end of its table at exactly its old index. False when the figure no longer
// leaves that room.
bool FitsBack(const Figure& f, const UndoneConstruction& u) {
    if (f.ProcedureCount != u.procedure - 1) return false;
    std::array<int, 4> count{};
    for (i16 k = kKindNumber; k <= kKindCircle; ++k) count[k] = f.ObjectCount[k];
    for (const auto& [ref, rec] : u.records) {
        if (ref.kind == kKindNumber && ref.index <= count[kKindNumber]) {
            const NumberRecord& n = f.Numbers[ref.index];
            if (n.isVariable != kRemovedNumber || n.exists != 0) return false;
            continue;
        }
        if (ref.index != count[ref.kind] + 1) return false;
        ++count[ref.kind];
    }
    return true;
}

void Rebuild(Figure& f, const UndoneConstruction& u) {
    for (const auto& [ref, rec] : u.records) {
        if (ref.kind == kKindNumber && ref.index <= f.ObjectCount[kKindNumber]) {
            PutRecord(f, ref, rec);
            continue;
        }
        if (AppendObject(f, ref.kind) != ref.index) return;
        PutRecord(f, ref, rec);
    }
    const int p = AppendProcedure(f, u.code);
    if (p != u.procedure) return;
    f.ProcInput[p] = u.inputs;
    f.ProcOutput[p] = u.outputs;
    f.ProcState[p] = u.state;
    f.SwapFlag[p] = u.swap;
    const int points = Count(f, kKindPoint);
    for (const auto& [point, on] : u.ties) {
        if (point > points) continue;
        PointRecord& pt = f.Points[point];
        if (pt.bindKind != 0) continue;  // tied again to something else meanwhile
        pt.bindKind = on.kind;
        pt.bindIndex = on.index;
    }
}

// The undone constructions still apply only to the figure they were taken from, as it was
// left: a construction built (even one undone again), a new figure or a file read since
// changes the procedure list or the counts.
bool RedoListCurrent(const App& app) {
    const RedoList& r = app.session.Redo;
    return !r.undone.empty() && r.after == ShapeOf(app.figure);
}

// Whether an earlier procedure reads an output of the last one (a forward reference, which only
// a hand-made file has). Removing that output would leave the reader naming an object that no
// longer exists, and the figure could no longer be saved and read back.
bool LastOutputsStillRead(const Figure& f) {
    const int p = f.ProcedureCount;
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef out = f.ProcOutput[p][j];
        if (out.index == 0 || out.kind < kKindNumber || out.kind > kKindCircle) continue;
        for (int i = 1; i < p; ++i)
            for (int k = 1; k <= kSlots; ++k)
                if (f.ProcInput[i][k] == out) return true;
    }
    return false;
}

void UndoUnlessBusy(App& app, Host& host, Surface& surface) {
    if (UndoWaits(CurrentMode(app.session))) return;
    if (app.figure.ProcedureCount < 1) return;
    if (LastOutputsStillRead(app.figure)) {
        host.Beep();
        return;
    }
    RedoList& redo = app.session.Redo;
    if (!RedoListCurrent(app)) redo.undone.clear();
    UndoneConstruction undone = Undoing(app.figure);
    UndoLast(app, host, surface);
    redo.undone.push_back(std::move(undone));
    redo.after = ShapeOf(app.figure);
}

void RedoUnlessBusy(App& app, Host& host, Surface& surface) {
    if (UndoWaits(CurrentMode(app.session))) return;
    RedoUndone(app, host, surface);
}

}  // namespace

void RedoUndone(App& app, Host& host, Surface& surface) {
    RedoList& redo = app.session.Redo;
    if (!RedoListCurrent(app) || !FitsBack(app.figure, redo.undone.back())) {
        redo.undone.clear();
        return;
    }
    Rebuild(app.figure, redo.undone.back());
    redo.undone.pop_back();
    redo.after = ShapeOf(app.figure);
    FullRedraw(app, host, surface);
}

void UndoLast(App& app, Host& host, Surface& surface) {
    Figure& f = app.figure;
    const int p = f.ProcedureCount;
    if (p < 1) return;
    // Procedures are only appended, so points, lines and circles made by the last one are the
    // last objects of their kinds, and dropping the counts removes exactly them. Numbers are
    // also made outside procedures (typed in the number dialog, generated by a macro), so a
    // measurement's number may have later numbers after it: those must stay where they are, so
    // the measurement's entry is emptied and hidden instead, and given back once it is last.
    // Outputs are removed from the last slot backwards so that a procedure's own outputs free
    // the end of their table.
    for (int j = kSlots; j >= 1; --j) {
        const ObjectRef out = f.ProcOutput[p][j];
        if (out.index == 0 || out.kind < kKindNumber || out.kind > kKindCircle) continue;
        if (out.index > f.ObjectCount[out.kind]) continue;
        if (out.index == f.ObjectCount[out.kind]) {
            RemoveLastObject(f, out.kind);
        } else {
            InitObject(f, out);
            if (out.kind == kKindNumber) f.Numbers[out.index].isVariable = kRemovedNumber;
        }
        FreePointsTiedTo(f, out);
        CloseAttributeDialogOf(app, host, out);
    }
    RemoveLastProcedure(f);
    DropRemovedNumbersAtTheEnd(f);
    FullRedraw(app, host, surface);
}

void mnuCundo_Click(App& app, Host& host, Surface& surface) {
    UndoUnlessBusy(app, host, surface);
}

void mnuMundo_Click(App& app, Host& host, Surface& surface) {
    UndoUnlessBusy(app, host, surface);
}

void mnuCrestore_Click(App& app, Host& host, Surface& surface) {
    RedoUnlessBusy(app, host, surface);
}

void mnuMrestore_Click(App& app, Host& host, Surface& surface) {
    RedoUnlessBusy(app, host, surface);
}

bool CanRedo(const App& app) {
    return RedoListCurrent(app) && FitsBack(app.figure, app.session.Redo.undone.back());
}

}  // namespace kv
