#pragma once
// Drawing the figure's points, lines and circles and the point names. There is no model of
// the picture: an object is erased by drawing it again in the background colour. Everything
// is clipped in world coordinates before it reaches the surface, so extreme or non-finite
// values draw nothing rather than hang or overflow.

#include "engine/drag_dependents.h"
#include "model/figure.h"
#include "render/draw_context.h"

namespace kv {

// Which tables DrawObject and DrawPointLabel read: the saved copy holds the picture as it
// was before the current change.
constexpr int kSourceCurrent = 0;
constexpr int kSourceSaved = 2;

// Highlight values of DrawObject: from 10 on the object is drawn in its locus colour and its
// name is erased; from 20 on in the colour (highlight mod 10), so 20 paints it over.
constexpr int kHighlightTrace = 10;
constexpr int kHighlightErase = 20;

// From a record value (also used for locus images): nothing for an undefined object.
// A point's mark: nothing outside |x|, |y| <= 1000 or for an unknown mark value.
void DrawPointMark(const PointRecord& p, const DrawContext& ctx);
void DrawLineRecord(const LineRecord& l, const DrawContext& ctx);
// Nothing for a radius above 1000.
void DrawCircleRecord(const CircleRecord& c, const DrawContext& ctx);

// Draws (colour != 0) or erases (colour 0) a point's name with its top-left corner at the
// point. Colours from 8 on print the name in the background grey on a box of colour mod 8.
// Hidden names stay hidden in modes 2, 6 and 16 only; erasing always proceeds.
void DrawPointLabel(const Figure& f, ObjectRef ref, int colour, int source, const DrawContext& ctx);

// One point, line or circle from the current (or, with kSourceSaved, the saved) tables.
// `highlight` 0 is normal drawing; below 8 it is also the colour of an object whose own
// colour is 0; see kHighlightTrace and kHighlightErase for the rest.
void DrawObject(const Figure& f, ObjectRef ref, int highlight, int source, const DrawContext& ctx);

// All points, lines and circles in that order; objects of colour 0 and points whose mark is
// 10 or more (highlighted by the interaction) are skipped.
void DrawFigure(const Figure& f, const DrawContext& ctx);
// The same for the objects a drag moves (`live`) or for those it leaves alone (not `live`).
void DrawFigurePart(const Figure& f, const DragDependents& d, bool live, const DrawContext& ctx);

// The stored locus images: points, then lines, then circles.
void DrawLoci(const Figure& f, const DrawContext& ctx);

}  // namespace kv
