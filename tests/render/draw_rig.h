#pragma once
// A figure, a view on a recording surface of 641 x 481 pixels, and the rest of what the
// drawing functions take.

#include <string>
#include <vector>

#include "model/figure.h"
#include "render/draw_context.h"
#include "render/view_transform.h"
#include "support/recording_surface.h"

namespace kv::test {

struct DrawRig {
    RecordingSurface surface;
    View view;
    std::vector<std::string> messages;
    Notifier note{[this](const std::string& m) { messages.push_back(m); }, nullptr};
    ColourNotice notice;
    Figure figure;
    bool namesMayHide = true;  // as at rest

    DrawRig() { SetScreen(view, surface); }
    DrawContext Ctx() { return DrawContext{surface, view, namesMayHide, note, notice}; }
};

}  // namespace kv::test
