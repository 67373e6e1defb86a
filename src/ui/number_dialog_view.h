#pragma once
// What the number dialog shows when it opens: one line per existing number, the proposed
// text of a new number, and which of its two panels is up.

#include <string>
#include <vector>

namespace kv {

struct NumberDialogView {
    std::vector<std::string> lines;  // line i (0-based) describes number i + 1
    std::string text;                // the entry panel's proposed text
    bool entryPanel = false;         // the entry panel, not the list, is shown first
};

}  // namespace kv
