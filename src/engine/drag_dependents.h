#pragma once
// What a drag moves. When a drag starts, the procedures and tied points that depend on the
// dragged point are worked out once: through the inputs of procedures, through points tied to
// a point, line or circle, and through the numbers a formula names, wherever in the list they
// stand. Each step then re-evaluates only those, and everything else keeps the "unchanged"
// marker for the whole drag, so it is neither evaluated, nor redrawn, nor traced.

#include <vector>

#include "engine/notifier.h"
#include "model/figure.h"

namespace kv {

struct DragDependents {
    int point = 0;                // the dragged point; 0 when no drag has been analysed
    std::vector<int> procedures;  // the procedures to evaluate, in list order
    std::vector<int> movable;     // the movable points to place again, in index order
    // Per kind (0 number .. 3 circle) and index: whether the drag can change the object.
    std::array<std::vector<char>, 4> live;

    bool Live(ObjectRef r) const {
        if (r.kind < 0 || r.kind > 3) return false;
        const auto& v = live[static_cast<size_t>(r.kind)];
        return r.index >= 1 && r.index < static_cast<int>(v.size()) && v[r.index] != 0;
    }
};

// The analysis of a drag of `point`: the dependency analysis with the point as the moved
// object (which sets the number of passes), then every procedure and object outside the
// dragged point's dependents gets the marker 2 ("unchanged"), undefined objects staying 0.
DragDependents AnalyseDragDependents(Figure& f, int point, const Notifier& note);

// One drag step's recompute: the passes of RecomputeAll over the dependents only. The values
// are those a full recompute gives, since nothing else can change.
void RecomputeDependents(Figure& f, const DragDependents& d, const Notifier& note);

// The snapshot of the objects the drag changes; the rest of the saved tables already equals
// the current ones, as long as a full snapshot was taken when the drag started.
void TakeDependentsSnapshot(Figure& f, const DragDependents& d);

}  // namespace kv
