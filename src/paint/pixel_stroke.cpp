#include "paint/pixel_stroke.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace kv {

namespace {

constexpr int kCapBegin = 1;
constexpr int kCapEnd = 2;

// Directions of the last piece drawn: down and up step along y, right and left along x.
constexpr int kDown = 1, kUp = 2, kUpright = kDown | kUp;
constexpr int kRight = 4, kLeft = 8, kLevel = kRight | kLeft;

// A circle's control points lie this fraction of the radius along the tangents.
constexpr double kKappa = 0.5522847498;
constexpr int kCubicHalvings = 6;

int ToFixed6(double v) {
    return static_cast<int>(v * 64.);
}

// The minor coordinate's step per major step, in 16.16.
std::int64_t StepOf(int minor, int major) {
    return static_cast<std::int64_t>(minor) * (1 << 16) / major;
}

int SwapCaps(int caps) {
    return ((caps & kCapBegin) << 1) | ((caps & kCapEnd) >> 1);
}

}  // namespace

PixelStroke::PixelStroke(std::uint32_t* pixels, int width, int height,
                         std::intptr_t pixelsPerLine, std::uint32_t colour, bool caps,
                         bool smooth)
    : pixels_(pixels),
      width_(width),
      height_(height),
      stride_(pixelsPerLine),
      colour_(colour),
      caps_(caps),
      smooth_(smooth),
      xmin_(-1),
      xmax_(width + 1),
      ymin_(-1),
      ymax_(height + 1) {}

bool PixelStroke::Clip(double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return true;
    // Along one axis (u, with v the other): each end is moved onto the widened edge it lies
    // beyond; a moved far end forgets where the outline was, as the painter does. True when
    // the segment lies wholly beyond an edge.
    const auto cut = [&](double& u1, double& v1, double& u2, double& v2, double lo, double hi) {
        if (u1 < lo) {
            if (u2 <= lo) return true;
            v1 += (v2 - v1) / (u2 - u1) * (lo - u1);
            u1 = lo;
        } else if (u1 > hi) {
            if (u2 >= hi) return true;
            v1 += (v2 - v1) / (u2 - u1) * (hi - u1);
            u1 = hi;
        }
        if (u2 < lo || u2 > hi) {
            const double edge = u2 < lo ? lo : hi;
            last_.x = INT_MIN;
            v2 += (v2 - v1) / (u2 - u1) * (edge - u2);
            u2 = edge;
        }
        return false;
    };
    if (cut(x1, y1, x2, y2, xmin_, xmax_) || cut(y1, x1, y2, x2, ymin_, ymax_)) {
        last_.x = INT_MIN;
        return true;
    }
    return false;
}

void PixelStroke::Point(double x, double y) {
    // Halves round away from zero.
    Plot(static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)));
}

void PixelStroke::Line(double x1, double y1, double x2, double y2) {
    if (x1 == x2 && y1 == y2) {
        Point(x1, y1);
        return;
    }
    last_ = Pixel{};
    lastDir_ = 0;
    Stroke(x1, y1, x2, y2, caps_ ? kCapBegin | kCapEnd : 0);
}

void PixelStroke::Stroke(double x1, double y1, double x2, double y2, int caps) {
    if (Clip(x1, y1, x2, y2)) return;
    const int fx1 = ToFixed6(x1), fy1 = ToFixed6(y1);
    const int fx2 = ToFixed6(x2), fy2 = ToFixed6(y2);
    const int dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
    if (smooth_) {
        if (dx < dy) {
            SmoothRun<true>(fy1, fx1, fy2, fx2, caps);
        } else if (dx != 0) {
            SmoothRun<false>(fx1, fy1, fx2, fy2, caps);
        }
        return;
    }
    if (dx < dy) {
        Run<true>(fy1, fx1, fy2, fx2, caps);
    } else if (dx != 0) {
        Run<false>(fx1, fy1, fx2, fy2, caps);
    }
}

