#include "engine/proc_slots.h"

#include <algorithm>

#include "engine/geometry.h"

namespace kv {

ProcSlots::ProcSlots(Figure& f, int p, const CodeInfo& info)
    : f_(f), p_(p), inputs_(info.inputs), outputs_(info.outputs) {
    // The catalogue never names more slots than a row has; keep to the row all the same.
    inputs_ = inputs_.substr(0, std::min<size_t>(inputs_.size(), kSlots));
    outputs_ = outputs_.substr(0, std::min<size_t>(outputs_.size(), kSlots));
}

i16 ProcSlots::ExistsOfSlot(char letter, int index) const {
    switch (KindOfLetter(letter)) {
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
    const int n = static_cast<int>(inputs_.size());
    if (required < 0 || required > n) required = n;
    for (int j = 1; j <= n; ++j) {
        const int index = InIndex(j);
        if (j > required && !HasInput(j)) continue;
        if (!InTable(index) || ExistsOfSlot(inputs_[j - 1], index) == 0) return false;
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
    for (size_t k = 0; k < outputs_.size(); ++k) {
        const int j = static_cast<int>(k) + 1;
        switch (KindOfLetter(outputs_[k])) {
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
    for (size_t k = 0; k < outputs_.size(); ++k) {
        const int j = static_cast<int>(k) + 1;
        switch (KindOfLetter(outputs_[k])) {
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

void EvaluateBySlots(Figure& f, int p, const CodeInfo& info, SlotRule rule, int required,
                     const Notifier& note) {
    ProcSlots s(f, p, info);
    if (!s.InputsDefined(required)) {
        s.UndefineOutputs();
        return;
    }
    rule(s, note);
    s.CheckOutputsFinite();
}

}  // namespace kv
