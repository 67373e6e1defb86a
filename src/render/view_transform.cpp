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
    return ViewMapping{v.CentreX - hw, v.CentreY + hh,  2 * hw,
                       -2 * hh,        UsablePixels(w), UsablePixels(h)};
}

void SetScreen(View& v, Surface& s) {
    s.SetPixelScale();
    const int w = s.PixelWidth();
    const int h = s.PixelHeight();
    v.HalfWidth = HalfExtent(w, v.PixelSize);
    v.HalfHeight = HalfExtent(h, v.PixelSize);
    s.SetUserScale(v.CentreX - v.HalfWidth, v.CentreY + v.HalfHeight, 2 * v.HalfWidth,
                   -2 * v.HalfHeight);
}

void ApplyDisplaySettings(const View& v, Surface& s) {
    s.SetPenWidth(std::clamp(v.PenWidth, 1, 10));
    s.SetFontSize(std::clamp(v.FontSize, 6, 100));
    s.SetSmooth(v.Smooth);
}

void DrawAxis(const View& v, Surface& s) {
    const bool wasDotted = s.Dotted();
    const std::uint8_t g = v.ShowAxes ? 170 : 190;
    const Rgb grey{g, g, g};
    // The visible rectangle; centred on the origin it is -HalfWidth..HalfWidth and
    // -HalfHeight..HalfHeight.
    const double left = v.CentreX - v.HalfWidth, right = v.CentreX + v.HalfWidth;
    const double bottom = v.CentreY - v.HalfHeight, top = v.CentreY + v.HalfHeight;
    const auto fl = static_cast<float>(left), fr = static_cast<float>(right);
    const auto fb = static_cast<float>(bottom), ft = static_cast<float>(top);

    s.SetDotted(true);
    if (v.PixelSize <= 1) {
        // Unit spacing is at least one pixel, so there are at most as many lines as pixels.
        const auto x0 = static_cast<long long>(std::ceil(left));
        const auto x1 = static_cast<long long>(std::floor(right));
        for (long long k = x0; k <= x1; ++k) {
            const auto x = static_cast<float>(k);
            s.Line(x, fb, x, ft, grey);
        }
        const auto y0 = static_cast<long long>(std::ceil(bottom));
        const auto y1 = static_cast<long long>(std::floor(top));
        for (long long k = y0; k <= y1; ++k) {
            const auto y = static_cast<float>(k);
            s.Line(fl, y, fr, y, grey);
        }
    } else {
        // Unit lines closer than a pixel would fill every pixel column and row: draw exactly
        // one line through each, which is the same picture at a cost bounded by the size.
        const ViewMapping m = MappingOf(v, s.PixelWidth(), s.PixelHeight());
        for (int px = 0; px < m.pixelWidth; ++px) {
            const auto x = static_cast<float>(m.PixelToWorld(px + 0.5, 0).x);
            s.Line(x, fb, x, ft, grey);
        }
        for (int py = 0; py < m.pixelHeight; ++py) {
            const auto y = static_cast<float>(m.PixelToWorld(0, py + 0.5).y);
            s.Line(fl, y, fr, y, grey);
        }
    }
    s.SetDotted(false);
    s.Line(0, fb, 0, ft, grey);
    s.Line(fl, 0, fr, 0, grey);
    s.SetDotted(wasDotted);
}

void ZoomDefault(View& v, Surface& s) {
    v.PixelSize = kDefaultPixelSize;
    v.CentreX = 0;
    v.CentreY = 0;
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

namespace {

// A centre is kept only while the view extents around it stay finite.
void SetCentre(View& v, double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    v.CentreX = x;
    v.CentreY = y;
}

}  // namespace

void ZoomAbout(View& v, Surface& s, double factor, double px, double py) {
    if (!(factor > 0) || !std::isfinite(factor)) return;
    const ViewMapping before = MappingOf(v, s.PixelWidth(), s.PixelHeight());
    const WorldPos under = before.PixelToWorld(px, py);
    const double next = std::clamp(v.PixelSize * factor, kPixelSizeFloor, kPixelSizeCeiling);
    const double k = next / v.PixelSize;
    v.PixelSize = next;
    // The point under the pointer keeps its distance in pixels from the centre.
    SetCentre(v, under.x - (under.x - v.CentreX) * k, under.y - (under.y - v.CentreY) * k);
    SetScreen(v, s);
}

void PanBy(View& v, Surface& s, double dx, double dy) {
    const ViewMapping m = MappingOf(v, s.PixelWidth(), s.PixelHeight());
    SetCentre(v, v.CentreX - dx * m.width / m.pixelWidth,
              v.CentreY - dy * m.height / m.pixelHeight);
    SetScreen(v, s);
}

void FitRectangle(View& v, Surface& s, double x0, double y0, double x1, double y1) {
    if (!std::isfinite(x0) || !std::isfinite(y0) || !std::isfinite(x1) || !std::isfinite(y1))
        return;
    const double w = std::abs(x1 - x0), h = std::abs(y1 - y0);
    const int pw = std::max(s.PixelWidth(), 2) - 1, ph = std::max(s.PixelHeight(), 2) - 1;
    const double size = std::max(w / pw, h / ph);
    if (size > 0) v.PixelSize = std::clamp(size, kPixelSizeFloor, kPixelSizeCeiling);
    SetCentre(v, (x0 + x1) / 2, (y0 + y1) / 2);
    SetScreen(v, s);
}

}  // namespace kv
