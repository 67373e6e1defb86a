#include "engine/recompute.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/constants.h"
#include "engine/evaluators.h"
#include "engine/makers.h"
#include "model/compiled_formula.h"

namespace kv {

namespace {

// Whether an input slot ends the inputs a procedure reads: its index is 0 and its kind a
// multiple of 100, as an empty slot (0, 0) is. The kind is moved up by a multiple of 100 to be
// non-negative, whose test the compiler makes a multiplication and a comparison.
bool EndsInputs(ObjectRef r) {
    return r.index == 0 && static_cast<std::uint32_t>(r.kind + 32800) % 100 == 0;
}

// The number of output slots to look at: 1 when slots 2.. are all empty, as they are for most
// procedures (one 16-byte test), else all of them.
int OutputSlotsToWalk(const SlotRow& row) {
    static_assert(sizeof(ObjectRef) == 4 && kSlots == 5);
    std::uint64_t rest[2];
    std::memcpy(rest, &row[2], sizeof rest);
    return (rest[0] | rest[1]) == 0 ? 1 : kSlots;
}

void MarkCurrent(Figure& f, int i) {
    f.CurrentProcedure = i;
    for (int j = 1; j <= kSlots; ++j) f.CurrentOutputIndex[j] = f.ProcOutput[i][j].index;
}

// A walk of the list that evaluates procedures leaves the last one it evaluated current at
// its end, as evaluating each in turn with RecomputeProcedure would: nothing reads the current
// procedure while the walk runs.
class LastEvaluated {
  public:
    explicit LastEvaluated(Figure& f) : f_(f) {}
    LastEvaluated(const LastEvaluated&) = delete;
    LastEvaluated& operator=(const LastEvaluated&) = delete;
    ~LastEvaluated() {
        if (last_ != 0) MarkCurrent(f_, last_);
    }

    // Evaluates procedure i as EvaluateProcedure does; the construction codes, most of a list,
    // go straight to their rule.
    void Evaluate(int i, const Notifier& note) {
        const Evaluation& e = EvaluationOf(f_.ProcOp[i]);
        if (e.kind == Evaluation::kSlots)
            EvaluateBySlots(f_, i, e.slots, e.rule, e.required, note);
        else
            EvaluateProcedure(f_, i, note);
        last_ = i;
    }

