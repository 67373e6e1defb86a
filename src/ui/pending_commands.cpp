#include "ui/pending_commands.h"

namespace kv {

void OpenAttributeDialog(App&, Host&, Surface&, ObjectRef) {}
void AcceptVertex(App&, Host&, Surface&, ObjectRef) {}

}  // namespace kv
