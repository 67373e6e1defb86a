#include "ui/construction.h"

#include <array>

#include "engine/naming.h"
#include "model/catalogue.h"
#include "render/draw.h"
#include "render/view_transform.h"
#include "ui/input_dispatch.h"
#include "ui/macros.h"
#include "ui/modes.h"
#include "ui/number_dialog.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {

namespace {

constexpr const char* kFreePointCode = "PNEW";
constexpr int kFormCount = 4;  // line forms 0..3

// The kind a catalogue letter stands for in a row under construction.
i16 InputSlotKind(char c) {
    switch (c) {
        case 'N':
            return kSlotChosenNumber;
        case 'M':
            return kSlotMacroStep;
        default:
            return KindOfLetter(c);
    }
}
i16 OutputSlotKind(char c) {
    return c == '#' ? kSlotChosenNumber : KindOfLetter(c);
}

// Asks for input slot j of the last procedure: a pick on the figure, or the number dialog.
// A construction cannot wait for an input nobody can give: with nothing to offer it is
// cancelled, so no half-built procedure stays behind.
void AskFor(App& app, Host& host, Surface& surface, int j) {
    const Figure& f = app.figure;
    const i16 kind = f.ProcInput[f.ProcedureCount][j].kind;
    app.session.ActiveFormFilter = f.InputFormFilter[j];
    if (!StartPick(app, host, surface, PickPurpose::kConstructionInput, kind))
        CancelConstruction(app, host, surface);
}

// Creates the outputs of the last procedure at the ends of their tables; false (nothing
// created) when the tables cannot grow any further.
bool CreateOutputs(Figure& f) {
    // The row is looked up afresh for every slot: appending an object may grow the tables,
    // which moves the procedure rows.
    const int p = f.ProcedureCount;
    std::array<i16, 4> before{};
    for (int k = 0; k < 4; ++k) before[k] = f.ObjectCount[k];
    for (int j = 1; j <= kSlots; ++j) {
        i16 k = f.ProcOutput[p][j].kind;
        if (k == kSlotChosenNumber) {
            k = kKindNumber;
        } else if (k < kKindPoint || k > kKindCircle) {
            continue;  // no output in this slot
        }
        const int index = AppendObject(f, k);
        if (index == 0) {
            for (int m = 0; m < 4; ++m) f.ObjectCount[m] = before[m];
            return false;
        }
        // A new object starts from a fresh record, whatever an earlier one left there.
        InitObject(f, {k, static_cast<i16>(index)});
        f.ProcOutput[p][j] = {k, static_cast<i16>(index)};
    }
    return true;
}

}  // namespace

bool Constructing(const Session& s) {
    return CurrentMode(s) == kModeConstructing;
}

void CancelConstruction(App& app, Host& host, Surface& surface) {
    RemoveLastProcedure(app.figure);
    PopMode(app.session);
    FullRedraw(app, host, surface);
}

void ResetSlotSettings(Figure& f) {
    for (int j = 1; j <= kSlots; ++j) {
        f.InputFormFilter[j] = -1;
        f.OutputForm[j] = -1;
    }
}

void FillCodeTable(Figure& f, int p) {
    SlotRow& in = f.ProcInput[p];
    SlotRow& out = f.ProcOutput[p];
    in = SlotRow{};
    out = SlotRow{};
    const CodeInfo* info = FindCode(CodeOf(f, p));
    if (info == nullptr || !info->hasCommand) return;
    for (size_t i = 0; i < info->commandInputs.size() && i < kSlots; ++i)
        in[i + 1] = {InputSlotKind(info->commandInputs[i]), 0};
    for (size_t i = 0; i < info->commandOutputs.size() && i < kSlots; ++i)
        out[i + 1] = {OutputSlotKind(info->commandOutputs[i]), 0};
    // A free point's output is the point its mode has just appended.
    if (CodeOf(f, p) == kFreePointCode) out[1].index = f.ObjectCount[kKindPoint];
    if (info->outputForm1 >= 0) f.OutputForm[1] = info->outputForm1;
    if (info->outputForm2 >= 0) f.OutputForm[2] = info->outputForm2;
    if (info->inputFilter1 >= 0) f.InputFormFilter[1] = info->inputFilter1;
}

