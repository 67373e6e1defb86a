#include "cli/render_command.h"

#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <ostream>

#include "cli/offscreen_gui.h"
#include "engine/recompute.h"
#include "io/figure_file.h"
#include "model/number_text.h"
#include "paint/picture_export.h"
#include "render/view_transform.h"

namespace kv {

namespace {

bool WholeNumber(std::string_view s, int& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

}  // namespace

bool ParseClientSize(std::string_view s, int& w, int& h) {
    const size_t x = s.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return WholeNumber(s.substr(0, x), w) && WholeNumber(s.substr(x + 1), h) && w >= 1 && h >= 1 &&
           w <= kMaxRenderSide && h <= kMaxRenderSide;
}

std::optional<RenderOptions> ParseRenderOptions(std::span<const std::string> args,
                                                std::string& error) {
    RenderOptions o;
    int positional = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--axes") {
            o.axes = true;
        } else if (a == "--classic") {
            o.smooth = false;
        } else if (a == "--size") {
            if (!hasValue || !ParseClientSize(args[++i], o.width, o.height)) {
                error = "--size needs WxH, two whole numbers from 1 to " +
                        std::to_string(kMaxRenderSide) + " (for example 641x481)";
                return std::nullopt;
            }
        } else if (a == "--digits") {
            if (!hasValue || !WholeNumber(args[++i], o.digits) || o.digits < 0 || o.digits > 20) {
                error = "--digits needs a whole number from 0 to 20";
                return std::nullopt;
            }
        } else if (a == "--pixel-size") {
            const std::optional<double> v = hasValue ? ParseNumber(args[++i]) : std::nullopt;
            if (!v || !(*v >= kPixelSizeFloor && *v <= kPixelSizeCeiling)) {
                error = "--pixel-size needs a number from 0.0001 to 2^100 (world units per pixel)";
                return std::nullopt;
            }
            o.pixelSize = *v;
        } else if (a == "--scale") {
            if (!hasValue || !WholeNumber(args[++i], o.scale) ||
                std::find(std::begin(kPictureScales), std::end(kPictureScales), o.scale) ==
                    std::end(kPictureScales)) {
                error = "--scale needs 1, 2 or 4";
                return std::nullopt;
            }
        } else if (a.starts_with("--")) {
            error = "unknown option for --render: " + a;
            return std::nullopt;
        } else if (positional == 0) {
            o.figurePath = a;
            ++positional;
        } else if (positional == 1) {
            o.imagePath = a;
            ++positional;
        } else {
            error = "--render takes one FILE and one OUT, not also " + a;
            return std::nullopt;
        }
    }
    if (positional < 2) {
        error = "--render needs FILE and OUT (see --help)";
        return std::nullopt;
    }
    if (!PictureFormatOf(o.imagePath)) {
        error = "--render cannot tell the picture format of " + o.imagePath +
                ": OUT must end in .png, .svg, .pdf, .tex or .tikz";
        return std::nullopt;
    }
    return o;
}

int RunRenderCommand(const RenderOptions& options, std::ostream& err) {
    const std::optional<PictureFormat> format = PictureFormatOf(options.imagePath);
    if (!format) {
        err << "korvinth: " << options.imagePath
            << ": not a picture format (.png, .svg, .pdf, .tex, .tikz)\n";
        return 2;
    }
    Figure figure;
    const LoadResult loaded = LoadFigureFile(options.figurePath, figure);
    if (!loaded.ok()) {
        err << "korvinth: " << loaded.error.Describe() << '\n';
        return 2;
    }

    const OffscreenGui gui;

    View view;
    view.PixelSize = options.pixelSize;
    view.ShowAxes = options.axes ? kTrue : kFalse;
    view.MeasureDigits = static_cast<i16>(options.digits);
    view.Smooth = options.smooth;

    Notifier note;
    note.message = [&err](const std::string& text) { err << "korvinth: " << text << '\n'; };
    ColourNotice notice;
    RecomputeFigure(figure, note);

    // Drawn as at rest: names follow the "文字表示" setting.
    const PictureSource source{figure, view, true, note, notice, options.width, options.height};
    PictureRequest request;
    request.scale = options.scale;
    // The title of an SVG or PDF picture is the figure's file name.
    request.title = QFileInfo(QString::fromStdString(options.figurePath)).fileName().toStdString();
    const std::string failure = WritePicture(source, request, *format, options.imagePath);
    if (!failure.empty()) {
        err << "korvinth: " << options.imagePath << ": cannot write the image (" << failure
            << ")\n";
        return 1;
    }
    return 0;
}

int RunRenderCommand(std::span<const std::string> args, std::ostream& err) {
    std::string error;
    const std::optional<RenderOptions> options = ParseRenderOptions(args, error);
    if (!options) {
        err << "korvinth: " << error << '\n';
        return 2;
    }
    return RunRenderCommand(*options, err);
}

}  // namespace kv