  private:
    Figure& f_;
    int last_ = 0;
};

}  // namespace

void RecomputeProcedure(Figure& f, int i, const Notifier& note) {
    MarkCurrent(f, i);
    EvaluateProcedure(f, i, note);
}

i16 ProcedureLevel(const Figure& f, int i) {
    i16 m = kUnchanged;
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef r = f.ProcInput[i][j];
        if (EndsInputs(r)) {
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

// The analysis places tied points only to learn whether they are defined. The line or circle a
// point hangs on may not have been evaluated yet (a record read from a file, or one produced
// later in the list), and a clamp against such a record must not overwrite the point's
// parameter: the recompute places the point again once its line or circle holds its value.
// For the same reason a clamp here does not beep; the recompute's own placement does.
bool PlaceForAnalysis(Figure& f, int p, i16& v) {
    const double param = f.Points[p].param;
    const bool placed = PlaceAndReadTie(f, p, v, Notifier{});
    f.Points[p].param = param;
    return placed;
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
// inputs): a formula's steps grow with its text, the other codes do a few dozen operations.
long EvaluationWork(const Figure& f, int i) {
    constexpr long kEvaluation = 8;
    constexpr long kFormulaCharacter = 4;
    if (EvaluationOf(f.ProcOp[i]).kind != Evaluation::kFormula) return kEvaluation;
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

// The analysis stopped at its round bound before the levels settled: the passes it allows do
// not carry every value along a chain of forward references, so a procedure that reads an
// output produced at or after its own place in the list (directly, through a point tied to
// one, or through another such procedure) would keep a value of an earlier pass. Its outputs
// become undefined and it is not evaluated, so nothing is shown at a wrong position; whatever
// is built on them follows as undefined.
void UndefineUnsettled(Figure& f) {
    const Makers makers(f);
    const auto slot = [&f](ObjectRef r) {
        return r.kind >= kKindNumber && r.kind <= kKindCircle && r.index >= 1 &&
               r.index <= f.Capacity;
    };
    std::vector<bool> unsettled(static_cast<size_t>(f.ProcedureCount) + 1, false);
    const auto late = [&](ObjectRef r, int i) {
        if (!slot(r)) return false;
        const int k = makers.Of(r);
        return k != 0 && (k >= i || unsettled[k]);
    };
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        for (int j = 1; j <= kSlots && !unsettled[i]; ++j) {
            const ObjectRef r = f.ProcInput[i][j];
            if (r.kind % 100 == 0 && r.index == 0) break;
            bool stale = late(r, i);
            if (!stale && r.kind == kKindPoint && slot(r)) {
                const PointRecord& pt = f.Points[r.index];
                if (pt.movable != 0) stale = late({pt.bindKind, pt.bindIndex}, i);
            }
            unsettled[i] = stale;
        }
        if (!unsettled[i]) continue;
        f.ProcState[i] = kUnchanged;  // not evaluated: the outputs stay undefined
        SetOutputsExist(f, i, 0);
    }
}

// Whether procedure i places a point on a figure (PBND). A code the catalogue does not know
// has no operation number and is asked by its text.
bool PlacedOnFigure(const Figure& f, int i) {
    const int op = f.ProcOp[i];
    return op != 0 ? EvaluationOf(op).placedOnFigure : f.ProcCode[i].starts_with("PBND");
}

i16 MarkerFor(i16 level, int i) {
    return level == kUndefined ? kUndefined : level == kUnchanged ? kUnchanged : ChangedBy(i);
}

// The inputs the analysis reads: the slots up to the first empty one.
template <class Visit>
void ForEachInput(const Figure& f, int i, Visit visit) {
    for (int j = 1; j <= kSlots; ++j) {
        const ObjectRef r = f.ProcInput[i][j];
        if (EndsInputs(r)) break;
        visit(r);
    }
}

// The `exists` of a reference known to name an entry of the tables.
template <class F>
auto& ExistsOfEntry(F& f, ObjectRef r) {
    switch (r.kind) {
        case kKindNumber:
            return f.Numbers[r.index].exists;
        case kKindPoint:
            return f.Points[r.index].exists;
        case kKindLine:
            return f.Lines[r.index].exists;
        default:
            return f.Circles[r.index].exists;
    }
}

// One byte per entry of the four tables (0..Capacity of every kind), for the walks that learn
// in list order what the procedures read and make.
class ObjectBits {
  public:
    enum Bit : std::uint8_t {
        kRead = 1,      // an input of a procedure walked so far
        kMade = 2,      // an output of a procedure walked so far
        kChanging = 4,  // may still change after the first pass
    };

    explicit ObjectBits(const Figure& f)
        : row_(static_cast<size_t>(f.Capacity) + 1), bits_(4 * row_, Byte{0}) {}

    // Gives the entry r names the bit and returns the bits it had before; a reference that names
    // no entry has none.
    std::uint8_t Add(ObjectRef r, Bit bit) {
        const size_t at = At(r);
        if (at == kNone) return 0;
        const auto had = static_cast<std::uint8_t>(bits_[at]);
        bits_[at] = static_cast<Byte>(had | bit);
        return had;
    }
    bool Has(ObjectRef r, Bit bit) const {
        const size_t at = At(r);
        return at != kNone && (static_cast<std::uint8_t>(bits_[at]) & bit) != 0;
    }

    // One step of the single walk of the analysis over procedure i: notes its inputs as read
    // and works out its level as ProcedureLevel does, then notes its outputs as made. False when
    // one of the outputs was read before (the list refers forward: a procedure reads an object
    // whose last maker stands at or after it), and then nothing is marked; otherwise the
    // procedure and its outputs are marked as MarkAtLevel marks them, and `lv` is the level.
    bool Walk(Figure& f, int i, i16& lv) {
        const SlotRow& in = f.ProcInput[i];
        i16 m = kUnchanged;
        bool undefined = false;
        if (EndsInputs(in[1])) {
            m = -1;
        } else {
            for (int j = 1; j <= kSlots; ++j) {
                const ObjectRef r = in[j];
                if (j > 1 && EndsInputs(r)) break;
                const size_t at = At(r);
                if (at == kNone) {
                    undefined = true;
                    continue;
                }
                Set(at, kRead);
                const i16 e = ExistsOfEntry(f, r);
                undefined = undefined || e == 0;
                m = std::min(m, e);
            }
        }
        lv = undefined ? i16{0} : m;

        const SlotRow& out = f.ProcOutput[i];
        std::array<std::uint8_t, kSlots> marked{};
        int toMark = 0;
        bool read = false;
        ForEachOutput(out, [&](size_t at, int j, bool leading) {
            read = read || (Get(at) & kRead) != 0;
            Set(at, kMade);
            if (leading) marked[static_cast<size_t>(toMark++)] = static_cast<std::uint8_t>(j);
        });
        if (read) return false;
        f.ProcState[i] = lv;
        i16 marker = MarkerFor(lv, i);
        if (lv == kUnchanged && PlacedOnFigure(f, i)) marker = kTrue;
        for (int k = 0; k < toMark; ++k)
            ExistsOfEntry(f, out[marked[static_cast<size_t>(k)]]) = marker;
        return true;
    }

    // Whether an output of procedure i (any non-empty slot) has been read; when `changing`, its
    // outputs up to the first empty slot are noted as changing.
    bool OutputsRead(const Figure& f, int i, bool changing) {
        bool read = false;
        ForEachOutput(f.ProcOutput[i], [&](size_t at, int, bool leading) {
            read = read || (Get(at) & kRead) != 0;
            if (changing && leading) Set(at, kChanging);
        });
        return read;
    }

  private:
    // Not a character type: a store to it does not make the compiler read the figure's tables
    // again, as a store through unsigned char would.
    enum class Byte : std::uint8_t {};
    static constexpr size_t kNone = static_cast<size_t>(-1);

    // The place of the entry r names, or kNone: the four kinds of an index side by side. (A
    // negative kind or index reads as a large unsigned one.)
    size_t At(ObjectRef r) const {
        const auto kind = static_cast<std::uint16_t>(r.kind);
        const auto index = static_cast<std::uint16_t>(r.index);
        return kind > 3 || index >= row_ ? kNone : size_t{index} << 2 | kind;
    }
    std::uint8_t Get(size_t at) const { return static_cast<std::uint8_t>(bits_[at]); }

    // Visits the outputs of a row that name entries: their place, slot, and whether they come
    // before the first empty slot. Every output slot counts as made, also one after an empty
    // slot, as Makers counts them; markings stop at the first empty slot, as SetOutputsExist
    // does.
    template <class Visit>
    void ForEachOutput(const SlotRow& out, Visit visit) const {
        bool ended = false;
        const int slots = OutputSlotsToWalk(out);
        for (int j = 1; j <= slots; ++j) {
            const ObjectRef r = out[j];
            if (r.IsEmpty()) {
                ended = true;
                continue;
            }
            const size_t at = At(r);
            if (at != kNone) visit(at, j, !ended);
        }
    }
    void Set(size_t at, Bit bit) { bits_[at] = static_cast<Byte>(Get(at) | bit); }

    size_t row_;
    std::vector<Byte> bits_;
};

// Procedure i at level lv, as the last pass of the analysis marks it.
void MarkAtLevel(Figure& f, int i, i16 lv) {
    f.ProcState[i] = lv;
    i16 marker = MarkerFor(lv, i);
    if (lv == kUnchanged && PlacedOnFigure(f, i)) marker = kTrue;
    SetOutputsExist(f, i, marker);
}

// One walk of the analysis as its last pass does it.
i16 MarkProcedure(Figure& f, int i) {
    const i16 lv = ProcedureLevel(f, i);
    MarkAtLevel(f, i, lv);
    return lv;
}

// The numbers a CALC procedure's formula names, as compiled by its last evaluation.
const std::vector<int>* FormulaOperands(const Figure& f, int i) {
    if (EvaluationOf(f.ProcOp[i]).kind != Evaluation::kFormula) return nullptr;
    const int out = f.ProcOutput[i][1].index;
    if (out < 1 || static_cast<size_t>(out) >= f.Formulas.size()) return nullptr;
    const CompiledFormula& c = f.Formulas[out];
    return c.source == f.Numbers[out].formula ? &c.operands : nullptr;
}

// The procedures a pass after the first must evaluate again, in list order: those that read a
// tied point (placed only at the end of a pass), an object made later in the list or by
// themselves, or an output of such a procedure; a formula reads the numbers it names. Every
// other procedure read only values that were final when the first pass evaluated it.
std::vector<int> StillChanging(const Figure& f) {
    const Makers makers(f);
    const size_t row = static_cast<size_t>(f.Capacity) + 1;
    std::vector<char> changing(4 * row, 0);
    const auto slot = [&](ObjectRef r) -> char* {
        if (r.kind < 0 || r.kind > 3 || r.index < 0 || static_cast<size_t>(r.index) >= row)
            return nullptr;
        return &changing[static_cast<size_t>(r.kind) * row + static_cast<size_t>(r.index)];
    };
    for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p)
        if (f.Points[p].movable != 0 && f.Points[p].bindKind != 0)
            if (char* c = slot({kKindPoint, static_cast<i16>(p)})) *c = 1;

    std::vector<int> out;
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        if (f.ProcState[i] == kUnchanged) continue;
        bool again = false;
        const auto read = [&](ObjectRef r) {
            const char* c = slot(r);
            again = again || (c && *c) || makers.Of(r) >= i;
        };
        ForEachInput(f, i, read);
        if (const auto* operands = FormulaOperands(f, i)) {
            for (int n : *operands) read({kKindNumber, static_cast<i16>(n)});
        } else if (EvaluationOf(f.ProcOp[i]).kind == Evaluation::kFormula) {
            again = true;  // not compiled yet: evaluated again to be safe
        }
        if (!again) continue;
        out.push_back(i);
        for (int j = 1; j <= kSlots; ++j) {
            const ObjectRef r = f.ProcOutput[i][j];
            if (r.IsEmpty()) break;
            if (char* c = slot(r)) *c = 1;
        }
    }
    return out;
}

void SettleMovablePoints(Figure& f, const Notifier& note) {
    for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) SettleMovablePoint(f, p, note);
}

// The first of several passes works out, as it walks the list, what StillChanging tells: it
// reads each procedure's inputs and formula operands right after evaluating it, when its formula
// is compiled as it stays for the rest of the pass. It need not look up who makes what is read:
// unless the list refers forward, which the walk notices, an input is final once the procedures
// before its reader have run, and only what a tied point or a procedure evaluated again changes
// stays open. A list that refers forward is left to StillChanging. The walk also lists the
// movable points, which every pass places.
class FirstPass {
  public:
    explicit FirstPass(const Figure& f) : bits_(f) {
        for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
            const PointRecord& pt = f.Points[p];
            if (pt.movable == 0) continue;
            movable.push_back(p);
            if (pt.bindKind != 0)
                bits_.Add({kKindPoint, static_cast<i16>(p)}, ObjectBits::kChanging);
        }
    }

