#pragma once
// What every drawing function needs besides the figure: the surface, the view, whether the
// current activity lets the "文字表示" option hide point names, and where to report a bad
// colour index.

#include "engine/notifier.h"
#include "render/palette.h"
#include "render/surface.h"
#include "render/view.h"

namespace kv {

struct DrawContext {
    Surface& surface;
    const View& view;
    // True while resting, dragging or calculating: names are hidden when the option says so.
    // Picking and constructing keep them visible, so that what is picked can be told apart.
    bool namesMayHide;
    const Notifier& note;
    ColourNotice& colours;

    Rgb Colour(int index) const { return ColourOf(index, note, colours); }
};

}  // namespace kv
