#include "ui/pending_commands.h"

namespace kv {

void PickAtMouse(App&, Host&, Surface&, double, double) {}
void PickKey(App&, Host&, Surface&, int) {}
void PlaceNewPoint(App&, Host&, Surface&, double, double) {}
void NewPointKey(App&, Host&, Surface&, int) {}

}  // namespace kv
