#pragma once
// What "最後抹消" took away, kept so that "やり直し" can build it again: each undone construction
// with its procedure row and its outputs as they were, the last undone on top.

#include <array>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "model/figure.h"
#include "model/records.h"

namespace kv {

using ObjectRecord = std::variant<NumberRecord, PointRecord, LineRecord, CircleRecord>;

struct UndoneConstruction {
    int procedure = 0;  // its number in the list
    std::string code;
    SlotRow inputs{};
    SlotRow outputs{};
    i16 state = 0;
    i16 swap = 0;
    // The outputs' records as they were before the undo.
    std::vector<std::pair<ObjectRef, ObjectRecord>> records;
    // Points the undo set free because they were tied to an output: (point index, tied to).
    std::vector<std::pair<int, ObjectRef>> ties;
};

// The procedure list and object counts, to tell whether anything was built or loaded since.
struct ListShape {
    int procedures = 0;
    std::vector<std::string> codes;
    std::vector<SlotRow> inputs, outputs;
    std::array<i16, 11> counts{};
    friend bool operator==(const ListShape&, const ListShape&) = default;
};

struct RedoList {
    std::vector<UndoneConstruction> undone;  // back() was undone last
    ListShape after;                         // the figure right after the last undo or redo
};

}  // namespace kv
