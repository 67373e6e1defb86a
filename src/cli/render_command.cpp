#include "cli/render_command.h"

#include <QFileInfo>
#include <QRect>
#include <QSaveFile>
#include <QSize>
#include <QString>
#include <QSvgGenerator>
#include <charconv>
#include <cmath>
#include <ostream>

#include "cli/offscreen_gui.h"
#include "io/figure_file.h"
#include "model/number_text.h"
#include "paint/image_surface.h"
#include "render/draw_context.h"
#include "render/redraw.h"
#include "render/view_transform.h"

namespace kv {

namespace {

constexpr int kModeStandard = 2;  // the resting mode: names follow the "文字表示" setting

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

bool IsSvgPath(std::string_view path) {
    constexpr std::string_view kSuffix = ".svg";
    if (path.size() < kSuffix.size()) return false;
    const std::string_view tail = path.substr(path.size() - kSuffix.size());
    for (size_t i = 0; i < kSuffix.size(); ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kSuffix[i])
            return false;
    }
    return true;
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
            error = "--render takes one FILE and one OUT.png or OUT.svg, not also " + a;
            return std::nullopt;
        }
    }
    if (positional < 2) {
        error = "--render needs FILE and OUT.png or OUT.svg (see --help)";
        return std::nullopt;
    }
    return o;
}

int RunRenderCommand(const RenderOptions& options, std::ostream& err) {
    Figure figure;
    const LoadResult loaded = LoadFigureFile(options.figurePath, figure);
    if (!loaded.ok()) {
        err << "korvinth: " << loaded.error.Describe() << '\n';
        return 2;
    }

    const OffscreenGui gui;

    ImageSurface surface(options.width, options.height);
    View view;
    view.PixelSize = options.pixelSize;
    view.ShowAxes = options.axes ? kTrue : kFalse;
    view.MeasureDigits = static_cast<i16>(options.digits);
    SetScreen(view, surface);

    Notifier note;
    note.message = [&err](const std::string& text) { err << "korvinth: " << text << '\n'; };
    ColourNotice notice;
    const DrawContext ctx{surface, view, kModeStandard, note, notice};

    QSaveFile file(QString::fromStdString(options.imagePath));
    const auto cannotWrite = [&] {
        err << "korvinth: " << options.imagePath << ": cannot write the image ("
            << file.errorString().toStdString() << ")\n";
        return 1;
    };
    if (!IsSvgPath(options.imagePath)) {
        RedrawAll(figure, ctx);
        if (!file.open(QIODevice::WriteOnly) || !surface.Image().save(&file, "PNG") ||
            !file.commit())
            return cannotWrite();
        return 0;
    }

    // The vector picture is the same drawing repeated onto an SVG generator, one SVG user
    // unit per pixel; at 96 dots per inch its size in millimetres is that many CSS pixels.
    if (!file.open(QIODevice::WriteOnly)) return cannotWrite();
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(QSize(options.width, options.height));
    svg.setViewBox(QRect(0, 0, options.width, options.height));
    svg.setResolution(kSvgDotsPerInch);
    // The generator writes the title as it stands, and a file name may hold & or <.
    svg.setTitle(QFileInfo(QString::fromStdString(options.figurePath)).fileName().toHtmlEscaped());
    if (!surface.SetMirror(&svg)) return cannotWrite();
    RedrawAll(figure, ctx);
    surface.EndMirror();
    if (!file.commit()) return cannotWrite();
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
