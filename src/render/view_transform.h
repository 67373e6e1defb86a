#pragma once
// The mapping between the figure plane and the client area, the zoom commands, and the unit
// grid with the two axes. The menu's zoom commands change only how many world units one pixel
// covers, about the centre of the client area, which shows the origin until the view is
// panned or zoomed about another point (the wheel) or fitted to the figure.

#include "engine/notifier.h"
#include "render/surface.h"
#include "render/view.h"

namespace kv {

constexpr double kDefaultPixelSize = 0.05;  // 20 pixels per world unit
// Magnifying below this shows the floor message and returns to the default scale.
constexpr double kPixelSizeFloor = 0.0001;
// Shrinking stops here (2^100): the view extents of any client area stay finite even in the
// single precision that drawing coordinates are passed in.
constexpr double kPixelSizeCeiling = 1267650600228229401496703205376.0;
inline constexpr const char* kZoomFloorMessage = "そろそろ限界ですので,元の画面に戻します";

struct PixelPos {
    double x = 0.0, y = 0.0;
};
struct WorldPos {
    double x = 0.0, y = 0.0;
};

// A user scale on a client area of pixelWidth x pixelHeight pixels: pixel (0, 0) is the
// top-left corner and shows (left, top); the client area spans width x height world units
// (a negative height makes y grow upwards). Pixel coordinates are continuous: pixel column
// i covers [i, i + 1).
struct ViewMapping {
    double left = 0.0, top = 0.0, width = 1.0, height = 1.0;
    int pixelWidth = 1, pixelHeight = 1;

    PixelPos WorldToPixel(double x, double y) const {
        return {(x - left) * pixelWidth / width, (y - top) * pixelHeight / height};
    }
    WorldPos PixelToWorld(double px, double py) const {
        return {left + px * width / pixelWidth, top + py * height / pixelHeight};
    }
    // Lengths along x and y, in pixels.
    double WorldToPixelX(double len) const { return len * pixelWidth / width; }
    double WorldToPixelY(double len) const {
        return len * pixelHeight / (height < 0 ? -height : height);
    }
};

// The mapping SetScreen installs for a client area of w x h pixels (reads PixelSize and the
// centre).
ViewMapping MappingOf(const View& v, int w, int h);

// Recomputes HalfWidth and HalfHeight from the client size and PixelSize and installs the
// user scale on the surface. Does not redraw.
void SetScreen(View& v, Surface& s);

// Gives the surface the view's pen width and font size (clamped to 1..10 and 6..100) and
// whether it draws smoothly.
void ApplyDisplaySettings(const View& v, Surface& s);

// Grid and axes once over the current picture, without clearing: dark grey when ShowAxes is
// on, a grey close to the background when it is off (so switching off leaves faint lines
// until the next full redraw).
void DrawAxis(const View& v, Surface& s);

// The zoom commands change PixelSize and call SetScreen; the caller follows each with the
// full redraw.
void ZoomDefault(View& v, Surface& s);
void ZoomIn(View& v, Surface& s, const Notifier& note);
void ZoomOut(View& v, Surface& s);

// Flips ShowAxes and paints grid and axes at once, without a redraw.
void ToggleAxes(View& v, Surface& s);

// The wheel: multiplies PixelSize by `factor` (kept between kPixelSizeFloor and
// kPixelSizeCeiling) so that the world point under the client pixel (px, py) stays under it.
void ZoomAbout(View& v, Surface& s, double factor, double px, double py);
// Moves the view by (dx, dy) pixels: the picture follows the pointer, right and down.
void PanBy(View& v, Surface& s, double dx, double dy);
// Shows the world rectangle [x0, x1] x [y0, y1] as large as the client area allows, centred,
// within the zoom limits; a rectangle without extent keeps the scale and is only centred.
void FitRectangle(View& v, Surface& s, double x0, double y0, double x1, double y1);

}  // namespace kv
