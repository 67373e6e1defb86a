#pragma once
// Access to the input and output slots of one procedure while it is evaluated. A slot is read
// by its index only, in the table that the code's catalogue entry names for that slot.
// Outputs whose index is 0 (or, in a damaged figure, outside the tables) go to a scratch
// record of the accessor, so that a computation never writes into the unused entry 0 of a
// table nor past its end.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "engine/notifier.h"
#include "model/catalogue.h"
#include "model/figure.h"

namespace kv {

// The kinds of a code's input and output slots, decoded once from its catalogue letters, so
// that an evaluation reads a slot's table without looking at its letter.
struct SlotLayout {
    std::array<i16, kSlots> in{};
    std::array<i16, kSlots> out{};
    int inputs = 0;
    int outputs = 0;
};
// The layout of a catalogue entry (never more slots than a row has).
SlotLayout LayoutOf(const CodeInfo& info);

class ProcSlots {
  public:
    ProcSlots(Figure& f, int p, const SlotLayout& layout) : f_(f), p_(p), layout_(layout) {}

    Figure& figure() { return f_; }

    // The first `required` inputs name defined objects (index 1..Capacity, exists non-zero);
    // later inputs count only when their slot is filled. The rules read only inputs that
    // passed this check.
    bool InputsDefined(int required) const;
    bool HasInput(int j) const { return !f_.ProcInput[p_][j].IsEmpty(); }
    bool HasOutput(int j) const { return InTable(OutIndex(j)); }

    const PointRecord& InPoint(int j) const { return f_.Points[InIndex(j)]; }
    const LineRecord& InLine(int j) const { return f_.Lines[InIndex(j)]; }
    const CircleRecord& InCircle(int j) const { return f_.Circles[InIndex(j)]; }
    const NumberRecord& InNumber(int j) const { return f_.Numbers[InIndex(j)]; }

    PointRecord& OutPoint(int j);
    LineRecord& OutLine(int j);
    CircleRecord& OutCircle(int j);

    // Output point j as the last snapshot holds it (entry 0 for an empty slot), and the
    // procedure's solution-order flag: what keeps two solutions on their branches.
    const PointRecord& SavedOutPoint(int j) const;
    i16& SwapFlag() { return f_.SwapFlag[p_]; }
    // Both outputs defined: keeps each on its branch (see KeepSolutionOrder).
    void KeepSolutionOrder(PointRecord& p1, PointRecord& p2);

    // Marks every output undefined, leaving its coordinates as they were.
    void UndefineOutputs();
    // An output holding a non-finite coordinate becomes undefined.
    void CheckOutputsFinite();

  private:
    int InIndex(int j) const { return f_.ProcInput[p_][j].index; }
    int OutIndex(int j) const { return f_.ProcOutput[p_][j].index; }
    bool InTable(int index) const { return index >= 1 && index <= f_.Capacity; }
    i16 ExistsOfSlot(i16 kind, int index) const;

    // A scratch record is made when a slot first needs it, which only a damaged figure does,
    // and then serves the rest of the evaluation.
    template <class Record>
    static Record& Scratch(std::optional<Record>& r) {
        return r ? *r : r.emplace();
    }

    Figure& f_;
    int p_;
    const SlotLayout& layout_;
    mutable std::optional<PointRecord> scratchPoint_;
    std::optional<LineRecord> scratchLine_;
    std::optional<CircleRecord> scratchCircle_;
};

// One computation of a code family: reads the inputs and writes the outputs of the slots.
using SlotRule = void (*)(ProcSlots& s, const Notifier& note);

struct RuleEntry {
    std::string_view code;
    SlotRule rule;
    int required = -1;  // inputs that must be filled; -1: every input of the catalogue entry
};

// Evaluates procedure p, whose catalogue entry has the slots `layout`, with `rule`. Undefined
// inputs (of the first `required`, see InputsDefined) make every output undefined without
// running the rule; a non-finite result is undefined.
void EvaluateBySlots(Figure& f, int p, const SlotLayout& layout, SlotRule rule, int required,
                     const Notifier& note);

}  // namespace kv
