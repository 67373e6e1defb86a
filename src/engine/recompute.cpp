#include "engine/recompute.h"

#include <algorithm>

#include "engine/evaluators.h"

namespace kv {

void RecomputeProcedure(Figure& f, int i, const Notifier& note) {
    const std::string& code = f.ProcCode[i];
    if (code == "CALC") EvaluateFormula(f, i);
    f.CurrentProcedure = i;
    for (int j = 1; j <= kSlots; ++j) f.CurrentOutputIndex[j] = f.ProcOutput[i][j].index;
    if (code.empty()) return;
    switch (code.front()) {
        case 'N':
            EvaluateNumberProcedure(f, i, note);
            break;
        case 'P':
            EvaluatePointProcedure(f, i, note);
            break;
        case 'L':
            EvaluateLineProcedure(f, i, note);
            break;
        // CALC passes through here as well; the circle evaluator does not know it.
        case 'C':
            EvaluateCircleProcedure(f, i, note);
            break;
        default:
            break;
    }
}

i16 ProcedureLevel(const Figure& f, int i) {
    i16 m = 2;
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef r = f.ProcInput[i][j];
        if (r.kind % 100 == 0 && r.index == 0) {
            if (j == 1) m = -1;
            break;
        }
        const i16 e = ExistsValue(f, r);
        if (e == 0) return 0;
        m = std::min(m, e);
    }
    return m;
}

namespace {

// The `exists` of what a tied point hangs on, placing the point first; false for a binding
// kind that names nothing (the point is then left alone).
bool PlaceAndReadTie(Figure& f, int p, i16& v, const Notifier& note) {
    PointRecord& pt = f.Points[p];
    switch (pt.bindKind) {
        case 0:
            v = pt.exists;
            return true;
        case 1:
            PlaceBoundPoint(f, p, note);
            v = ExistsValue(f, ObjectRef{pt.bindKind, pt.bindIndex});
            return true;
        case 2:
        case 3:
            PlaceBoundPoint(f, p, note);
            // A placement that failed on a defined line or circle (a circle of radius 0)
            // leaves the point undefined; reading only the tie's flag would revive it.
            v = pt.exists == 0 ? i16{0} : ExistsValue(f, ObjectRef{pt.bindKind, pt.bindIndex});
            return true;
        default:
            return false;
    }
}

int CountMoved(std::span<const ObjectRef> moved) {
    int n = 0;
    while (n < static_cast<int>(moved.size()) && !moved[n].IsEmpty()) ++n;
    return n;
}

void MarkMovedPoints(Figure& f, std::span<const ObjectRef> moved, int n) {
    for (int k = 0; k < n; ++k)
        if (moved[k].kind == kKindPoint) SetExists(f, moved[k], kTrue);
}

// What evaluating procedure i costs, in visits of the analysis (one look at a procedure's
// inputs): a formula is read character by character on every evaluation, the other codes do a
// few dozen operations.
long EvaluationWork(const Figure& f, int i) {
    constexpr long kEvaluation = 8;
    constexpr long kFormulaCharacter = 4;
    if (f.ProcCode[i] != "CALC") return kEvaluation;
    const ObjectRef out = f.ProcOutput[i][1];
    if (out.kind != kKindNumber || out.index < 1 || out.index > f.Capacity) return kEvaluation;
    return kEvaluation + kFormulaCharacter * static_cast<long>(f.Numbers[out.index].formula.size());
}

// Every round settles at least one more link of a chain of forward references, so a sound
// list settles within ProcedureCount + 1 rounds, and the bound keeps a cyclic list read from a
// damaged file from looping for ever. Each round walks the whole list and adds a pass of the
// analysis and a pass of the recompute after it, so a long chain of forward references (only a
// hand-made file has one) would cost the square of the list's length on every redraw; the
// rounds are therefore also held to a budget of the work they bring: the visits of the
// analysis and the evaluations of the recompute, each at its own cost. Two rounds, one pass,
// are always made, which is all a list without forward references needs. A figure built in the
// window references forward only through tied points, a few levels deep, far below the bound.
int MaxAnalysisRounds(const Figure& f) {
    constexpr long kWorkBudget = 4'000'000;  // in visits, over all rounds and passes
    constexpr long kMinRounds = 2;
    long perRound = 1 + 2L * (f.ProcedureCount + f.ObjectCount[kKindPoint]);
    for (int i = 1; i <= f.ProcedureCount; ++i) perRound += EvaluationWork(f, i);
    const long byBudget = std::max(kMinRounds, kWorkBudget / perRound);
    return static_cast<int>(std::min<long>(f.ProcedureCount + 2L, byBudget));
}

i16 MarkerFor(i16 level, int i) {
    return level == 0 ? 0 : level == 2 ? 2 : static_cast<i16>(-i);
}

}  // namespace

void AnalyseDependencies(Figure& f, std::span<const ObjectRef> moved, const Notifier& note) {
    const int n = CountMoved(moved);
    std::fill(f.ProcState.begin(), f.ProcState.end(), 0);
    MarkMovedPoints(f, moved, n);

    int level = -1;
    int extra = 0;
    const int maxRounds = MaxAnalysisRounds(f);
    bool changed = true;
    while (changed && level + 1 < maxRounds) {
        ++level;
        changed = false;
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            const i16 lv = ProcedureLevel(f, i);
            if (lv != f.ProcState[i]) changed = true;
            f.ProcState[i] = lv;
            SetOutputsExist(f, i, MarkerFor(lv, i));
        }
        for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
            PointRecord& pt = f.Points[p];
            if (pt.movable == 0) continue;
            if (pt.bindKind != 0) extra = 1;
            i16 v = 0;
            if (PlaceAndReadTie(f, p, v, note)) f.Points[p].exists = v;
        }
    }
    f.RecomputePasses = static_cast<i16>(std::min(level + extra, 32767));

    MarkMovedPoints(f, moved, n);

    for (int pass = 0; pass < f.RecomputePasses; ++pass) {
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            const i16 lv = ProcedureLevel(f, i);
            f.ProcState[i] = lv;
            i16 marker = MarkerFor(lv, i);
            if (lv == 2 && f.ProcCode[i].starts_with("PBND")) marker = kTrue;
            SetOutputsExist(f, i, marker);
        }
        for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
            if (f.Points[p].movable == 0) continue;
            i16 v = 0;
            if (PlaceAndReadTie(f, p, v, note) && v < f.Points[p].exists) f.Points[p].exists = v;
        }
    }
}

void RecomputeAll(Figure& f, const Notifier& shownTo) {
    std::vector<std::string> shown;
    const Notifier note = OncePerText(shownTo, shown);
    for (int pass = 0; pass < f.RecomputePasses; ++pass) {
        for (int i = 1; i <= f.ProcedureCount; ++i)
            if (f.ProcState[i] != 2) RecomputeProcedure(f, i, note);
        for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
            if (f.Points[p].movable == 0) continue;
            i16 v = 0;
            if (PlaceAndReadTie(f, p, v, note) && f.Points[p].exists > v) f.Points[p].exists = v;
        }
    }
}

void RecomputeFigure(Figure& f, const Notifier& shownTo) {
    std::vector<std::string> shown;
    const Notifier note = OncePerText(shownTo, shown);
    for (int i = 1; i <= f.Capacity; ++i) {
        if (f.Numbers[i].exists != 0) f.Numbers[i].exists = kTrue;
        if (f.Points[i].exists != 0) f.Points[i].exists = kTrue;
    }
    AnalyseDependencies(f, {}, note);
    RecomputeAll(f, note);
    TakeSnapshot(f);
}

}  // namespace kv
