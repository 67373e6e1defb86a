#pragma once
// The mode stack: what a mouse press or key means depends on the mode at its top.

#include <optional>
#include <string_view>

#include "model/records.h"
#include "ui/session.h"

namespace kv {

// Modes the dispatch and the menus look at by number.
constexpr i16 kModeDeform = 6;
constexpr i16 kModeLoading = 8;
constexpr i16 kModeSaving = 9;
constexpr i16 kModeCalculating = 16;
constexpr i16 kModeNewPoint = 28;

// Pushes a mode; refuses (false, nothing changed) when the stack is full.
bool PushMode(Session& s, i16 mode);
// Removes the top mode; at the bottom slot it does nothing, so the mode stays 2.
void PopMode(Session& s);
i16 CurrentMode(const Session& s);

// The status text of a mode, or nullopt for a number the table does not know.
std::optional<std::string_view> KnownModeText(int mode);
// What panel 1 shows for an unknown mode.
inline constexpr std::string_view kUnknownModeText = "________";

// The six modes in which presses and keys go to the picking logic.
bool IsPickingMode(int mode);

}  // namespace kv
