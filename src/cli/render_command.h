#pragma once
// `korvinth --render FILE OUT.png [--size WxH] [--axes] [--digits N] [--pixel-size S]`: the
// full redraw of a figure file as a PNG image, without a display; an OUT ending in .svg
// gets the same drawing as an SVG image instead.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kv {

struct RenderOptions {
    std::string figurePath;
    std::string imagePath;
    int width = 641;  // client area in pixels
    int height = 481;
    bool axes = false;
    int digits = 0;           // decimal places of the number list, 0..20
    double pixelSize = 0.05;  // world units per pixel
};

// Largest client side accepted, so that a typing slip cannot ask for gigabytes.
constexpr int kMaxRenderSide = 16384;

// SVG pictures are written at this resolution, so that one pixel is one CSS pixel.
constexpr int kSvgDotsPerInch = 96;

// A client size "WxH" (or "WXH"), both sides whole numbers from 1 to kMaxRenderSide.
bool ParseClientSize(std::string_view text, int& width, int& height);

// Whether the image path asks for an SVG picture (it ends in .svg, in any case).
bool IsSvgPath(std::string_view path);

// Reads the arguments that follow --render. On a bad argument returns nullopt and puts one
// line saying what is wrong in `error`.
std::optional<RenderOptions> ParseRenderOptions(std::span<const std::string> args,
                                                std::string& error);

// Loads the figure as the window's command line does, draws the full redraw of a client area
// of the given size onto an offscreen image and writes it as PNG, or as SVG when IsSvgPath
// (replacing the target only once the whole image is written). In the SVG, names and numbers
// are text elements in the drawing's font; the viewer resolves the font and its fallbacks. Creates
// a QGuiApplication on the offscreen platform when none exists (unless the caller chose a
// platform). A file that cannot be read gives one line on `err` and status 2; an image that cannot
// be written, status 1. Messages of the recompute go to `err`. Returns the exit status.
int RunRenderCommand(const RenderOptions& options, std::ostream& err);

// Parses and runs; bad options give one line on `err` and status 2.
int RunRenderCommand(std::span<const std::string> args, std::ostream& err);

}  // namespace kv
