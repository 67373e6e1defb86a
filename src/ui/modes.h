#pragma once
// The mode stack: what a mouse press or key means depends on the mode at its top. Every mode
// the program pushes is named here, with its status text and whether presses and keys go to
// the picking logic in it.

#include <optional>
#include <span>
#include <string_view>

#include "model/records.h"
#include "ui/session.h"

namespace kv {

constexpr i16 kModeDeform = 6;             // "変形": a point is dragged
constexpr i16 kModeLoading = 8;            // a figure file is read
constexpr i16 kModeSaving = 9;             // a figure file is written
constexpr i16 kModeDragPick = 13;          // the point to drag is picked
constexpr i16 kModeConstructionPick = 15;  // an input of the construction is asked for
constexpr i16 kModeCalculating = 16;       // a drag step recomputes the figure
constexpr i16 kModeConstructing = 17;      // a construction is set up beneath its picks
constexpr i16 kModeNewPoint = 28;          // "点の追加": free points are placed
constexpr i16 kModeEditPick = 40;          // the object of an attribute dialog is picked
constexpr i16 kModeEditPoint = 42;         // an attribute command for a point, a line, a
constexpr i16 kModeEditLine = 43;          // circle, beneath its pick
constexpr i16 kModeEditCircle = 44;
constexpr i16 kModeBinding = 51;         // point binding, while its dialog is open
constexpr i16 kModeBindPointPick = 52;   // the point to bind is picked
constexpr i16 kModeBindTargetPick = 53;  // what to bind it to is picked (over the same mode)

struct ModeInfo {
    i16 mode;
    std::string_view text;      // status panel 1
    bool picks;                 // presses and keys go to the picking logic
    bool namesMayHide = false;  // the "文字表示" option may hide point names
};

// Every mode with a status text, in number order.
std::span<const ModeInfo> ModeTable();

// Pushes a mode; refuses (false, nothing changed) when the stack is full.
bool PushMode(Session& s, i16 mode);
// Removes the top mode; at the bottom slot it does nothing, so the mode stays 2.
void PopMode(Session& s);
i16 CurrentMode(const Session& s);

// The status text of a mode, or nullopt for a number the table does not know.
std::optional<std::string_view> KnownModeText(int mode);
// What panel 1 shows for an unknown mode.
inline constexpr std::string_view kUnknownModeText = "________";

// Whether the option that hides point names applies in the mode: resting, dragging and
// calculating; names stay visible while picking or constructing.
bool NamesMayHide(int mode);
// The six modes in which presses and keys go to the picking logic.
bool IsPickingMode(int mode);

}  // namespace kv