    // Procedure i has been walked past, and evaluated when `evaluated`.
    void Walked(const Figure& f, int i, bool evaluated) {
        const bool again = evaluated && ReadsChanging(f, i);
        if (again) again_.push_back(i);
        forward_ = bits_.OutputsRead(f, i, again) || forward_;
    }

    // The procedures the later passes evaluate, once the walk is through.
    std::vector<int> Again(const Figure& f) {
        return forward_ ? StillChanging(f) : std::move(again_);
    }

    std::vector<int> movable;

  private:
    // Notes the inputs and formula operands of procedure i as read; true when one of them may
    // still change (or a formula is not compiled yet).
    bool ReadsChanging(const Figure& f, int i) {
        bool again = false;
        const auto read = [&](ObjectRef r) {
            again = (bits_.Add(r, ObjectBits::kRead) & ObjectBits::kChanging) != 0 || again;
        };
        ForEachInput(f, i, read);
        if (EvaluationOf(f.ProcOp[i]).kind == Evaluation::kFormula) {
            if (const auto* operands = FormulaOperands(f, i)) {
                for (int n : *operands) read({kKindNumber, static_cast<i16>(n)});
            } else {
                again = true;
            }
        }
        return again;
    }

    ObjectBits bits_;
    std::vector<int> again_;
    bool forward_ = false;
};

