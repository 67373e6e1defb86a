#include "ui/attributes.h"

#include "io/figure_lines.h"
#include "model/text.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"
#include "ui/status.h"

namespace kv {
namespace {

bool HasDialog(i16 kind) {
    return kind == kKindPoint || kind == kKindLine || kind == kKindCircle;
}

// Whether the reference names an object the figure has now.
bool InFigure(const Figure& f, ObjectRef ref) {
    return HasDialog(ref.kind) && ref.index >= 1 && ref.index <= f.ObjectCount[ref.kind] &&
           ref.index <= f.Capacity;
}

// The position of a stored value in a list of n choices, -1 when it lies outside the list.
int Choice(int value, std::size_t n) {
    return value >= 0 && value < static_cast<int>(n) ? value : -1;
}

// A selection stored into a field; no selection, or one outside the list, keeps the field.
void StoreChoice(i16& field, int selection, std::size_t n) {
    if (Choice(selection, n) >= 0) field = static_cast<i16>(selection);
}

template <class Record>
void FillCommon(AttributeDialogView& v, const Record& r) {
    v.name = PadText(r.name, kNameWidth);
    v.colour = Choice(r.colour, kColourChoices.size());
    v.locusColour = Choice(r.locusColour, kColourChoices.size());
}

template <class Record>
void StoreCommon(Record& r, const AttributeAnswer& a) {
    StoreChoice(r.colour, a.colour, kColourChoices.size());
    StoreChoice(r.locusColour, a.locusColour, kColourChoices.size());
}

// The command runs from "標準" or during a drag, to which it returns when the pick ends.
void StartAttributePick(App& app, Host& host, Surface& surface, i16 kind, i16 editMode) {
    Session& s = app.session;
    const i16 mode = CurrentMode(s);
    if ((mode != kModeStandard && mode != kModeDeform) || !PushMode(s, editMode)) {
        host.Beep();
        return;
    }
    s.AttributeTarget = {kind, 0};
    FullRedraw(app, host, surface);
    // With nothing of the kind to offer the command ends at once.
    if (!StartPick(app, host, surface, PickPurpose::kAttribute, kind)) PopMode(s);
    RefreshStatus(app, host);
}

// The full redraw after an answer. The dialog is modeless, so a pick may be under way when it
// is answered; its highlight is drawn again.
void RedrawAfterAnswer(App& app, Host& host, Surface& surface) {
    FullRedraw(app, host, surface);
    const Session& s = app.session;
    if (IsPickingMode(CurrentMode(s)) && s.CurrentCandidate.index != 0)
        HighlightCandidate(app, host, surface, s.CurrentCandidate);
}

// The object the dialog of a kind was opened for, forgotten as the dialog closes.
ObjectRef TakeOpenTarget(Session& s, i16 kind) {
    if (!HasDialog(kind)) return {};
    const ObjectRef ref = s.AttributeOpen[kind];
    s.AttributeOpen[kind] = {};
    return ref;
}

}  // namespace

void mnuEbasicPt_Click(App& app, Host& host, Surface& surface) {
    StartAttributePick(app, host, surface, kKindPoint, kModeEditPoint);
}

void mnuEbasicLine_Click(App& app, Host& host, Surface& surface) {
    StartAttributePick(app, host, surface, kKindLine, kModeEditLine);
}

void mnuEbasicCircle_Click(App& app, Host& host, Surface& surface) {
    StartAttributePick(app, host, surface, kKindCircle, kModeEditCircle);
}

void OpenAttributeDialog(App& app, Host& host, Surface&, ObjectRef ref) {
    Session& s = app.session;
    s.AttributeTarget = ref;
    if (InFigure(app.figure, ref)) {
        // Each dialog keeps its own object: picking another one of the same kind refills it,
        // and the dialogs of the other kinds keep theirs.
        s.AttributeOpen[ref.kind] = ref;
        host.ShowAttributeDialog(AttributeDialogFor(app.figure, ref));
    }
    PopMode(s);
    RefreshStatus(app, host);
}

AttributeDialogView AttributeDialogFor(const Figure& f, ObjectRef ref) {
    AttributeDialogView v;
    if (!InFigure(f, ref)) return v;
    v.kind = ref.kind;
    switch (ref.kind) {
        case kKindPoint: {
            const PointRecord& p = f.Points[ref.index];
            FillCommon(v, p);
            v.form = Choice(p.mark, kMarkChoices.size());
            v.showIndependent = p.movable != 0;
            if (v.showIndependent) v.independent = p.movable == kTrue ? 0 : 1;
            break;
        }
        case kKindLine: {
            const LineRecord& l = f.Lines[ref.index];
            FillCommon(v, l);
            v.form = Choice(l.form, kFormChoices.size());
            break;
        }
        default:
            FillCommon(v, f.Circles[ref.index]);
            break;
    }
    return v;
}

void StoreAttributes(Figure& f, ObjectRef ref, const AttributeAnswer& a) {
    if (!InFigure(f, ref)) return;
    // A name is one line of text on the screen and in the figure file: control characters
    // (a pasted line end or tab) become blanks before the surrounding blanks are dropped.
    SetName(f, ref, Trim(PrintableText(a.name)));
    switch (ref.kind) {
        case kKindPoint: {
            PointRecord& p = f.Points[ref.index];
            StoreCommon(p, a);
            StoreChoice(p.mark, a.form, kMarkChoices.size());
            if (p.movable != 0) {
                if (a.independent == 0) p.movable = kTrue;
                if (a.independent == 1) p.movable = 1;
            }
            break;
        }
        case kKindLine: {
            LineRecord& l = f.Lines[ref.index];
            StoreCommon(l, a);
            StoreChoice(l.form, a.form, kFormChoices.size());
            break;
        }
        default:
            StoreCommon(f.Circles[ref.index], a);
            break;
    }
}

void CommandOK_Click(App& app, Host& host, Surface& surface, i16 kind,
                     const AttributeAnswer& answer) {
    const ObjectRef ref = TakeOpenTarget(app.session, kind);
    // An answer for an object that went away while the dialog was open (undone, or its figure
    // replaced) stores nothing: the reference is empty or past the end of its table.
    StoreAttributes(app.figure, ref, answer);
    host.HideAttributeDialog(kind);
    RedrawAfterAnswer(app, host, surface);
}

void CommandCancel_Click(App& app, Host& host, Surface& surface, i16 kind) {
    TakeOpenTarget(app.session, kind);
    host.HideAttributeDialog(kind);
    RedrawAfterAnswer(app, host, surface);
}

void CloseAttributeDialogs(App& app, Host& host) {
    for (i16 kind : {kKindPoint, kKindLine, kKindCircle}) {
        if (TakeOpenTarget(app.session, kind).IsEmpty()) continue;
        host.HideAttributeDialog(kind);
    }
    app.session.AttributeTarget = {};
}

void CloseAttributeDialogOf(App& app, Host& host, ObjectRef gone) {
    if (gone.kind < kKindPoint || gone.kind > kKindCircle) return;
    if (app.session.AttributeOpen[gone.kind] != gone) return;
    TakeOpenTarget(app.session, gone.kind);
    host.HideAttributeDialog(gone.kind);
}

}  // namespace kv
