#include "ui/pending_commands.h"

namespace kv {

void BindPointChosen(App&, Host&, Surface&, ObjectRef) {}
void BindTargetChosen(App&, Host&, Surface&, ObjectRef) {}
void AcceptVertex(App&, Host&, Surface&, ObjectRef) {}

}  // namespace kv