// Whether placing movable point p again could change it, when what it hangs on has not changed
// since its last placement. A point on a line stays: that placement clamped its parameter into
// the line's range. A point on a circle stays unless its parameter still lies outside one turn
// (a placement wraps it by one turn only). A point tied to a point follows that point, which may
// have moved since.
bool MayMoveAgain(const Figure& f, int p) {
    const PointRecord& pt = f.Points[p];
    switch (pt.bindKind) {
        case kKindPoint:
            return true;
        case kKindCircle: {
            if (pt.bindIndex < 1 || pt.bindIndex > f.Capacity) return false;
            const CircleRecord& c = f.Circles[pt.bindIndex];
            if (!c.exists) return false;
            const double turn = kTwoPi * c.r;  // as PlaceBoundPoint works it out
            return pt.param > turn || pt.param < 0;
        }
        default:
            return false;
    }
}

}  // namespace

void AnalyseDependencies(Figure& f, std::span<const ObjectRef> moved, const Notifier& note) {
    const int n = CountMoved(moved);
    std::fill(f.ProcState.begin(), f.ProcState.end(), 0);
    MarkMovedPoints(f, moved, n);
    // A figure built in the window is settled by one walk: every input is made earlier in the
    // list (or by no procedure), and every tied point is made by a procedure, which marks it
    // afresh before anything reads it. The rounds and passes would then only repeat the first
    // walk and its placement of the tied points. The walk notices a forward reference at the
    // procedure that makes what was read and hands over to the full rounds there: so far it has
    // marked only outputs that nothing read before their maker, and the first round marks each
    // of them again before anything reads it, so the full rounds find what they would have found
    // without the walk. A tied point without a maker is handed over the same way at the end.
    ObjectBits seen(f);
    bool any = false;
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        i16 lv = 0;
        if (!seen.Walk(f, i, lv)) {
            AnalyseDependenciesInFull(f, moved, note);
            return;
        }
        any = any || lv != 0;
    }
    bool tied = false;
    std::vector<int> movable;
    for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
        if (f.Points[p].movable == 0) continue;
        movable.push_back(p);
        if (f.Points[p].bindKind == 0) continue;
        if (!seen.Has({kKindPoint, static_cast<i16>(p)}, ObjectBits::kMade)) {
            AnalyseDependenciesInFull(f, moved, note);
            return;
        }
        tied = true;
    }
    // The first round's walk is final: a second round would find nothing changed, and the
    // passes that follow would repeat it. Without any defined procedure there is no pass; a
    // tied point adds one, in which it is placed on what it hangs on.
    for (int p : movable) {
        i16 v = 0;
        if (PlaceForAnalysis(f, p, v) && v < f.Points[p].exists) f.Points[p].exists = v;
    }
    f.RecomputePasses = static_cast<i16>((any ? 1 : 0) + (tied ? 1 : 0));
    if (f.RecomputePasses == 0) MarkMovedPoints(f, moved, n);
}

