#include "model/figure.h"

#include <algorithm>

#include "model/catalogue.h"
#include "model/text.h"

namespace kv {

Figure::Figure() {
    ResetFigure(*this, kStartCapacity);
}

namespace {

template <class T>
void Fresh(std::vector<T>& v, size_t n) {
    v.assign(n, T{});
}

template <class T, class Init>
void InitAll(std::vector<T>& v, int capacity, Init init) {
    for (int i = 1; i <= capacity; ++i) init(v[i]);
}

}  // namespace

void ResetFigure(Figure& f, int capacity) {
    const int n = std::clamp(capacity, 1, kMaxCapacity);
    f.Capacity = n;
    const size_t procs = static_cast<size_t>(2 * n) + 1;
    Fresh(f.ProcCode, procs);
    Fresh(f.ProcOp, procs);
    Fresh(f.ProcInput, procs);
    Fresh(f.ProcOutput, procs);
    Fresh(f.ProcState, procs);
    Fresh(f.SwapFlag, procs);

    const size_t objs = static_cast<size_t>(n) + 1;
    Fresh(f.Numbers, objs);
    Fresh(f.Points, objs);
    Fresh(f.Lines, objs);
    Fresh(f.Circles, objs);
    Fresh(f.SavedNumbers, objs);
    Fresh(f.SavedPoints, objs);
    Fresh(f.SavedLines, objs);
    Fresh(f.SavedCircles, objs);
    f.ObjectCount.fill(0);
    f.CurrentOutputIndex.fill(0);
    f.RecomputePasses = 0;
    f.CurrentProcedure = 0;

    ClearLoci(f);
    f.Formulas.clear();
    ClearAllObjects(f);

    f.InputFormFilter.fill(-1);
    f.OutputForm.fill(-1);
}

bool EnsureCapacity(Figure& f, int objects, int procedures) {
    const int need = std::max(objects, (procedures + 1) / 2);
    if (need <= f.Capacity) return true;
    if (need > kMaxCapacity) return false;
    const int old = f.Capacity;
    const int n = std::min(kMaxCapacity, std::max(need, 2 * old));
    f.Capacity = n;

    const size_t procs = static_cast<size_t>(2 * n) + 1;
    f.ProcCode.resize(procs);
    f.ProcOp.resize(procs);
    f.ProcInput.resize(procs);
    f.ProcOutput.resize(procs);
    f.ProcState.resize(procs);
    f.SwapFlag.resize(procs);

    const size_t objs = static_cast<size_t>(n) + 1;
    f.Numbers.resize(objs);
    f.Points.resize(objs);
    f.Lines.resize(objs);
    f.Circles.resize(objs);
    f.SavedNumbers.resize(objs);
    f.SavedPoints.resize(objs);
    f.SavedLines.resize(objs);
    f.SavedCircles.resize(objs);
    // New entries look as a reset would have left them.
    for (int i = old + 1; i <= n; ++i) {
        InitNumberRecord(f.Numbers[i]);
        InitNumberRecord(f.SavedNumbers[i]);
        InitPointRecord(f.Points[i]);
        InitPointRecord(f.SavedPoints[i]);
        f.Points[i].name = DefaultPointName(i);
        f.SavedPoints[i].name = f.Points[i].name;
        InitLineRecord(f.Lines[i]);
        InitLineRecord(f.SavedLines[i]);
        InitCircleRecord(f.Circles[i]);
        InitCircleRecord(f.SavedCircles[i]);
    }
    return true;
}

int AppendObject(Figure& f, i16 kind) {
    if (kind < 0 || kind > 3) return 0;
    const int index = f.ObjectCount[kind] + 1;
    if (!EnsureCapacity(f, index, f.ProcedureCount)) return 0;
    f.ObjectCount[kind] = static_cast<i16>(index);
    return index;
}

int AppendProcedure(Figure& f, std::string_view code) {
    const int i = f.ProcedureCount + 1;
    if (!EnsureCapacity(f, 0, i)) return 0;
    f.ProcedureCount = i;
    SetProcedureCode(f, i, code);
    f.ProcInput[i] = SlotRow{};
    f.ProcOutput[i] = SlotRow{};
    f.ProcState[i] = 0;
    f.SwapFlag[i] = 0;
    return i;
}

void RemoveLastProcedure(Figure& f) {
    const int p = f.ProcedureCount;
    if (p < 1) return;
    f.ProcInput[p] = SlotRow{};
    f.ProcOutput[p] = SlotRow{};
    SetProcedureCode(f, p, "");
    f.ProcedureCount = p - 1;
}

void RemoveLastObject(Figure& f, i16 kind) {
    const int last = Count(f, kind);
    if (last < 1) return;
    InitObject(f, ObjectRef{kind, static_cast<i16>(last)});
    f.ObjectCount[static_cast<size_t>(kind)] = static_cast<i16>(last - 1);
}

void SetProcedureCode(Figure& f, int i, std::string_view code) {
    f.ProcCode[i] = FitText(code, kCodeWidth);
    f.ProcOp[i] = OperationOf(f.ProcCode[i]);
}

std::string DefaultPointName(int i) {
    if (i >= 1 && i <= 52) return std::string(1, static_cast<char>(64 + i));
    return std::to_string(i);
}

std::string DefaultName(i16 kind, int i) {
    switch (kind) {
        case kKindPoint:
            return DefaultPointName(i);
        case kKindLine:
        case kKindCircle:
            return std::to_string(i);
        default:
            return {};
    }
}

void ClearAllObjects(Figure& f) {
    f.ProcedureCount = 0;
    const int n = f.Capacity;
    InitAll(f.Numbers, n, InitNumberRecord);
    InitAll(f.Points, n, InitPointRecord);
    InitAll(f.Lines, n, InitLineRecord);
    InitAll(f.Circles, n, InitCircleRecord);
    InitAll(f.SavedNumbers, n, InitNumberRecord);
    InitAll(f.SavedPoints, n, InitPointRecord);
    InitAll(f.SavedLines, n, InitLineRecord);
    InitAll(f.SavedCircles, n, InitCircleRecord);
    for (int i = 1; i <= n; ++i) f.Points[i].name = DefaultPointName(i);
}

namespace {
bool InTable(const Figure& f, ObjectRef ref) {
    return ref.kind >= 0 && ref.kind <= 3 && ref.index >= 0 && ref.index <= f.Capacity;
}
}  // namespace

// The entry is emptied completely, not only in the fields its Init sets: undo removes objects
// this way, and the next object appended at the index must not inherit the removed one's
// independence, tie, mark or locus colour (a constructed point at the index of an undone free
// point would otherwise be offered for dragging, and a new line would leave a locus trace).
void InitObject(Figure& f, ObjectRef ref) {
    if (!InTable(f, ref)) return;
    const int i = ref.index;
    switch (ref.kind) {
        case kKindNumber:
            f.Numbers[i] = NumberRecord{};
            InitNumberRecord(f.Numbers[i]);
            break;
        case kKindPoint:
            f.Points[i] = PointRecord{};
            InitPointRecord(f.Points[i]);
            f.Points[i].name = DefaultPointName(i);
            break;
        case kKindLine:
            f.Lines[i] = LineRecord{};
            InitLineRecord(f.Lines[i]);
            f.Lines[i].name = std::to_string(i);
            break;
        case kKindCircle:
            f.Circles[i] = CircleRecord{};
            InitCircleRecord(f.Circles[i]);
            f.Circles[i].name = std::to_string(i);
            break;
    }
}

int NameWidth(i16 kind) {
    return kind == kKindNumber ? kNumberNameWidth : kNameWidth;
}

void SetName(Figure& f, ObjectRef ref, std::string_view text) {
    if (!InTable(f, ref)) return;
    std::string name = FitText(text, NameWidth(ref.kind));
    switch (ref.kind) {
        case kKindNumber:
            f.Numbers[ref.index].name = std::move(name);
            break;
        case kKindPoint:
            f.Points[ref.index].name = std::move(name);
            break;
        case kKindLine:
            f.Lines[ref.index].name = std::move(name);
            break;
        case kKindCircle:
            f.Circles[ref.index].name = std::move(name);
            break;
    }
}

std::string NameOf(const Figure& f, ObjectRef ref) {
    if (!InTable(f, ref)) return {};
    switch (ref.kind) {
        case kKindNumber:
            return f.Numbers[ref.index].name;
        case kKindPoint:
            return f.Points[ref.index].name;
        case kKindLine:
            return f.Lines[ref.index].name;
        default:
            return f.Circles[ref.index].name;
    }
}

void TakeSnapshot(Figure& f) {
    std::copy_n(f.Numbers.begin() + 1, f.ObjectCount[0], f.SavedNumbers.begin() + 1);
    std::copy_n(f.Points.begin() + 1, f.ObjectCount[1], f.SavedPoints.begin() + 1);
    std::copy_n(f.Lines.begin() + 1, f.ObjectCount[2], f.SavedLines.begin() + 1);
    std::copy_n(f.Circles.begin() + 1, f.ObjectCount[3], f.SavedCircles.begin() + 1);
}

void ClearLoci(Figure& f) {
    const size_t n = kLocusStoreStart + 1;
    Fresh(f.LocusPoints, n);
    Fresh(f.LocusLines, n);
    Fresh(f.LocusCircles, n);
    f.LocusCount.fill(0);
}

}  // namespace kv
