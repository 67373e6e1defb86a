#include "render/tikz_surface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "render/clip.h"

namespace kv {

namespace {

// One pixel is one CSS pixel, 1/96 inch, as in the SVG and PDF pictures.
constexpr double kCmPerPixel = 2.54 / 96;
// Lengths of pens and fonts: one pixel in points.
constexpr double kPtPerPixel = 72.0 / 96;
// Shapes reaching this far beyond the picture are cut before they are written; the clip path
// hides the rest. TeX's dimensions end near 5.7 m, far beyond any of these.
constexpr double kMarginPixels = 64;
// A circle larger than this many client sizes is written as the polyline of its visible arc.
constexpr double kDirectRadiusFactor = 4;
constexpr int kMaxArcPoints = 4000;

// The colours of the palette by the names the attribute dialogs give them.
struct PaletteName {
    Rgb rgb;
    const char* name;
};
constexpr PaletteName kPaletteNames[] = {
    {{0, 0, 0}, "kvblack"},
    {{0, 0, 128}, "kvblue"},
    {{0, 128, 0}, "kvgreen"},
    {{0, 128, 128}, "kvcyan"},
    {{128, 0, 0}, "kvred"},
    {{128, 0, 128}, "kvpurple"},
    {{128, 128, 0}, "kvyellow"},
    {{192, 192, 192}, "kvbackground"},
    {{128, 128, 128}, "kvgrey"},
    {{0, 0, 255}, "kvbrightblue"},
    {{0, 255, 0}, "kvbrightgreen"},
    {{0, 255, 255}, "kvbrightcyan"},
    {{255, 0, 0}, "kvbrightred"},
    {{255, 0, 255}, "kvbrightpurple"},
    {{255, 255, 0}, "kvbrightyellow"},
    {{255, 255, 255}, "kvwhite"},
};

// A length with at most three decimals and no trailing zeros ("-0" written as "0").
std::string Number(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.3f", v);
    std::string s = buf;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    if (s == "-0" || s.empty()) s = "0";
    return s;
}

bool Finite(PixelPos p) {
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace

std::string LatexText(std::string_view utf8) {
    std::string out;
    for (char c : utf8) {
        switch (c) {
            case '\\':
                out += "\\textbackslash{}";
                break;
            case '{':
            case '}':
            case '#':
            case '$':
            case '%':
            case '&':
            case '_':
                out += '\\';
                out += c;
                break;
            case '~':
                out += "\\textasciitilde{}";
                break;
            case '^':
                out += "\\textasciicircum{}";
                break;
            case ' ':
                out += "\\ ";  // the number list aligns its columns with blanks
                break;
            case '\n':
            case '\r':
                out += "\\ ";
                break;
            default:
                out += c;
        }
    }
    return out;
}

TikzSurface::TikzSurface(int width, int height)
    : width_(std::max(width, 1)), height_(std::max(height, 1)) {
    map_.pixelWidth = width_;
    map_.pixelHeight = height_;
}

void TikzSurface::SetUserScale(double left, double top, double width, double height) {
    if (!std::isfinite(left) || !std::isfinite(top) || !std::isfinite(width) ||
        !std::isfinite(height) || width == 0 || height == 0)
        return;
    map_ = ViewMapping{left, top, width, height, width_, height_};
    user_ = true;
}

PixelPos TikzSurface::ToPixel(double x, double y) const {
    return user_ ? map_.WorldToPixel(x, y) : PixelPos{x, y};
}

std::string TikzSurface::Point(double px, double py) const {
    return "(" + Number(px * kCmPerPixel) + "," + Number((height_ - py) * kCmPerPixel) + ")";
}

std::string TikzSurface::ColourName(Rgb c) {
    for (const NamedColour& n : colours_)
        if (n.rgb == c) return n.name;
    std::string name;
    for (const PaletteName& p : kPaletteNames)
        if (p.rgb == c) name = p.name;
    if (name.empty()) {
        char buf[32];
        if (c.r == c.g && c.g == c.b) {
            std::snprintf(buf, sizeof buf, "kvgrey%d", c.r);
        } else {
            std::snprintf(buf, sizeof buf, "kvrgb%02X%02X%02X", c.r, c.g, c.b);
        }
        name = buf;
    }
    colours_.push_back({c, name});
    return name;
}

std::string TikzSurface::StrokeOptions(Rgb c) {
    std::string o = ColourName(c) + ", line width=" + Number(penWidth_ * kPtPerPixel) + "pt";
    if (dotted_) {
        const std::string d = Number(penWidth_ * kPtPerPixel);
        o += ", dash pattern=on " + d + "pt off " + d + "pt";
    }
    return o;
}

void TikzSurface::Clear() {
    // Everything drawn so far lies under the new background.
    body_ = "\\fill[" + ColourName(back_) + "] " + Point(0, height_) + " rectangle " +
            Point(width_, 0) + ";\n";
    lastNode_ = -1;
}

void TikzSurface::SetPenWidth(int pixels) {
    penWidth_ = std::clamp(pixels, 1, 100);
}

void TikzSurface::SetFontSize(int points) {
    fontSize_ = std::clamp(points, 1, 1000);
}

void TikzSurface::Line(float x1, float y1, float x2, float y2, Rgb c) {
    PixelPos a = ToPixel(x1, y1);
    PixelPos b = ToPixel(x2, y2);
    const ClipRect area{0, 0, static_cast<double>(width_), static_cast<double>(height_)};
    if (!ClipSegment(area, a.x, a.y, b.x, b.y)) return;
    body_ +=
        "\\draw[" + StrokeOptions(c) + "] " + Point(a.x, a.y) + " -- " + Point(b.x, b.y) + ";\n";
}

void TikzSurface::Rectangle(float x1, float y1, float x2, float y2, Rgb c, bool filled) {
    const PixelPos a = ToPixel(x1, y1);
    const PixelPos b = ToPixel(x2, y2);
    if (!Finite(a) || !Finite(b)) return;
    const auto cutX = [&](double v) {
        return std::clamp(v, -kMarginPixels, width_ + kMarginPixels);
    };
    const auto cutY = [&](double v) {
        return std::clamp(v, -kMarginPixels, height_ + kMarginPixels);
    };
    const std::string shape =
        Point(cutX(a.x), cutY(a.y)) + " rectangle " + Point(cutX(b.x), cutY(b.y)) + ";\n";
    if (filled) {
        body_ += "\\filldraw[" + StrokeOptions(c) + ", fill=" + ColourName(c) + "] " + shape;
    } else {
        body_ += "\\draw[" + StrokeOptions(c) + "] " + shape;
    }
}

void TikzSurface::CircleOutline(float cx, float cy, float r, Rgb c) {
    const PixelPos centre = ToPixel(cx, cy);
    const double radius = user_ ? map_.WorldToPixelX(r) : r;
    const ClipRect area{-kMarginPixels, -kMarginPixels, width_ + kMarginPixels,
                        height_ + kMarginPixels};
    if (!(radius >= 0) || !CircleCrossesRect(area, centre.x, centre.y, radius)) return;
    if (radius <= kDirectRadiusFactor * (width_ + height_)) {
        body_ += "\\draw[" + StrokeOptions(c) + "] " + Point(centre.x, centre.y) +
                 " circle[radius=" + Number(radius * kCmPerPixel) + "];\n";
        return;
    }
    // The centre lies far outside, so the visible arc spans less than half a turn: the angles
    // of the area's corners seen from the centre bound it.
    const double mid =
        std::atan2((area.y0 + area.y1) / 2 - centre.y, (area.x0 + area.x1) / 2 - centre.x);
    double lo = 0, hi = 0;
    for (double x : {area.x0, area.x1}) {
        for (double y : {area.y0, area.y1}) {
            const double a =
                std::remainder(std::atan2(y - centre.y, x - centre.x) - mid, 2 * std::numbers::pi);
            lo = std::min(lo, a);
            hi = std::max(hi, a);
        }
    }
    // Chords within a quarter pixel of the arc.
    const double step = 2 * std::sqrt(0.5 / radius);
    const int n = std::clamp(static_cast<int>(std::ceil((hi - lo) / step)), 1, kMaxArcPoints);
    std::string path;
    for (int i = 0; i <= n; ++i) {
        const double a = mid + lo + (hi - lo) * i / n;
        const double x = std::clamp(centre.x + radius * std::cos(a), -kMarginPixels * 4,
                                    width_ + kMarginPixels * 4);
        const double y = std::clamp(centre.y + radius * std::sin(a), -kMarginPixels * 4,
                                    height_ + kMarginPixels * 4);
        if (i > 0) path += " -- ";
        path += Point(x, y);
    }
    body_ += "\\draw[" + StrokeOptions(c) + "] " + path + ";\n";
}

void TikzSurface::Pixel(float x, float y, Rgb c) {
    const PixelPos a = ToPixel(x, y);
    if (!(a.x >= -kMarginPixels && a.x <= width_ + kMarginPixels && a.y >= -kMarginPixels &&
          a.y <= height_ + kMarginPixels))
        return;
    // A dot as wide as the pen, centred on the pixel.
    const double x0 = std::floor(a.x) + 0.5 - penWidth_ / 2.0;
    const double y0 = std::floor(a.y) + 0.5 - penWidth_ / 2.0;
    body_ += "\\fill[" + ColourName(c) + "] " + Point(x0, y0) + " rectangle " +
             Point(x0 + penWidth_, y0 + penWidth_) + ";\n";
}

void TikzSurface::Dot(float x, float y, float radius, Rgb c) {
    const PixelPos a = ToPixel(x, y);
    if (!(a.x >= -kMarginPixels && a.x <= width_ + kMarginPixels && a.y >= -kMarginPixels &&
          a.y <= height_ + kMarginPixels) ||
        !(radius > 0))
        return;
    body_ += "\\fill[" + ColourName(c) + "] " + Point(a.x, a.y) +
             " circle[radius=" + Number(radius * kCmPerPixel) + "];\n";
}

void TikzSurface::MoveTo(float x, float y) {
    textAt_ = ToPixel(x, y);
    lastNode_ = -1;
}

void TikzSurface::Print(std::string_view utf8) {
    PrintPiece(utf8, nullptr);
}

void TikzSurface::PrintOpaque(std::string_view utf8, Rgb background) {
    PrintPiece(utf8, &background);
}

void TikzSurface::PrintPiece(std::string_view utf8, const Rgb* background) {
    if (utf8.empty()) return;
    if (lastNode_ < 0 && !Finite(textAt_)) return;
    // Text in the background colour without a box of its own erases on the screen and shows
    // nothing here; it still takes its room, so a piece printed after it stays in place.
    const bool shown = background != nullptr || !(fore_ == back_);
    const std::string at = lastNode_ < 0 ? Point(textAt_.x, textAt_.y)
                                         : "(kvtext" + std::to_string(lastNode_) + ".north east)";
    const double size = fontSize_ * kPtPerPixel;
    std::string options = "anchor=north west, inner sep=0pt, outer sep=0pt, font=\\fontsize{" +
                          Number(size) + "pt}{" + Number(size * 1.2) + "pt}\\selectfont";
    if (shown) options += ", text=" + ColourName(fore_);
    if (background != nullptr) options += ", fill=" + ColourName(*background);
    const std::string text = shown ? LatexText(utf8) : "\\phantom{" + LatexText(utf8) + "}";
    lastNode_ = nodes_++;
    body_ += "\\node[" + options + "] (kvtext" + std::to_string(lastNode_) + ") at " + at + " {" +
             text + "};\n";
}

std::string TikzSurface::Text() const {
    std::string t = "% Korvinth picture, " + std::to_string(width_) + " x " +
                    std::to_string(height_) + " pixels at 96 per inch\n";
    t += "\\begin{tikzpicture}[x=1cm, y=1cm]\n";
    for (const NamedColour& n : colours_) {
        t += "\\definecolor{" + n.name + "}{RGB}{" + std::to_string(n.rgb.r) + "," +
             std::to_string(n.rgb.g) + "," + std::to_string(n.rgb.b) + "}\n";
    }
    t += "\\clip " + Point(0, height_) + " rectangle " + Point(width_, 0) + ";\n";
    t += body_;
    t += "\\end{tikzpicture}\n";
    return t;
}

}  // namespace kv
