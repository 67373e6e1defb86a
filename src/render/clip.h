#pragma once
// Clipping in world coordinates, before anything is converted to the single precision of
// the drawing calls: what lies far outside the window, or is not finite, is never passed on.

#include "render/view.h"

namespace kv {

// The visible rectangle widened by a margin of a few pixels (enough for thick pens and
// marks), so that clipping never changes what shows inside the window.
struct ClipRect {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
    bool Contains(double x, double y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

ClipRect DrawableRect(const View& v);

// Cuts the segment to the rectangle; false when nothing of it is inside or an end is not
// finite. Ends inside the rectangle are left exactly as they are.
bool ClipSegment(const ClipRect& r, double& x1, double& y1, double& x2, double& y2);

// Whether a circle outline passes through the rectangle (it neither lies wholly outside nor
// wholly encloses it); false for anything not finite.
bool CircleCrossesRect(const ClipRect& r, double cx, double cy, double radius);

}  // namespace kv
