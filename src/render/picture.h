#pragma once
// The picture of the figure as it stands, drawn afresh onto any surface: what an exported
// image, the clipboard and a printed page show. Unlike the full redraw it does not recompute
// the figure, so drawing a picture never changes it.

#include "model/figure.h"
#include "render/draw_context.h"

namespace kv {

struct PictureContent {
    bool numberList = true;  // the list of measured values in the lower-left corner
};

// Clear; grid and axes when they are on; points, lines and circles; the number list when
// asked for; the loci. The surface's user scale must already be installed (SetScreen).
void DrawPicture(const Figure& f, const DrawContext& ctx, const PictureContent& content = {});

}  // namespace kv
