#include "ui/number_dialog.h"

#include "model/number_text.h"
#include "model/text.h"
#include "render/number_list.h"
#include "ui/picking.h"
#include "ui/redraw.h"

namespace kv {

std::string NumberListLine(const Figure& f, int index, int digits) {
    const NumberRecord& n = f.Numbers[index];
    return " " + std::to_string(index) + ":" + Trim(n.name) + " = " +
           FormatMeasure(ConvertedNumber(n.value), digits);
}

NumberDialogView NumberDialogFor(const App& app) {
    const Figure& f = app.figure;
    NumberDialogView v;
    const int count = Count(f, kKindNumber);
    for (int i = 1; i <= count; ++i)
        v.lines.push_back(NumberListLine(f, i, app.view.MeasureDigits));
    const std::string code = f.ProcedureCount >= 1 ? CodeOf(f, f.ProcedureCount) : "";
    if (code == "PNEQ") {
        v.text = "2";
        v.entryPanel = true;
    } else if (code == "PN") {
        v.entryPanel = true;
    } else if (code == "LPGN" || code == "LH2+" || code == "LRGN") {
        v.text = "3";
        v.entryPanel = true;
    }
    return v;
}

void SelNumSet(App& app, Host& host) {
    host.ShowNumberDialog(NumberDialogFor(app));
}

std::string TypedNumberEcho(std::string_view text) {
    return ConvertedNumber(LeadingNumber(text));
}

// The picture is redrawn before the answer goes on, so that a pick which follows keeps its
// highlight.
void Cmd_OK_Click(App& app, Host& host, Surface& surface, int row) {
    if (!AwaitingNumber(app)) return;
    const int index = row >= 0 && row < app.figure.ObjectCount[kKindNumber] ? row + 1 : 0;
    if (index != 0) FullRedraw(app, host, surface);
    EndPick(app, host, surface, {kKindNumber, static_cast<i16>(index)});
}

void Cmd_Cancel_Click(App& app, Host& host, Surface& surface) {
    if (!AwaitingNumber(app)) return;
    EndPick(app, host, surface, {kKindNumber, 0});
}

void NewNumOK_Click(App& app, Host& host, Surface& surface, std::string_view text) {
    if (!AwaitingNumber(app)) return;
    Figure& f = app.figure;
    const int index = AppendObject(f, kKindNumber);
    if (index == 0) {
        host.Beep();
        EndPick(app, host, surface, {kKindNumber, 0});
        return;
    }
    InitObject(f, {kKindNumber, static_cast<i16>(index)});
    NumberRecord& n = f.Numbers[index];
    n.isVariable = kVariableNumber;
    n.value = LeadingNumber(text);
    n.exists = kTrue;
    FullRedraw(app, host, surface);
    EndPick(app, host, surface, {kKindNumber, static_cast<i16>(index)});
}

}  // namespace kv
