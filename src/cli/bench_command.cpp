#include "cli/bench_command.h"

#include <charconv>
#include <chrono>
#include <ostream>
#include <utility>

#include "cli/headless_host.h"
#include "cli/offscreen_gui.h"
#include "cli/render_command.h"
#include "io/figure_file.h"
#include "paint/image_surface.h"
#include "render/redraw.h"
#include "render/view_transform.h"
#include "ui/drag.h"
#include "ui/input_dispatch.h"
#include "ui/modes.h"
#include "ui/redraw.h"

namespace kv {

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Six significant digits in plain ASCII whatever the locale ("3.52e-05", "0.00123").
std::string SecondsText(double s) {
    char buffer[32];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, s, std::chars_format::general, 6);
    return ec == std::errc() ? std::string(buffer, end) : std::string("0");
}

}  // namespace

std::optional<BenchOptions> ParseBenchOptions(std::span<const std::string> args,
                                              std::string& error) {
    BenchOptions o;
    bool haveFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--size") {
            if (!hasValue || !ParseClientSize(args[++i], o.width, o.height)) {
                error = "--size needs WxH, two whole numbers from 1 to " +
                        std::to_string(kMaxRenderSide) + " (for example 641x481)";
                return std::nullopt;
            }
        } else if (a == "--steps") {
            const std::string_view v = hasValue ? std::string_view(args[++i]) : std::string_view();
            const char* end = v.data() + v.size();
            const auto [ptr, ec] = std::from_chars(v.data(), end, o.steps);
            if (v.empty() || ec != std::errc() || ptr != end || o.steps < 1 ||
                o.steps > kMaxBenchSteps) {
                error = "--steps needs a whole number from 1 to " + std::to_string(kMaxBenchSteps);
                return std::nullopt;
            }
        } else if (a.starts_with("--")) {
            error = "unknown option for --bench: " + a;
            return std::nullopt;
        } else if (!haveFile) {
            o.figurePath = a;
            haveFile = true;
        } else {
            error = "--bench takes one FILE, not also " + a;
            return std::nullopt;
        }
    }
    if (!haveFile) {
        error = "--bench needs FILE (see --help)";
        return std::nullopt;
    }
    return o;
}

BenchTimes TimeDragAndRedraw(App& app, Host& host, Surface& surface, int steps) {
    // As the menu command: the first point, and the path a drag takes, in which only what
    // depends on the point is evaluated again.
    app.session.DragPoint = 1;
    app.session.NeedDependencyMarks = kTrue;
    constexpr int kKeys[] = {kKeyUp, kKeyRight, kKeyDown, kKeyLeft};
    BenchTimes times;
    times.steps = steps;
    const Clock::time_point dragStart = Clock::now();
    for (int i = 0; i < steps; ++i) DragByKey(app, host, surface, kKeys[i % 4]);
    times.secondsPerStep = steps > 0 ? SecondsSince(dragStart) / steps : 0;

    const Notifier note = NotifierOf(host);
    const DrawContext ctx{surface, app.view, NamesMayHide(CurrentMode(app.session)), note,
                          app.colours};
    const Clock::time_point redrawStart = Clock::now();
    RedrawAll(app.figure, ctx);
    times.secondsPerRedraw = SecondsSince(redrawStart);
    return times;
}

int RunBenchCommand(const BenchOptions& options, std::ostream& out, std::ostream& err) {
    App app;
    const LoadResult loaded = LoadFigureFile(options.figurePath, app.figure);
    if (!loaded.ok()) {
        err << "korvinth: " << loaded.error.Describe() << '\n';
        return 2;
    }
    const OffscreenGui gui;
    HeadlessHost host(err);
    ImageSurface surface(options.width, options.height);
    SetScreen(app.view, surface);
    FullRedraw(app, host, surface);
    // The image surface queues nothing: each drawing call has reached the pixels when it
    // returns, so the times cover the whole work.
    const BenchTimes times = TimeDragAndRedraw(app, host, surface, options.steps);
    out << "drag steps: " << times.steps << '\n'
        << "seconds per drag step: " << SecondsText(times.secondsPerStep) << '\n'
        << "seconds per full redraw: " << SecondsText(times.secondsPerRedraw) << '\n';
    return 0;
}

int RunBenchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<BenchOptions> options = ParseBenchOptions(args, error);
    if (!options) {
        err << "korvinth: " << error << '\n';
        return 2;
    }
    return RunBenchCommand(*options, out, err);
}

}  // namespace kv
