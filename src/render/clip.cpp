#include "render/clip.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {
constexpr double kMarginPixels = 24;  // above the widest pen (10) plus the largest mark (5)
}

ClipRect DrawableRect(const View& v) {
    const double m = kMarginPixels * v.PixelSize;
    return ClipRect{v.CentreX - v.HalfWidth - m, v.CentreY - v.HalfHeight - m,
                    v.CentreX + v.HalfWidth + m, v.CentreY + v.HalfHeight + m};
}

bool ClipSegment(const ClipRect& r, double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    // Ends near the largest doubles would overflow the difference: work at half scale then.
    const double k = std::isfinite(x2 - x1) && std::isfinite(y2 - y1) ? 1.0 : 0.5;
    const double ax = x1 * k, ay = y1 * k, bx = x2 * k, by = y2 * k;
    const double dx = bx - ax, dy = by - ay;
    const double lo[2] = {r.x0 * k, r.y0 * k};
    const double hi[2] = {r.x1 * k, r.y1 * k};
    // Liang-Barsky: boundaries 0..3 are left, right, bottom, top.
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - lo[0], hi[0] - ax, ay - lo[1], hi[1] - ay};
    double t0 = 0.0, t1 = 1.0;
    int enter = -1, leave = -1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t0) t0 = t, enter = i;
        } else if (t < t1) {
            t1 = t, leave = i;
        }
        if (t0 > t1) return false;
    }
    // A cut end lies exactly on its boundary; its other coordinate is interpolated from the
    // nearer end (keeping cancellation small for very long segments) and kept in the rectangle.
    const auto cut = [&](int boundary, double t, double& x, double& y) {
        const double bound = boundary % 2 == 0 ? lo[boundary / 2] : hi[boundary / 2];
        if (boundary < 2) {
            x = bound;
            y = std::clamp(t <= 0.5 ? ay + t * dy : by - (1 - t) * dy, lo[1], hi[1]);
        } else {
            y = bound;
            x = std::clamp(t <= 0.5 ? ax + t * dx : bx - (1 - t) * dx, lo[0], hi[0]);
        }
    };
    double nx1 = ax, ny1 = ay, nx2 = bx, ny2 = by;
    if (enter >= 0) cut(enter, t0, nx1, ny1);
    if (leave >= 0) cut(leave, t1, nx2, ny2);
    x1 = nx1 / k;
    y1 = ny1 / k;
    x2 = nx2 / k;
    y2 = ny2 / k;
    return true;
}

bool CircleCrossesRect(const ClipRect& r, double cx, double cy, double radius) {
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return false;
    const double nx = std::max({r.x0 - cx, 0.0, cx - r.x1});
    const double ny = std::max({r.y0 - cy, 0.0, cy - r.y1});
    if (std::hypot(nx, ny) > radius) return false;
    const double fx = std::max(std::abs(cx - r.x0), std::abs(cx - r.x1));
    const double fy = std::max(std::abs(cy - r.y0), std::abs(cy - r.y1));
    return std::hypot(fx, fy) >= radius;
}

}  // namespace kv
