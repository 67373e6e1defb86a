#pragma once
// Which procedure makes each object: the dependency analysis, the naming pass and the check of
// unsettled forward references all ask whether an input is made before, by or after the
// procedure that reads it.

#include <vector>

#include "model/figure.h"

namespace kv {

// For each entry of the tables (0..Capacity of every kind), the last procedure whose outputs
// name it; 0 for an object no procedure makes.
class Makers {
  public:
    explicit Makers(const Figure& f) : row_(static_cast<size_t>(f.Capacity) + 1), made_(4 * row_) {
        for (int i = 1; i <= f.ProcedureCount; ++i) {
            for (int j = 1; j <= kSlots; ++j) {
                const ObjectRef r = f.ProcOutput[i][j];
                if (r.IsEmpty()) continue;
                if (const size_t at = At(r); at != kNone) made_[at] = i;
            }
        }
    }
    int Of(ObjectRef r) const {
        const size_t at = At(r);
        return at == kNone ? 0 : made_[at];
    }

  private:
    static constexpr size_t kNone = static_cast<size_t>(-1);
    size_t At(ObjectRef r) const {
        if (r.kind < 0 || r.kind > 3 || r.index < 0 || static_cast<size_t>(r.index) >= row_)
            return kNone;
        return static_cast<size_t>(r.kind) * row_ + static_cast<size_t>(r.index);
    }
    size_t row_;
    std::vector<int> made_;
};

}  // namespace kv