bool CheckAvailability(const Figure& f) {
    const SlotRow& in = f.ProcInput[f.ProcedureCount];
    std::array<int, 4> need{};
    std::array<int, kFormCount> needForm{};
    for (int j = 1; j <= kSlots; ++j) {
        const int kind = in[j].kind % 100;
        if (kind >= 0 && kind < 4) ++need[kind];
        const i16 form = f.InputFormFilter[j];
        if (form >= 0 && form < kFormCount) ++needForm[form];
    }
    for (int kind = kKindPoint; kind <= kKindCircle; ++kind)
        if (f.ObjectCount[kind] < need[kind]) return false;
    std::array<int, kFormCount> haveForm{};
    for (int i = 1; i <= Count(f, kKindLine); ++i) {
        const i16 form = f.Lines[i].form;
        if (form >= 0 && form < kFormCount) ++haveForm[form];
    }
    for (int form = 0; form < kFormCount; ++form)
        if (haveForm[form] < needForm[form]) return false;
    return true;
}

int NextInputSlot(const Figure& f) {
    if (f.ProcedureCount < 1) return 0;
    const SlotRow& in = f.ProcInput[f.ProcedureCount];
    for (int j = 1; j <= kSlots; ++j)
        if (in[j].kind != 0 && in[j].kind != kSlotMacroStep && in[j].index == 0) return j;
    return 0;
}

bool StartConstruction(App& app, Host& host, Surface& surface, std::string_view code) {
    Figure& f = app.figure;
    const CodeInfo* info = FindCode(code);
    // Codes without inputs have nothing to ask for.
    if (CurrentMode(app.session) != kModeStandard || info == nullptr || !info->hasCommand ||
        info->commandInputs.empty()) {
        host.Beep();
        return false;
    }
    if (!PushMode(app.session, kModeConstructing)) {
        host.Beep();
        return false;
    }
    RefreshStatus(app, host);
    const int p = AppendProcedure(f, code);
    if (p == 0) {
        PopMode(app.session);
        RefreshStatus(app, host);
        host.Beep();
        return false;
    }
    if (app.session.KeepSlotSettings == -1) {
        app.session.KeepSlotSettings = 0;
    } else {
        ResetSlotSettings(f);
    }
    FillCodeTable(f, p);
    app.session.ActiveFormFilter = -1;
    if (!CheckAvailability(f)) {
        RemoveLastProcedure(f);
        host.Message("「" + ProcedureDisplayName(code) + "」" +
                     "の元にするものが足りません。まず,それを作ってください。");
        PopMode(app.session);
        RefreshStatus(app, host);
        return false;
    }
    NextInput(app, host, surface);
    return CurrentMode(app.session) == kModeConstructionPick;
}

void RunConstructionMenu(App& app, Host& host, Surface& surface, std::string_view code,
                         MenuVariant variant) {
    if (!StartConstruction(app, host, surface, code)) return;
    if (variant == MenuVariant::kOutputSegment) app.figure.OutputForm[1] = 1;
    if (variant == MenuVariant::kOutputHalfLine) app.figure.OutputForm[1] = 2;
}

void NextInput(App& app, Host& host, Surface& surface) {
    const int j = NextInputSlot(app.figure);
    if (j != 0) AskFor(app, host, surface, j);
}

void AcceptInput(App& app, Host& host, Surface& surface, ObjectRef ref) {
    Figure& f = app.figure;
    if (!Constructing(app.session)) return;
    const int slot = NextInputSlot(f);
    if (slot == 0) return;
    if (ref.index == 0) {
        CancelConstruction(app, host, surface);
        return;
    }
    SlotRow& in = f.ProcInput[f.ProcedureCount];
    const i16 wanted = in[slot].kind == kSlotChosenNumber ? i16{kKindNumber} : in[slot].kind;
    if (ref.kind != wanted || ref.index < 1 || ref.index > f.ObjectCount[wanted]) return;

    MarkPicked(app, host, surface, ref);
    in[slot] = {wanted, ref.index};

    for (int j = 1; j <= kSlots; ++j) {
        if (in[j].kind == kSlotMacroStep) {
            ExpandMacro(app, host, surface);
            return;
        }
        if (in[j].kind != 0 && in[j].index == 0) {
            AskFor(app, host, surface, j);
            return;
        }
    }

    if (!CreateOutputs(f)) {
        host.Beep();
        CancelConstruction(app, host, surface);
        return;
    }
    PopMode(app.session);
    ApplyOutputForms(f);
    NameMeasuredOutputs(f);
    FullRedraw(app, host, surface);
}

void ApplyOutputForms(Figure& f) {
    if (f.ProcedureCount < 1) return;
    const SlotRow& out = f.ProcOutput[f.ProcedureCount];
    for (int j = 1; j <= kSlots; ++j) {
        const i16 form = f.OutputForm[j];
        const ObjectRef r = out[j];
        if (form < 0 || r.index < 1 || r.index > f.Capacity) continue;
        if (r.kind == kKindPoint) f.Points[r.index].mark = form;
        if (r.kind == kKindLine) f.Lines[r.index].form = form;
    }
}