// `a` is the major coordinate (y for a steep piece), `b` the minor one, both in 26.6.
template <bool kVertical>
void PixelStroke::Run(int a1, int b1, int a2, int b2, int caps) {
    const auto at = [](int major, std::int64_t minor16) {
        const int minor = static_cast<int>(minor16 >> 16);
        return kVertical ? Pixel{minor, major} : Pixel{major, minor};
    };
    const auto majorOf = [](const Pixel& p) { return kVertical ? p.y : p.x; };
    const int mask = kVertical ? kUpright : kLevel;
    Pixel last = last_;
    int dir = kVertical ? kDown : kRight;
    bool swapped = false;
    if (a1 > a2) {
        swapped = true;
        std::swap(a1, a2);
        std::swap(b1, b2);
        caps = SwapCaps(caps);
        dir = kVertical ? kUp : kLeft;
    }
    const std::int64_t step = StepOf(b2 - b1, a2 - a1);
    std::int64_t b = static_cast<std::int64_t>(b1) * (1 << 10);
    // Turning back along the same axis, the piece overlaps the last one by a cap.
    if ((lastDir_ ^ mask) == dir) caps |= swapped ? kCapEnd : kCapBegin;
    if (caps & kCapBegin) {
        a1 -= 32;
        b -= step >> 1;
    }
    if (caps & kCapEnd) a2 += 32;

    int a = (a1 + 32) >> 6;
    int end = (a2 + 32) >> 6;
    const int round = step > 0 ? 32 : 0;
    if ((caps & kCapBegin) && majorOf(last_) == a + 1) ++a;
    if (a == end) return;

    b += ((a * (1 << 6)) + round - a1) * step >> 6;
    Pixel first = at(a, b);
    last = at(end - 1, b + (end - a - 1) * step);
    if (swapped) std::swap(first, last);

    const bool axisAligned = std::llabs(step) < (1 << 14);
    if (last_.x > INT_MIN) {
        const int gapX = std::abs(last_.x - first.x), gapY = std::abs(last_.y - first.y);
        if (first.x == last_.x && first.y == last_.y) {
            // The pixel where the last piece ended is not drawn twice.
            if (swapped) {
                --end;
            } else {
                ++a;
                b += step;
            }
        } else if (lastDir_ != dir &&
                   ((axisAligned && lastAxisAligned_ && last_.x != first.x && last_.y != first.y) ||
                    gapX > 1 || gapY > 1)) {
            // Nor is a pixel missed between them.
            if (swapped) {
                ++end;
            } else {
                --a;
                b -= step;
            }
        } else if (lastDir_ == dir && gapX <= 1 && gapY > 1) {
            b += step >> 1;
            const Pixel moved = swapped ? at(0, b) : at(0, b + (end - a - 1) * step);
            (kVertical ? last.x : last.y) = kVertical ? moved.x : moved.y;
        }
    }
    lastDir_ = dir;
    lastAxisAligned_ = axisAligned;
    do {
        const Pixel p = at(a, b);
        Plot(p.x, p.y);
        b += step;
    } while (++a < end);
    last_ = last;
}

// As Run, but spreading each step over the two pixels across the stroke, and the ends over
// the part of their pixel the stroke covers.
template <bool kVertical>
void PixelStroke::SmoothRun(int a1, int b1, int a2, int b2, int caps) {
    // `weight`: the 64ths of the step the stroke covers along its length.
    const auto blend = [&](int major, std::int64_t minor16, unsigned weight) {
        const auto minor = static_cast<int>(minor16 >> 16);
        const unsigned share = static_cast<std::uint8_t>(minor16 >> 8);
        const unsigned near = (255 - share) * weight >> 6, far = share * weight >> 6;
        if (kVertical) {
            Blend(minor, major, near);
            Blend(minor + 1, major, far);
        } else {
            Blend(major, minor, near);
            Blend(major, minor + 1, far);
        }
    };
    const std::int64_t step = StepOf(b2 - b1, a2 - a1);
    if (a1 > a2) {
        std::swap(a1, a2);
        std::swap(b1, b2);
        caps = SwapCaps(caps);
    }
    std::int64_t b = static_cast<std::int64_t>(b1 - 32) * (1 << 10);
    b -= (((a1 & 63) - 32) * step) >> 6;
    if (caps & kCapBegin) {
        a1 -= 32;
        b -= step >> 1;
    }
    if (caps & kCapEnd) a2 += 32;
    int a = a1 >> 6;
    const int end = a2 >> 6;
    const int startShare = a == end ? a2 - a1 : 64 - (a1 & 63);
    const int endShare = a == end ? 0 : a2 & 63;
    blend(a, b, static_cast<unsigned>(startShare));
    b += step;
    for (++a; a < end; ++a, b += step) blend(a, b, 64);
    if (endShare != 0) blend(a, b, static_cast<unsigned>(endShare));
}

