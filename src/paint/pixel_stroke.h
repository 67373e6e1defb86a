#pragma once
// One-pixel solid strokes written straight into a 32-bit image, pixel for pixel as the raster
// painter draws them with a one-pixel cosmetic pen, whole-pixel or smooth. Most of a picture
// is such strokes (lines across the window, circles, the one-pixel marks), and the painter's
// per-call and per-pixel overhead is most of its cost; writing the same pixels here keeps the
// picture exactly as it was, faster.
//
// The rules followed are the painter's: coordinates in 26.6 fixed point, stepping along the
// major axis in 16.16, a square cap extending each open end by half a pixel, clipping to the
// image widened by a pixel or two. Whole-pixel strokes set one pixel per step and, for closed
// outlines, take the pixel where the outline ends into account where it begins; smooth ones
// blend the two pixels across the stroke by how near each lies. A circle is four cubic
// curves, halved until flat enough.

#include <climits>
#include <cstdint>

namespace kv {

// `coverage` (0..255) of the opaque `colour` over `pixel`, as the painter blends a smooth edge:
// each byte times coverage / 255, rounded, four at a time, the colour's share over what the
// pixel keeps of itself.
inline void BlendPixel(std::uint32_t& pixel, std::uint32_t colour, unsigned coverage) {
    if (coverage == 0) return;
    if (coverage >= 255) {
        pixel = colour;
        return;
    }
    const auto scale = [](std::uint32_t v, unsigned a) {
        std::uint64_t t =
            ((std::uint64_t{v} | (std::uint64_t{v} << 24)) & 0x00ff00ff00ff00ffULL) * a;
        t = (t + ((t >> 8) & 0x00ff00ff00ff00ffULL) + 0x0080008000800080ULL) >> 8;
        t &= 0x00ff00ff00ff00ffULL;
        return static_cast<std::uint32_t>(t) | static_cast<std::uint32_t>(t >> 24);
    };
    const std::uint32_t ink = scale(colour, coverage);
    pixel = ink + scale(pixel, 255 - (ink >> 24));
}

class PixelStroke {
  public:
    // `pixels` holds `height` rows of `width` opaque pixels, `pixelsPerLine` apart. Pixels
    // outside the image are never written. `caps`: square caps (a solid pen); false for flat
    // ones. `smooth`: antialiased strokes.
    PixelStroke(std::uint32_t* pixels, int width, int height, std::intptr_t pixelsPerLine,
                std::uint32_t colour, bool caps, bool smooth = false);

    // A segment between two points; a single pixel when they coincide.
    void Line(double x1, double y1, double x2, double y2);
    // The outline of the ellipse inscribed in the rectangle (left, top, width, height), as the
    // painter strokes it smoothly, or whole-pixel when it does not lie on whole pixels (see
    // LiesOnWholePixels).
    void Ellipse(double left, double top, double width, double height);
    // Whether the painter draws this ellipse's outline another way (a rectangle on whole
    // pixels); such ellipses are left to it.
    static bool LiesOnWholePixels(double left, double top, double width, double height);
    // The pixel nearest to (x, y), in full.
    void Point(double x, double y);
    // `coverage` (0..255) of the colour over pixel (x, y), as the painter blends a smooth edge.
    void Blend(int x, int y, unsigned coverage) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        BlendPixel(pixels_[y * stride_ + x], colour_, coverage);
    }
    // Pixels `from` up to `to` of row y in full.
    void Span(int y, int from, int to) {
        if (y < 0 || y >= height_) return;
        from = from < 0 ? 0 : from;
        to = to > width_ ? width_ : to;
        for (std::uint32_t* p = pixels_ + y * stride_ + from; from < to; ++from) *p++ = colour_;
    }

  private:
    struct Pixel {
        int x = INT_MIN;
        int y = INT_MIN;
    };
    struct Node {
        double x, y;
    };

    void Plot(int x, int y) {
        if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
        pixels_[y * stride_ + x] = colour_;
    }
    template <bool kVertical>
    void SmoothRun(int a1, int b1, int a2, int b2, int caps);
    // Cuts the segment to the widened image; true when nothing of it is left.
    bool Clip(double& x1, double& y1, double& x2, double& y2);
    // One piece of an outline: the pixels from (x1, y1) to (x2, y2) that the pieces before it
    // (ending at last_, heading lastDir_) have not drawn, with `caps` on its ends.
    void Stroke(double x1, double y1, double x2, double y2, int caps);
    template <bool kVertical>
    void Run(int a1, int b1, int a2, int b2, int caps);
    // Where a closed outline's last piece ends, so its first piece neither repeats nor misses
    // the pixel where they meet.
    void NoteEndOf(double x1, double y1, double x2, double y2);
    template <bool kVertical>
    void NoteRun(int a1, int b1, int a2, int b2);
    void Cubic(Node* nodes, int level);

    std::uint32_t* pixels_;
    int width_, height_;
    std::intptr_t stride_;
    std::uint32_t colour_;
    bool caps_;
    bool smooth_;
    double xmin_, xmax_, ymin_, ymax_;
    Pixel last_;
    int lastDir_ = 0;
    bool lastAxisAligned_ = false;
};

}  // namespace kv
