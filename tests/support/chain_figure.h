#pragma once
// A long chain for timing large figures: each step draws the segment from the last point to one
// of three corners and takes its midpoint as the next point, and every ten steps the circle
// through the last three points (the points settle on a triangle's worth of distinct places,
// so the circles stay defined). Every procedure depends on the corners; 5,000 steps make
// 10,503 procedures.

#include <vector>

#include "model/figure.h"
#include "support/figure_builder.h"

namespace kv::test {

inline Figure ChainFigure(int steps) {
    Figure f;
    EnsureCapacity(f, 2 * steps + 4, 2 * steps + steps / 10 + 4);
    const ObjectRef corners[] = {AddFreePoint(f, -6, -4), AddFreePoint(f, 7, -3),
                                 AddFreePoint(f, 1, 6)};
    const ObjectRef one{kKindNumber, static_cast<i16>(AddNumber(f, "1", 1))};
    std::vector<ObjectRef> last = {corners[0], corners[1], corners[2]};
    for (int k = 0; k < steps; ++k) {
        const ObjectRef from = last.back(), to = corners[k % 3];
        const ObjectRef seg = AddConstruction(f, "L1", {from, to})[0];
        f.Lines[seg.index].form = 1;
        last.push_back(AddConstruction(f, "PN", {from, to, one, one})[0]);
        if (k % 10 == 9) {
            const size_t n = last.size();
            AddConstruction(f, "C3", {last[n - 3], last[n - 2], last[n - 1]});
        }
    }
    return f;
}

}  // namespace kv::test