void RepeatLast(App& app, Host& host, Surface& surface) {
    const Figure& f = app.figure;
    const i16 mode = CurrentMode(app.session);
    if (mode == kModeConstructionPick || mode == kModeConstructing || mode == kModeNewPoint ||
        f.ProcedureCount < 1)
        return;
    const std::string code = CodeOf(f, f.ProcedureCount);
    if (code == kFreePointCode) {
        StartNewPoint(app, host, surface);
        return;
    }
    app.session.KeepSlotSettings = -1;
    StartConstruction(app, host, surface, code);
    // A refused start must not hand the kept settings on to a later command.
    app.session.KeepSlotSettings = 0;
}

void StartNewPoint(App& app, Host& host, Surface& surface) {
    Figure& f = app.figure;
    if (CurrentMode(app.session) != kModeStandard || !PushMode(app.session, kModeNewPoint)) {
        host.Beep();
        return;
    }
    RefreshStatus(app, host);
    if (app.view.ShowAxes != 0) DrawAxis(app.view, surface);
    const int p = AppendProcedure(f, kFreePointCode);
    const int index = p == 0 ? 0 : AppendObject(f, kKindPoint);
    if (index == 0) {
        if (p != 0) RemoveLastProcedure(f);
        PopMode(app.session);
        RefreshStatus(app, host);
        host.Beep();
        return;
    }
    ResetSlotSettings(f);
    const ObjectRef ref{kKindPoint, static_cast<i16>(index)};
    InitObject(f, ref);
    FillCodeTable(f, p);
    PointRecord& pt = f.Points[index];
    pt.mark = 2;
    pt.movable = kTrue;
    pt.exists = kTrue;
    pt.colour = 7;
    app.session.PendingPoint = ref;
    HighlightCandidate(app, host, surface, ref);
}

namespace {

// Whether the free-point mode's pending point is the last point and its procedure the last
// one, as the mode left them.
bool PendingIsLast(const App& app) {
    const Figure& f = app.figure;
    const ObjectRef r = app.session.PendingPoint;
    return CurrentMode(app.session) == kModeNewPoint && r.kind == kKindPoint && r.index >= 1 &&
           r.index == f.ObjectCount[kKindPoint] && f.ProcedureCount >= 1 &&
           CodeOf(f, f.ProcedureCount) == kFreePointCode && f.ProcOutput[f.ProcedureCount][1] == r;
}

}  // namespace

void PlaceNewPoint(App& app, Host& host, Surface& surface, double x, double y) {
    if (!PendingIsLast(app)) return;
    Figure& f = app.figure;
    const ObjectRef ref = app.session.PendingPoint;
    UnhighlightCandidate(app, host, surface, ref);
    PointRecord& pt = f.Points[ref.index];
    pt.mark = 1;
    pt.x = x;
    pt.y = y;
    {
        const Notifier note = NotifierOf(host);
        const DrawContext ctx{surface, app.view, NamesMayHide(CurrentMode(app.session)), note,
                              app.colours};
        DrawObject(f, ref, 0, kSourceCurrent, ctx);
    }
    pt.mark = 0;
    app.session.PendingPoint = {};
    PopMode(app.session);
    StartNewPoint(app, host, surface);
}

void NewPointKey(App& app, Host& host, Surface& surface, int key) {
    Session& s = app.session;
    if (s.NudgeSteps == 0) s.NudgeSteps = 10;
    if (!PendingIsLast(app)) {
        // Nothing to place: the mode has lost its point, so it only ends.
        if (key == kKeyEsc) {
            PopMode(s);
            FullRedraw(app, host, surface);
        }
        return;
    }
    Figure& f = app.figure;
    const ObjectRef ref = s.PendingPoint;
    PointRecord& pt = f.Points[ref.index];
    const double step = s.NudgeSteps * app.view.PixelSize;
    switch (key) {
        case kKeyEnter:
            PlaceNewPoint(app, host, surface, pt.x, pt.y);
            break;
        case kKeyUp:
        case kKeyDown:
        case kKeyLeft:
        case kKeyRight:
            UnhighlightCandidate(app, host, surface, ref);
            if (key == kKeyUp) pt.y += step;
            if (key == kKeyDown) pt.y -= step;
            if (key == kKeyRight) pt.x += step;
            if (key == kKeyLeft) pt.x -= step;
            HighlightCandidate(app, host, surface, ref);
            break;
        case kKeyEsc:
            UnhighlightCandidate(app, host, surface, ref);
            RemoveLastProcedure(f);
            s.PendingPoint = {};
            RemoveLastObject(f, kKindPoint);
            PopMode(s);
            RefreshStatus(app, host);
            FullRedraw(app, host, surface);
            break;
        default:
            break;
    }
}

}  // namespace kv
