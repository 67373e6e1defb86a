#pragma once
// `korvinth --render FILE OUT [--size WxH] [--axes] [--digits N] [--pixel-size S] [--scale K]
// [--classic]`:
// the full redraw of a figure file as a picture, without a display, in the format OUT's
// extension names: .png, .svg, .pdf, or .tex / .tikz for a TikZ picture.

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
    int scale = 1;            // a PNG picture is this many times the client size: 1, 2 or 4
    bool smooth = true;       // antialiased, as the window starts; --classic draws whole pixels
};

// Largest client side accepted, so that a typing slip cannot ask for gigabytes.
constexpr int kMaxRenderSide = 16384;

// SVG and PDF pictures are written at this resolution, so that one pixel is one CSS pixel.
constexpr int kSvgDotsPerInch = 96;

// A client size "WxH" (or "WXH"), both sides whole numbers from 1 to kMaxRenderSide.
bool ParseClientSize(std::string_view text, int& width, int& height);

// Reads the arguments that follow --render. On a bad argument (an OUT whose extension names no
// picture format among them) returns nullopt and puts one line saying what is wrong in `error`.
std::optional<RenderOptions> ParseRenderOptions(std::span<const std::string> args,
                                                std::string& error);

// Loads the figure as the window's command line does, draws the full redraw of a client area
// of the given size and writes it in the format of the image path (replacing the target only
// once the whole picture is written). In the SVG and PDF, names and numbers are text in the
// drawing's font; in TikZ, nodes in the document's font. Creates
// a QGuiApplication on the offscreen platform when none exists (unless the caller chose a
// platform). A file that cannot be read gives one line on `err` and status 2; an image that cannot
// be written, status 1. Messages of the recompute go to `err`. Returns the exit status.
int RunRenderCommand(const RenderOptions& options, std::ostream& err);

// Parses and runs; bad options give one line on `err` and status 2.
int RunRenderCommand(std::span<const std::string> args, std::ostream& err);

}  // namespace kv
