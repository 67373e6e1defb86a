#pragma once
// `korvinth --bench FILE [--size WxH] [--steps N]`: times, without a display, the drag steps
// of the "ベンチマーク(100回変形)" command and one full redraw of a figure file, and prints
// the times as plain lines for scripts.

#include <iosfwd>
#include <optional>
#include <span>
#include <string>

#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// The menu command's 25 rounds of up, right, down, left.
constexpr int kDefaultBenchSteps = 100;
constexpr int kMaxBenchSteps = 1000000;

struct BenchOptions {
    std::string figurePath;
    int width = 641;  // client area in pixels
    int height = 481;
    int steps = kDefaultBenchSteps;
};

// Reads the arguments that follow --bench. On a bad argument returns nullopt and puts one
// line saying what is wrong in `error`.
std::optional<BenchOptions> ParseBenchOptions(std::span<const std::string> args,
                                              std::string& error);

struct BenchTimes {
    int steps = 0;
    double secondsPerStep = 0;
    double secondsPerRedraw = 0;
};

// On a figure already drawn in full on `surface`: `steps` arrow-key drag steps of the first
// point, the keys cycling up, right, down, left (a multiple of four ends where it started),
// each through the drag of the window, then one full redraw. Leaves the drag point set to 1,
// as the menu command does.
BenchTimes TimeDragAndRedraw(App& app, Host& host, Surface& surface, int steps);

// Loads the figure as --render does, draws it in full on an offscreen image of the given
// size, times it and prints "drag steps: N", "seconds per drag step: S" and "seconds per
// full redraw: S" on `out`. Messages and beeps of the drawing go to `err`. A file that cannot
// be read gives one line on `err` and status 2. Returns the exit status.
int RunBenchCommand(const BenchOptions& options, std::ostream& out, std::ostream& err);

// Parses and runs; bad options give one line on `err` and status 2.
int RunBenchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace kv
