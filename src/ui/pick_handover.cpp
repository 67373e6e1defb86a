#include "ui/pick_handover.h"

#include "ui/attributes.h"
#include "ui/binding.h"
#include "ui/construction.h"
#include "ui/macros.h"
#include "ui/modes.h"
#include "ui/picking.h"
#include "ui/redraw.h"

namespace kv {

namespace {

constexpr int kColourNone = 0;

// The point to drag was chosen: "変形" goes on with it, without the candidates' marks. A cancel
// leaves "変形" as well.
void DragPointChosen(App& app, Host& host, Surface& surface, ObjectRef ref) {
    if (ref.index == 0) {
        PopMode(app.session);
        FullRedraw(app, host, surface);
        return;
    }
    app.session.DragPoint = ref.index;
    DrawAllCandidates(app, host, surface, kColourNone);
}

}  // namespace

void HandOverPick(App& app, Host& host, Surface& surface, PickPurpose purpose, ObjectRef ref) {
    switch (purpose) {
        case PickPurpose::kConstructionInput:
            AcceptInput(app, host, surface, ref);
            break;
        case PickPurpose::kPolygonVertex:
            AcceptVertex(app, host, surface, ref);
            break;
        case PickPurpose::kDrag:
            DragPointChosen(app, host, surface, ref);
            break;
        case PickPurpose::kAttribute:
            OpenAttributeDialog(app, host, surface, ref);
            break;
        case PickPurpose::kBindPoint:
            BindPointChosen(app, host, surface, ref);
            break;
        case PickPurpose::kBindTarget:
            BindTargetChosen(app, host, surface, ref);
            break;
        case PickPurpose::kNone:
            break;
    }
}

}  // namespace kv
