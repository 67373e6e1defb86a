#pragma once
// What every drawing function needs besides the figure: the surface, the view, the current
// interaction mode (point names follow it), and where to report a bad colour index.

#include "engine/notifier.h"
#include "render/palette.h"
#include "render/surface.h"
#include "render/view.h"

namespace kv {

struct DrawContext {
    Surface& surface;
    const View& view;
    int mode;  // the current interaction mode
    const Notifier& note;
    ColourNotice& colours;

    Rgb Colour(int index) const { return ColourOf(index, note, colours); }
};

}  // namespace kv
