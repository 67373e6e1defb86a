#include "cli/render_command.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <QString>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <ostream>

#include "io/figure_file.h"
#include "model/number_text.h"
#include "paint/image_surface.h"
#include "render/draw_context.h"
#include "render/redraw.h"
#include "render/view_transform.h"

namespace kv {

namespace {

constexpr int kModeStandard = 2;  // the resting mode: names follow the "文字表示" setting

// Qt's own start-up notices (a missing runtime folder and the like) would make the command's
// stderr more than its one line; only Qt's critical and fatal messages are passed on.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "korvinth: %s\n", text.toLocal8Bit().constData());
}

bool WholeNumber(std::string_view s, int& out) {
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool ParseSize(std::string_view s, int& w, int& h) {
    const size_t x = s.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    return WholeNumber(s.substr(0, x), w) && WholeNumber(s.substr(x + 1), h) && w >= 1 && h >= 1 &&
           w <= kMaxRenderSide && h <= kMaxRenderSide;
}

}  // namespace

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
            if (!hasValue || !ParseSize(args[++i], o.width, o.height)) {
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
            error = "--render takes one FILE and one OUT.png, not also " + a;
            return std::nullopt;
        }
    }
    if (positional < 2) {
        error = "--render needs FILE and OUT.png (see --help)";
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

    // The image surface needs Qt's font and image machinery but no display.
    const QtMessageHandler previousHandler = qInstallMessageHandler(QuietQtMessages);
    struct RestoreHandler {
        QtMessageHandler handler;
        ~RestoreHandler() { qInstallMessageHandler(handler); }
    } restore{previousHandler};
    int argc = 1;
    char name[] = "korvinth";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }

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
    RedrawAll(figure, ctx);

    QSaveFile file(QString::fromStdString(options.imagePath));
    if (!file.open(QIODevice::WriteOnly) || !surface.Image().save(&file, "PNG") || !file.commit()) {
        err << "korvinth: " << options.imagePath << ": cannot write the image ("
            << file.errorString().toStdString() << ")\n";
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