void PixelStroke::NoteEndOf(double x1, double y1, double x2, double y2) {
    last_ = Pixel{};
    if (Clip(x1, y1, x2, y2)) return;
    const int fx1 = ToFixed6(x1), fy1 = ToFixed6(y1);
    const int fx2 = ToFixed6(x2), fy2 = ToFixed6(y2);
    const int dx = std::abs(fx2 - fx1), dy = std::abs(fy2 - fy1);
    if (dx < dy) {
        NoteRun<true>(fy1, fx1, fy2, fx2);
    } else if (dx != 0) {
        NoteRun<false>(fx1, fy1, fx2, fy2);
    }
}

template <bool kVertical>
void PixelStroke::NoteRun(int a1, int b1, int a2, int b2) {
    bool swapped = false;
    if (a1 > a2) {
        swapped = true;
        std::swap(a1, a2);
        std::swap(b1, b2);
    }
    const std::int64_t step = StepOf(b2 - b1, a2 - a1);
    std::int64_t b = static_cast<std::int64_t>(b1) * (1 << 10);
    const int a = (a1 + 32) >> 6;
    const int end = (a2 + 32) >> 6;
    const int round = step > 0 ? 32 : 0;
    if (a == end) return;
    b += ((a * (1 << 6)) + round - a1) * step >> 6;
    const int major = swapped ? a : end - 1;
    const auto minor = static_cast<int>((swapped ? b : b + (end - a - 1) * step) >> 16);
    last_ = kVertical ? Pixel{minor, major} : Pixel{major, minor};
    lastDir_ = kVertical ? (swapped ? kUp : kDown) : (swapped ? kLeft : kRight);
    lastAxisAligned_ = std::llabs(step) < (1 << 14);
}

bool PixelStroke::LiesOnWholePixels(double left, double top, double width, double height) {
    // The painter compares such rectangles loosely; anything close to whole pixels is left
    // to it.
    const auto whole = [](double v) { return std::abs(v - std::round(v)) < 1e-6; };
    return whole(left) && whole(top) && whole(left + width) && whole(top + height);
}

void PixelStroke::Ellipse(double x, double y, double w, double h) {
    if (w == 0 && h == 0) return;
    if (std::isnan(x) || std::isnan(y) || std::isnan(w) || std::isnan(h)) return;
    lastDir_ = 0;
    const double w2 = w / 2, w2k = w2 * kKappa;
    const double h2 = h / 2, h2k = h2 * kKappa;
    // The start and twelve control and end points, clockwise on the screen from the right.
    const Node path[13] = {
        {x + w, y + h2},
        {x + w, y + h2 + h2k}, {x + w2 + w2k, y + h}, {x + w2, y + h},
        {x + w2 - w2k, y + h}, {x, y + h2 + h2k},     {x, y + h2},
        {x, y + h2 - h2k},     {x + w2 - w2k, y},     {x + w2, y},
        {x + w2 + w2k, y},     {x + w, y + h2 - h2k}, {x + w, y + h2},
    };
    NoteEndOf(path[11].x, path[11].y, path[12].x, path[12].y);
    for (int c = 0; c < 4; ++c) {
        const Node* from = path + 3 * c;
        // Held end first: the halving works from the back of the buffer.
        Node nodes[3 * kCubicHalvings + 4];
        nodes[3] = from[0];
        nodes[2] = from[1];
        nodes[1] = from[2];
        nodes[0] = from[3];
        Cubic(nodes, kCubicHalvings);
    }
}

void PixelStroke::Cubic(Node* n, int level) {
    if (level > 0) {
        const double dx = n[3].x - n[0].x;
        const double dy = n[3].y - n[0].y;
        const double len = .25 * (std::abs(dx) + std::abs(dy));
        if (std::abs(dx * (n[0].y - n[2].y) - dy * (n[0].x - n[2].x)) >= len ||
            std::abs(dx * (n[0].y - n[1].y) - dy * (n[0].x - n[1].x)) >= len) {
            // Halves the curve: n[3..6] becomes the first half, n[0..3] the second.
            const auto halve = [&](double Node::*c) {
                n[6].*c = n[3].*c;
                double p = n[1].*c;
                const double q = n[2].*c;
                double a = (n[0].*c + p) * .5;
                double b = (n[3].*c + q) * .5;
                n[1].*c = a;
                n[5].*c = b;
                p = (p + q) * .5;
                n[2].*c = a = (a + p) * .5;
                n[4].*c = b = (b + p) * .5;
                n[3].*c = (a + b) * .5;
            };
            halve(&Node::x);
            halve(&Node::y);
            Cubic(n + 3, level - 1);
            Cubic(n, level - 1);
            return;
        }
    }
    Stroke(n[3].x, n[3].y, n[0].x, n[0].y, 0);
}

}  // namespace kv
