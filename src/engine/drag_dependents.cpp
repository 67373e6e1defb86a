#include "engine/drag_dependents.h"

#include <algorithm>
#include <string_view>

#include "engine/calculator.h"
#include "engine/recompute.h"

namespace kv {

namespace {

bool IsObjectKind(i16 kind) {
    return kind >= kKindNumber && kind <= kKindCircle;
}

// The numbers a formula names, one per operand; operands that name nothing are left out.
std::vector<int> FormulaOperands(const Figure& f, std::string_view formula) {
    std::vector<int> out;
    const int count = Count(f, kKindNumber);
    size_t start = 0;
    while (start <= formula.size()) {
        size_t end = start;
        while (end < formula.size() &&
               kFormulaOperators.find(formula[end]) == std::string_view::npos)
            ++end;
        const auto index = OperandIndex(formula.substr(start, end - start));
        if (index && *index >= 1 && *index <= count) out.push_back(*index);
        start = end + 1;
    }
    return out;
}

// Who reads each object: the procedures that take it as an input (a CALC procedure also
// reads the numbers its formula names) and the movable points tied to it.
struct Readers {
    std::array<std::vector<std::vector<int>>, 4> procedures;
    std::array<std::vector<std::vector<int>>, 4> tied;

    explicit Readers(const Figure& f) {
        for (size_t k = 0; k < 4; ++k) {
            procedures[k].resize(f.Capacity + 1);
            tied[k].resize(f.Capacity + 1);
        }
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            for (int j = 1; j <= kSlots; ++j) {
                const ObjectRef r = f.ProcInput[i][j];
                if (r.kind % 100 == 0 && r.index == 0) break;  // the inputs end here
                Add(procedures, r, i);
            }
            if (f.ProcCode[i] != "CALC") continue;
            const int out = f.ProcOutput[i][1].index;
            if (f.ProcOutput[i][1].kind != kKindNumber || out < 1 || out > f.Capacity) continue;
            for (int n : FormulaOperands(f, f.Numbers[out].formula))
                Add(procedures, {kKindNumber, static_cast<i16>(n)}, i);
        }
        const int points = Count(f, kKindPoint);
        for (int p = 1; p <= points; ++p) {
            const PointRecord& pt = f.Points[p];
            if (pt.movable == 0 || pt.bindKind < kKindPoint || pt.bindKind > kKindCircle) continue;
            Add(tied, {pt.bindKind, pt.bindIndex}, p);
        }
    }

    void Add(std::array<std::vector<std::vector<int>>, 4>& table, ObjectRef r, int who) {
        if (!IsObjectKind(r.kind) || r.index < 1 || r.index > static_cast<int>(table[0].size()) - 1)
            return;
        auto& list = table[static_cast<size_t>(r.kind)][r.index];
        if (list.empty() || list.back() != who) list.push_back(who);
    }
};

// Walks from the dragged point to everything that reads it, directly or further on.
void CollectDependents(const Figure& f, DragDependents& d) {
    const Readers readers(f);
    std::vector<char> procLive(f.ProcedureCount + 1, 0);
    std::vector<ObjectRef> work;
    const auto reach = [&](ObjectRef r) {
        if (!IsObjectKind(r.kind) || r.index < 1 || r.index > f.Capacity) return;
        char& seen = d.live[static_cast<size_t>(r.kind)][r.index];
        if (seen != 0) return;
        seen = 1;
        work.push_back(r);
    };
    const auto run = [&](int i) {
        if (procLive[i] != 0) return;
        procLive[i] = 1;
        for (int j = 1; j <= kSlots; ++j) reach(f.ProcOutput[i][j]);
    };
    const ObjectRef dragged{kKindPoint, static_cast<i16>(d.point)};
    reach(dragged);
    // The procedure that makes the dragged point runs at every step as in a full recompute.
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        for (int j = 1; j <= kSlots; ++j)
            if (f.ProcOutput[i][j] == dragged) run(i);
    }
    while (!work.empty()) {
        const ObjectRef r = work.back();
        work.pop_back();
        const auto k = static_cast<size_t>(r.kind);
        for (int i : readers.procedures[k][r.index]) run(i);
        for (int p : readers.tied[k][r.index]) reach({kKindPoint, static_cast<i16>(p)});
    }
    for (int i = 1; i <= f.ProcedureCount; ++i)
        if (procLive[i] != 0) d.procedures.push_back(i);
    const int points = Count(f, kKindPoint);
    for (int p = 1; p <= points; ++p)
        if (d.live[kKindPoint][p] != 0 && f.Points[p].movable != 0) d.movable.push_back(p);
}

