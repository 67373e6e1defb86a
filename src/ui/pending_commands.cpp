#include "ui/pending_commands.h"

namespace kv {

void AcceptVertex(App&, Host&, Surface&, ObjectRef) {}

}  // namespace kv
