#pragma once
// The status refresh: caption, status panels, check marks and menu enabling from the state.

#include <string>
#include <string_view>
#include <vector>

#include "ui/host.h"
#include "ui/session.h"
#include "ui/status_view.h"

namespace kv {

// The part of a path after its last "\" or "/".
std::string FileNamePart(std::string_view path);

// The enabling rule of the top-level menus, which looks only at the mode.
std::vector<MenuSetting> MenuEnabledSet(int mode);

// What the window should show for the state.
StatusView StatusOf(const App& app);

// Builds the status and hands it to the window; an unknown mode beeps.
void RefreshStatus(const App& app, Host& host);

}  // namespace kv
