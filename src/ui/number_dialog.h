#pragma once
// The number dialog "数値の選択": a construction's number input is chosen from the existing
// numbers or typed as a new one. Every answer ends in exactly one AcceptInput: the chosen or
// new number, or index 0 to cancel. The window shows the dialog and reports its buttons here.

#include <string>
#include <string_view>

#include "model/figure.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/number_dialog_view.h"
#include "ui/session.h"

namespace kv {

// One line of the list: " 2:r =  1.5" (index, name, value cut to `digits` places).
std::string NumberListLine(const Figure& f, int index, int digits);
// What the dialog shows for the procedure being built: the list of every number, and the
// entry panel with a proposed count for the codes that ask for one.
NumberDialogView NumberDialogFor(const App& app);
// Fills the dialog afresh and shows it.
void SelNumSet(App& app, Host& host);

// The value a typed text stands for, as the dialog echoes it under the text ("2a" gives " 2").
std::string TypedNumberEcho(std::string_view text);

// "OK" in the list panel, or a double click on a line: `row` is the 0-based line, -1 when no
// line is selected (which cancels).
void Cmd_OK_Click(App& app, Host& host, Surface& surface, int row);
// "キャンセル" in either panel: the construction is cancelled.
void Cmd_Cancel_Click(App& app, Host& host, Surface& surface);
// "OK" in the entry panel (or Enter in the text): a new variable number with the typed value.
void NewNumOK_Click(App& app, Host& host, Surface& surface, std::string_view text);

}  // namespace kv
