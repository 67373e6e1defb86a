#pragma once
// The attribute dialogs of points, lines and circles: the menu command picks the object, the
// dialog shows its name, colour, locus colour and display form (and, for a free point, whether
// dragging offers it), and "設定" stores them. The window shows the dialogs and reports their
// buttons here.

#include "model/figure.h"
#include "render/surface.h"
#include "ui/attribute_dialog_view.h"
#include "ui/host.h"
#include "ui/modes.h"
#include "ui/session.h"

namespace kv {

// "基本的なことの設定" → "点" / "直線" / "円", and the same items under "軌跡" → "設定".
// In "標準" or during a drag, which goes on when the command ends; elsewhere (the menu ends any
// other activity first) the command beeps.
void mnuEbasicPt_Click(App& app, Host& host, Surface& surface);
void mnuEbasicLine_Click(App& app, Host& host, Surface& surface);
void mnuEbasicCircle_Click(App& app, Host& host, Surface& surface);

// The pick was accepted: the dialog of the object's kind is filled and shown, and the edit
// mode goes, so that the dialog stays open in the mode that was current before the command.
// A reference to no object of the figure opens nothing.
void OpenAttributeDialog(App& app, Host& host, Surface& surface, ObjectRef ref);

// What the dialog shows for an object of the figure.
AttributeDialogView AttributeDialogFor(const Figure& f, ObjectRef ref);
// Stores the answer into the object's record. A selection outside its list (or none) leaves
// that field as it was; a constructed point never becomes draggable.
void StoreAttributes(Figure& f, ObjectRef ref, const AttributeAnswer& answer);

// "設定" and "キャンセル" of the dialog of a kind (1 point, 2 line, 3 circle). Both hide the
// dialog and redraw; only "設定" stores, and only into the object the dialog was opened for.
void CommandOK_Click(App& app, Host& host, Surface& surface, i16 kind,
                     const AttributeAnswer& answer);
void CommandCancel_Click(App& app, Host& host, Surface& surface, i16 kind);

// The figure was replaced (a file was loaded, a new figure begun): the open dialogs belong to
// objects that are gone, so they are hidden and will store nothing.
void CloseAttributeDialogs(App& app, Host& host);
// An object was taken away (undo): its dialog, if open, is hidden, so that an answer cannot
// reach the next object built at the same place.
void CloseAttributeDialogOf(App& app, Host& host, ObjectRef gone);

}  // namespace kv
