#include "ui/locus.h"

#include <limits>

#include "ui/redraw.h"

namespace kv {

namespace {

// Appends `rec` as image n of the store, enlarging the store by a whole step when it is full,
// so that a long drag does not reallocate on every step.
template <class Record>
void Keep(std::vector<Record>& store, int& count, const Record& rec, i16 colour) {
    const int n = count + 1;
    if (n >= static_cast<int>(store.size())) {
        store.resize(store.size() + kLocusStoreStep);
    }
    store[n] = rec;
    store[n].colour = colour;
    count = n;
}

template <class Record>
const Record* Entry(const std::vector<Record>& table, int index, int count) {
    if (index < 1 || index > count || index >= static_cast<int>(table.size())) return nullptr;
    return &table[index];
}

}  // namespace

void RecordLocus(Figure& f, ObjectRef ref) {
    if (ref.kind < kKindPoint || ref.kind > kKindCircle) return;  // numbers leave no locus
    int& count = f.LocusCount[ref.kind];
    if (count >= std::numeric_limits<int>::max() - kLocusStoreStep) return;
    const int objects = f.ObjectCount[ref.kind];
    switch (ref.kind) {
        case kKindPoint:
            if (const PointRecord* p = Entry(f.Points, ref.index, objects); p && p->locusColour)
                Keep(f.LocusPoints, count, *p, p->locusColour);
            break;
        case kKindLine:
            if (const LineRecord* l = Entry(f.Lines, ref.index, objects); l && l->locusColour)
                Keep(f.LocusLines, count, *l, l->locusColour);
            break;
        default:
            if (const CircleRecord* c = Entry(f.Circles, ref.index, objects); c && c->locusColour)
                Keep(f.LocusCircles, count, *c, c->locusColour);
            break;
    }
}

void mnuLocusReset_Click(App& app, Host& host, Surface& surface) {
    ClearLoci(app.figure);
    FullRedraw(app, host, surface);
}

}  // namespace kv
