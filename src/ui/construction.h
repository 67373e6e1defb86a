#pragma once
// The construction commands: a new procedure is appended, its inputs are picked on the figure
// or chosen in the number dialog one after another, and when the last one is given its outputs
// are created and everything is recomputed and drawn. Also the free-point mode, in which every
// click adds a free point.

#include <string_view>

#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/menu_tree.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/session.h"

namespace kv {

// Starts the construction command for a code: "作図構成" is pushed and the first input asked
// for in a pick above it. Only in the resting mode "標準" (the menu ends any other activity
// first); elsewhere it beeps, so no procedure is ever begun while another is half built. Codes
// without a command of their own are refused with a beep as well. Returns true when the inputs
// are being asked for.
bool StartConstruction(App& app, Host& host, Surface& surface, std::string_view code);

// A construction menu item: the code, then the item's own variant of the output form.
void RunConstructionMenu(App& app, Host& host, Surface& surface, std::string_view code,
                         MenuVariant variant);

// Slot settings of the next construction: every slot back to "not set" (-1).
void ResetSlotSettings(Figure& f);
// Writes the input and output kinds of procedure p's command, and the slot settings its code
// prescribes, from the code catalogue. A code without a command gets empty rows.
void FillCodeTable(Figure& f, int p);
// Whether the figure has enough points, lines and circles (and lines of the filtered forms)
// for the inputs of the last procedure.
bool CheckAvailability(const Figure& f);
// The first input slot of the last procedure still to be given, 0 when all are given.
int NextInputSlot(const Figure& f);
// Asks for the first input.
void NextInput(App& app, Host& host, Surface& surface);
// An input was picked or chosen (its pick has ended, "作図構成" is on top); index 0 cancels the
// construction. An answer that does not fit the input asked for (or comes when none is asked
// for) changes nothing.
void AcceptInput(App& app, Host& host, Surface& surface, ObjectRef ref);
// The output forms of the slot settings, applied to the last procedure's outputs.
void ApplyOutputForms(Figure& f);

// Whether a construction is between two of its picks: "作図構成" is on top of the stack.
bool Constructing(const Session& s);
// Drops the procedure being built, leaves "作図構成" and redraws.
void CancelConstruction(App& app, Host& host, Surface& surface);

// "繰り返し(Redo)": the command of the last procedure once more, keeping its slot settings
// (another segment after a segment). A free point restarts the free-point mode. Ignored while
// a construction or the free-point mode is under way, and when the list is empty.
void RepeatLast(App& app, Host& host, Surface& surface);

// "自由な新しい点": enters "点の追加" with a new pending point (only from "標準").
void StartNewPoint(App& app, Host& host, Surface& surface);
// A press in "点の追加": fixes the pending point there and offers the next one.
void PlaceNewPoint(App& app, Host& host, Surface& surface, double x, double y);
// A key in "点の追加": Enter places, the arrow keys move the pending point, Esc ends the mode.
void NewPointKey(App& app, Host& host, Surface& surface, int key);

}  // namespace kv
