#include "ui/pending_commands.h"

namespace kv {

void OpenAttributeDialog(App&, Host&, Surface&, ObjectRef) {}
void BindPointChosen(App&, Host&, Surface&, ObjectRef) {}
void BindTargetChosen(App&, Host&, Surface&, ObjectRef) {}

}  // namespace kv