void AnalyseDependenciesInFull(Figure& f, std::span<const ObjectRef> moved,
                               const Notifier& /*note*/) {
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
            if (PlaceForAnalysis(f, p, v)) f.Points[p].exists = v;
        }
    }
    f.RecomputePasses = static_cast<i16>(std::min(level + extra, 32767));

    MarkMovedPoints(f, moved, n);

    for (int pass = 0; pass < f.RecomputePasses; ++pass) {
        for (int i = 1; i <= f.ProcedureCount; ++i) MarkProcedure(f, i);
        for (int p = 1; p <= f.ObjectCount[kKindPoint]; ++p) {
            if (f.Points[p].movable == 0) continue;
            i16 v = 0;
            if (PlaceForAnalysis(f, p, v) && v < f.Points[p].exists) f.Points[p].exists = v;
        }
    }
    if (changed) UndefineUnsettled(f);
}

void SettleMovablePoint(Figure& f, int p, const Notifier& note) {
    if (f.Points[p].movable == 0) return;
    i16 v = 0;
    if (PlaceAndReadTie(f, p, v, note) && f.Points[p].exists > v) f.Points[p].exists = v;
}

void RecomputeAllInFull(Figure& f, const Notifier& shownTo) {
    std::vector<std::string> shown;
    const Notifier note = OncePerText(shownTo, shown);
    for (int pass = 0; pass < f.RecomputePasses; ++pass) {
        for (int i = 1; i <= f.ProcedureCount; ++i)
            if (f.ProcState[i] != kUnchanged) RecomputeProcedure(f, i, note);
        SettleMovablePoints(f, note);
    }
}

void RecomputeAll(Figure& f, const Notifier& shownTo) {
    if (f.RecomputePasses <= 0) return;
    std::vector<std::string> shown;
    const Notifier note = OncePerText(shownTo, shown);
    LastEvaluated walk(f);
    if (f.RecomputePasses == 1) {
        for (int i = 1; i <= f.ProcedureCount; ++i)
            if (f.ProcState[i] != kUnchanged) walk.Evaluate(i, note);
        SettleMovablePoints(f, note);
        return;
    }
    // Later passes give the same values to everything that does not depend on a tied point or
    // on a forward reference, so they evaluate only the rest.
    FirstPass first(f);
    for (int i = 1; i <= f.ProcedureCount; ++i) {
        const bool evaluated = f.ProcState[i] != kUnchanged;
        if (evaluated) walk.Evaluate(i, note);
        first.Walked(f, i, evaluated);
    }
    for (int p : first.movable) SettleMovablePoint(f, p, note);
    const std::vector<int> again = first.Again(f);
    for (int pass = 1; pass < f.RecomputePasses; ++pass) {
        for (int i : again) walk.Evaluate(i, note);
        // When no procedure runs again, no line or circle changes, and a tied point that its
        // last placement left where it stays is not placed again.
        for (int p : first.movable)
            if (!again.empty() || MayMoveAgain(f, p)) SettleMovablePoint(f, p, note);
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
