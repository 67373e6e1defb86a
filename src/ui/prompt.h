#pragma once
// What the window waits for, in a few words: which input (点, 直線, 円, 数値) of how many the
// current command asks for, or what a press and Esc do in the current mode. The window shows
// it beside the status panels (as their tooltip), never in place of their texts.

#include <string>

#include "ui/session.h"

namespace kv {

// The prompt for the state, "" when nothing is waited for.
std::string PromptOf(const App& app);

}  // namespace kv
