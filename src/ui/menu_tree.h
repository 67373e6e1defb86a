#pragma once
// The main window's menu tree as data: nesting, menu name, caption, the items greyed for good,
// and the procedure code of each construction item. The window builds its menus from it.

#include <span>
#include <string_view>

namespace kv {

// The per-command variants a construction item hands over together with its code.
enum class MenuVariant {
    kNone,
    kOutputSegment,   // the line is shown as a segment
    kOutputHalfLine,  // the line is shown as a half-line
    kInputSegment,    // only segments may be picked as the input
};

struct MenuEntry {
    int level;  // 0 for the menu bar; an entry followed by a deeper one is a submenu
    std::string_view name;
    std::string_view caption;
    bool disabled = false;  // greyed from start-up, nothing enables it
    std::string_view code;  // "construct X": the procedure code, empty otherwise
    MenuVariant variant = MenuVariant::kNone;
};

// Every entry in menu order, depth first.
std::span<const MenuEntry> MenuTree();

// True when the entry at position i of the tree opens a submenu.
bool IsSubmenu(std::span<const MenuEntry> tree, std::size_t i);

}  // namespace kv