// Which objects of a table are defined.
template <class T>
std::vector<char> Defined(const std::vector<T>& table, int count) {
    std::vector<char> out(count + 1, 0);
    for (int i = 1; i <= count; ++i) out[i] = table[i].exists != 0 ? 1 : 0;
    return out;
}

// The analysis marks every procedure's outputs afresh, also those of procedures that failed
// before; what the drag cannot change keeps the definedness it had.
template <class T>
void MarkUnchanged(std::vector<T>& table, const std::vector<char>& defined,
                   const std::vector<char>& live) {
    for (size_t i = 1; i < defined.size(); ++i)
        if (live[i] == 0) table[i].exists = defined[i] != 0 ? kUnchanged : kUndefined;
}

}  // namespace

DragDependents AnalyseDragDependents(Figure& f, int point, const Notifier& note) {
    DragDependents d;
    if (point < 1 || point > Count(f, kKindPoint)) return d;
    d.point = point;
    const auto count = [&](i16 kind) { return Count(f, kind); };
    const std::array<std::vector<char>, 4> defined = {
        Defined(f.Numbers, count(kKindNumber)), Defined(f.Points, count(kKindPoint)),
        Defined(f.Lines, count(kKindLine)), Defined(f.Circles, count(kKindCircle))};
    const ObjectRef moved[] = {{kKindPoint, static_cast<i16>(point)}};
    AnalyseDependencies(f, moved, note);
    for (auto& v : d.live) v.assign(f.Capacity + 1, 0);
    CollectDependents(f, d);

    std::vector<char> procLive(f.ProcedureCount + 1, 0);
    for (int i : d.procedures) procLive[i] = 1;
    for (int i = 1; i <= f.ProcedureCount; ++i)
        if (procLive[i] == 0) f.ProcState[i] = kUnchanged;
    MarkUnchanged(f.Numbers, defined[kKindNumber], d.live[kKindNumber]);
    MarkUnchanged(f.Points, defined[kKindPoint], d.live[kKindPoint]);
    MarkUnchanged(f.Lines, defined[kKindLine], d.live[kKindLine]);
    MarkUnchanged(f.Circles, defined[kKindCircle], d.live[kKindCircle]);
    return d;
}

void RecomputeDependents(Figure& f, const DragDependents& d, const Notifier& note) {
    for (int pass = 0; pass < f.RecomputePasses; ++pass) {
        for (int i : d.procedures)
            if (i <= f.ProcedureCount) RecomputeProcedure(f, i, note);
        for (int p : d.movable)
            if (p <= f.ObjectCount[kKindPoint]) SettleMovablePoint(f, p, note);
    }
}

void TakeDependentsSnapshot(Figure& f, const DragDependents& d) {
    const auto copy = [&](auto& from, auto& to, i16 kind) {
        const auto& live = d.live[static_cast<size_t>(kind)];
        const int n =
            std::min({static_cast<int>(f.ObjectCount[kind]), static_cast<int>(live.size()) - 1,
                      static_cast<int>(to.size()) - 1});
        for (int i = 1; i <= n; ++i)
            if (live[i] != 0) to[i] = from[i];
    };
    copy(f.Numbers, f.SavedNumbers, kKindNumber);
    copy(f.Points, f.SavedPoints, kKindPoint);
    copy(f.Lines, f.SavedLines, kKindLine);
    copy(f.Circles, f.SavedCircles, kKindCircle);
}

}  // namespace kv
