#pragma once
// What the window shows of the state: caption, status panels 1 to 3, check marks and the
// enabled state of the top-level menus. Built by the status refresh, applied by the window.

#include <string>
#include <string_view>
#include <vector>

namespace kv {

struct MenuSetting {
    std::string_view menu;  // menu name, e.g. "mnuLocusOn"
    bool on = false;        // checked, or enabled
    friend bool operator==(const MenuSetting&, const MenuSetting&) = default;
};

struct StatusView {
    std::string caption;
    std::string panel1;  // the current mode's text
    std::string panel2;  // the file name without its folder
    std::string panel3;  // locus recording
    bool unknownMode = false;
    // What the current command waits for ("" when nothing), shown beside the panels.
    std::string prompt;
    // Check marks of mnuLocusOn, mnuLocusOff, mnuOchrDisp and mnuOAxis.
    std::vector<MenuSetting> checks;
    // Enabled states to set; empty in the modes that leave the menus as they are.
    std::vector<MenuSetting> enabling;
};

}  // namespace kv
