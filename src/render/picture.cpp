#include "render/picture.h"

#include "render/draw.h"
#include "render/number_list.h"
#include "render/view_transform.h"

namespace kv {

void DrawPicture(const Figure& f, const DrawContext& ctx, const PictureContent& content) {
    ApplyDisplaySettings(ctx.view, ctx.surface);
    ctx.surface.Clear();
    if (ctx.view.ShowAxes != 0) DrawAxis(ctx.view, ctx.surface);
    DrawFigure(f, ctx);
    if (content.numberList) DrawNumberLabels(f, ctx);
    DrawLoci(f, ctx);
}

}  // namespace kv
