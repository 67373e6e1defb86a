#pragma once
// The menu commands by menu name: what each item of the menu tree does. The window runs them
// from its menu bar; "終了", which ends the program, is the window's own and is not here.

#include <functional>
#include <map>
#include <string>

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

using MenuCommand = std::function<void(App&, Host&, Surface&)>;
using MenuCommandTable = std::map<std::string, MenuCommand, std::less<>>;

MenuCommandTable MenuCommands();

}  // namespace kv
