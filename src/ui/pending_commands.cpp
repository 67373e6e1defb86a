#include "ui/pending_commands.h"

namespace kv {

void mnuDeform1Pt_Click(App&, Host&, Surface&) {}
void DragStep(App&, Host&, Surface&, double, double) {}
void DragArrowKey(App&, Host&, Surface&, int) {}
void OpenAttributeDialog(App&, Host&, Surface&, ObjectRef) {}
void BindPointChosen(App&, Host&, Surface&, ObjectRef) {}
void BindTargetChosen(App&, Host&, Surface&, ObjectRef) {}
void AcceptVertex(App&, Host&, Surface&, ObjectRef) {}

}  // namespace kv
