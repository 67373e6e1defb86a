#include "engine/proc_slots.h"

#include <algorithm>

#include "engine/geometry.h"

namespace kv {

SlotLayout LayoutOf(const CodeInfo& info) {
    // The catalogue never names more slots than a row has; keep to the row all the same.
    SlotLayout l;
    l.inputs = static_cast<int>(std::min<size_t>(info.inputs.size(), kSlots));
    l.outputs = static_cast<int>(std::min<size_t>(info.outputs.size(), kSlots));
    for (int k = 0; k < l.inputs; ++k) l.in[k] = KindOfLetter(info.inputs[k]);
    for (int k = 0; k < l.outputs; ++k) l.out[k] = KindOfLetter(info.outputs[k]);
    return l;
}

i16 ProcSlots::ExistsOfSlot(i16 kind, int index) const {
    switch (kind) {
        case kKindPoint:
            return f_.Points[index].exists;
        case kKindLine:
            return f_.Lines[index].exists;
        case kKindCircle:
            return f_.Circles[index].exists;
        default:
            return f_.Numbers[index].exists;
    }
}

bool ProcSlots::InputsDefined(int required) const {
    const int n = layout_.inputs;
    if (required < 0 || required > n) required = n;
    for (int j = 1; j <= n; ++j) {
        const int index = InIndex(j);
        if (j > required && !HasInput(j)) continue;
        if (!InTable(index) || ExistsOfSlot(layout_.in[j - 1], index) == 0) return false;
    }
    return true;
}

PointRecord& ProcSlots::OutPoint(int j) {
    return HasOutput(j) ? f_.Points[OutIndex(j)] : Scratch(scratchPoint_);
}

LineRecord& ProcSlots::OutLine(int j) {
    return HasOutput(j) ? f_.Lines[OutIndex(j)] : Scratch(scratchLine_);
}

CircleRecord& ProcSlots::OutCircle(int j) {
    return HasOutput(j) ? f_.Circles[OutIndex(j)] : Scratch(scratchCircle_);
}

const PointRecord& ProcSlots::SavedOutPoint(int j) const {
    const int idx = OutIndex(j);
    return idx >= 0 && idx < static_cast<int>(f_.SavedPoints.size()) ? f_.SavedPoints[idx]
                                                                     : Scratch(scratchPoint_);
}

void ProcSlots::KeepSolutionOrder(PointRecord& p1, PointRecord& p2) {
    if (!p1.exists || !p2.exists) return;
    // An output without a table entry shares the scratch record with its saved image; that
    // needs no copy, since the comparisons all come before the outputs are swapped.
    kv::KeepSolutionOrder(SavedOutPoint(1), SavedOutPoint(2), SwapFlag(), p1, p2);
}

void ProcSlots::UndefineOutputs() {
    for (int k = 0; k < layout_.outputs; ++k) {
        const int j = k + 1;
        switch (layout_.out[k]) {
            case kKindPoint:
                OutPoint(j).exists = 0;
                break;
            case kKindLine:
                OutLine(j).exists = 0;
                break;
            case kKindCircle:
                OutCircle(j).exists = 0;
                break;
            default:
                if (HasOutput(j)) f_.Numbers[OutIndex(j)].exists = 0;
                break;
        }
    }
}

void ProcSlots::CheckOutputsFinite() {
    for (int k = 0; k < layout_.outputs; ++k) {
        const int j = k + 1;
        switch (layout_.out[k]) {
            case kKindPoint:
                CheckFinite(OutPoint(j));
                break;
            case kKindLine:
                CheckFinite(OutLine(j));
                break;
            case kKindCircle:
                CheckFinite(OutCircle(j));
                break;
            default:
                if (HasOutput(j)) CheckFinite(f_.Numbers[OutIndex(j)]);
                break;
        }
    }
}

void EvaluateBySlots(Figure& f, int p, const SlotLayout& layout, SlotRule rule, int required,
                     const Notifier& note) {
    ProcSlots s(f, p, layout);
    if (!s.InputsDefined(required)) {
        s.UndefineOutputs();
        return;
    }
    rule(s, note);
    s.CheckOutputsFinite();
}

}  // namespace kv
