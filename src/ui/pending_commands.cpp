#include "ui/pending_commands.h"

namespace kv {

void mnuDeform1Pt_Click(App&, Host&, Surface&) {}
void DragStep(App&, Host&, Surface&, double, double) {}
void DragArrowKey(App&, Host&, Surface&, int) {}
void PickAtMouse(App&, Host&, Surface&, double, double) {}
void PickKey(App&, Host&, Surface&, int) {}
void PlaceNewPoint(App&, Host&, Surface&, double, double) {}
void NewPointKey(App&, Host&, Surface&, int) {}

}  // namespace kv
