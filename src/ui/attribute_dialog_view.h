#pragma once
// What an attribute dialog shows when it opens, and what its "設定" button hands back. The
// lists are the same in every dialog; a selection is a position in its list, -1 for none.

#include <array>
#include <string>
#include <string_view>

#include "model/records.h"

namespace kv {

// Colour boxes ("色", "軌跡の色"): the position is the stored colour index.
inline constexpr std::array<std::string_view, 8> kColourChoices = {"書かない", "青", "緑", "水色",
                                                                   "赤",       "紫", "黄", "黒"};
// The point dialog's "表示形式": the position is the point's mark.
inline constexpr std::array<std::string_view, 6> kMarkChoices = {"・", "×", "○", "□", "■", "Δ"};
// The line dialog's "表示形式": the position is the line's form.
inline constexpr std::array<std::string_view, 4> kFormChoices = {"直線", "線分", "半直線",
                                                                 "半直線(逆)"};
// "変形時の選択": "可能" lets dragging offer the point, "不可能" does not.
inline constexpr std::array<std::string_view, 2> kIndependentChoices = {"可能", "不可能"};

struct AttributeDialogView {
    i16 kind = 0;      // 1 the point dialog, 2 the line dialog, 3 the circle dialog
    std::string name;  // "名前": the name field at its full width, blank-padded
    int colour = -1;
    int locusColour = -1;
    int form = -1;                 // the mark of a point or the form of a line
    bool showIndependent = false;  // only an independent point may be made undraggable
    int independent = -1;
};

// The dialog's controls when "設定" is pressed.
struct AttributeAnswer {
    std::string name;
    int colour = -1;
    int locusColour = -1;
    int form = -1;
    int independent = -1;  // -1 also when the box is not shown
};

}  // namespace kv
