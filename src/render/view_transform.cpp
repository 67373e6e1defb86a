#include "render/view_transform.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

// A client area narrower than two pixels would give an empty world extent; it is treated as
// two pixels wide so that the mapping stays invertible.
int UsablePixels(int n) {
    return std::max(n, 2);
}

double HalfExtent(int pixels, double pixelSize) {
    return (UsablePixels(pixels) - 1) * pixelSize / 2;
}

}  // namespace

ViewMapping MappingOf(const View& v, int w, int h) {
    const double hw = HalfExtent(w, v.PixelSize);
    const double hh = HalfExtent(h, v.PixelSize);
    return ViewMapping{-hw, hh, 2 * hw, -2 * hh, UsablePixels(w), UsablePixels(h)};
}

void SetScreen(View& v, Surface& s) {
    s.SetPixelScale();
    const int w = s.PixelWidth();
    const int h = s.PixelHeight();
    v.HalfWidth = HalfExtent(w, v.PixelSize);
    v.HalfHeight = HalfExtent(h, v.PixelSize);
    s.SetUserScale(-v.HalfWidth, v.HalfHeight, 2 * v.HalfWidth, -2 * v.HalfHeight);
}

void ApplyDisplaySettings(const View& v, Surface& s) {
    s.SetPenWidth(std::clamp(v.PenWidth, 1, 10));
    s.SetFontSize(std::clamp(v.FontSize, 6, 100));
}

void DrawAxis(const View& v, Surface& s) {
    const bool wasDotted = s.Dotted();
    const std::uint8_t g = v.ShowAxes ? 170 : 190;
    const Rgb grey{g, g, g};
    const double hw = v.HalfWidth;
    const double hh = v.HalfHeight;
    const auto fw = static_cast<float>(hw);
    const auto fh = static_cast<float>(hh);

    s.SetDotted(true);
    if (v.PixelSize <= 1) {
        // Unit spacing is at least one pixel, so there are at most as many lines as pixels.
        const auto kx = static_cast<long long>(std::floor(hw));
        for (long long k = -kx; k <= kx; ++k) {
            const auto x = static_cast<float>(k);
            s.Line(x, -fh, x, fh, grey);
        }
        const auto ky = static_cast<long long>(std::floor(hh));
        for (long long k = -ky; k <= ky; ++k) {
            const auto y = static_cast<float>(k);
            s.Line(-fw, y, fw, y, grey);
        }
    } else {
        // Unit lines closer than a pixel would fill every pixel column and row: draw exactly
        // one line through each, which is the same picture at a cost bounded by the size.
        const ViewMapping m = MappingOf(v, s.PixelWidth(), s.PixelHeight());
        for (int px = 0; px < m.pixelWidth; ++px) {
            const auto x = static_cast<float>(m.PixelToWorld(px + 0.5, 0).x);
            s.Line(x, -fh, x, fh, grey);
        }
        for (int py = 0; py < m.pixelHeight; ++py) {
            const auto y = static_cast<float>(m.PixelToWorld(0, py + 0.5).y);
            s.Line(-fw, y, fw, y, grey);
        }
    }
    s.SetDotted(false);
    s.Line(0, -fh, 0, fh, grey);
    s.Line(-fw, 0, fw, 0, grey);
    s.SetDotted(wasDotted);
}

void ZoomDefault(View& v, Surface& s) {
    v.PixelSize = kDefaultPixelSize;
    SetScreen(v, s);
}

void ZoomIn(View& v, Surface& s, const Notifier& note) {
    v.PixelSize /= 2;
    if (v.PixelSize < kPixelSizeFloor) {
        note.Message(kZoomFloorMessage);
        v.PixelSize = kDefaultPixelSize;
    }
    SetScreen(v, s);
}

void ZoomOut(View& v, Surface& s) {
    if (v.PixelSize * 2 <= kPixelSizeCeiling) v.PixelSize *= 2;
    SetScreen(v, s);
}

void ToggleAxes(View& v, Surface& s) {
    v.ShowAxes = static_cast<i16>(~v.ShowAxes);
    DrawAxis(v, s);
}

}  // namespace kv
