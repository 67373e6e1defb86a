#include "cli/bench_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/headless_host.h"
#include "cli/offscreen_gui.h"
#include "io/figure_file.h"
#include "paint/image_surface.h"
#include "render/view_transform.h"
#include "ui/redraw.h"

namespace kv {
namespace {

const std::string kTriangle = std::string(KORVINTH_TEST_DATA) + "/triangle.kvf";

TEST(BenchOptions, DefaultsOptionsAndRefusals) {
    std::string error;
    const std::vector<std::string> plain = {"fig.kvf"};
    const auto o = ParseBenchOptions(plain, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->figurePath, "fig.kvf");
    EXPECT_EQ(o->width, 641);
    EXPECT_EQ(o->height, 481);
    EXPECT_EQ(o->steps, 100);

    const std::vector<std::string> all = {"--steps", "8", "fig.kvf", "--size", "1280x960"};
    const auto a = ParseBenchOptions(all, error);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->width, 1280);
    EXPECT_EQ(a->height, 960);
    EXPECT_EQ(a->steps, 8);

    const std::vector<std::vector<std::string>> bad = {
        {},
        {"a.kvf", "b.kvf"},
        {"a.kvf", "--steps"},
        {"a.kvf", "--steps", "0"},
        {"a.kvf", "--steps", "1000001"},
        {"a.kvf", "--steps", "4x"},
        {"a.kvf", "--size", "0x10"},
        {"a.kvf", "--axes"},
    };
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseBenchOptions(args, error)) << ::testing::PrintToString(args);
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(error.find('\n'), std::string::npos);
    }
}

// The benchmark moves the first point as the menu command does: the whole figure follows it,
// and after whole rounds of up, right, down, left it is back where it started.
TEST(BenchCommand, DragsTheFirstPointAroundAndBack) {
    const OffscreenGui gui;
    App app;
    ASSERT_TRUE(LoadFigureFile(kTriangle, app.figure).ok());
    std::ostringstream err;
    HeadlessHost host(err);
    ImageSurface surface(641, 481);
    SetScreen(app.view, surface);
    FullRedraw(app, host, surface);
    const PointRecord start = app.figure.Points[1];
    const CircleRecord circle = app.figure.Circles[1];

    const BenchTimes t = TimeDragAndRedraw(app, host, surface, 100);
    EXPECT_EQ(t.steps, 100);
    EXPECT_GT(t.secondsPerStep, 0);
    EXPECT_GT(t.secondsPerRedraw, 0);
    EXPECT_NEAR(app.figure.Points[1].x, start.x, 1e-9);
    EXPECT_NEAR(app.figure.Points[1].y, start.y, 1e-9);
    EXPECT_NEAR(app.figure.Circles[1].r, circle.r, 1e-9);

    // One step is one arrow key up (10 pixels), and the circle through the point follows.
    TimeDragAndRedraw(app, host, surface, 1);
    EXPECT_NEAR(app.figure.Points[1].x, start.x, 1e-9);
    EXPECT_NEAR(app.figure.Points[1].y, start.y + 10 * app.view.PixelSize, 1e-9);
    EXPECT_GT(std::abs(app.figure.Circles[1].r - circle.r), 0.01);
    EXPECT_EQ(err.str(), "");
}

TEST(BenchCommand, PrintsThreeMachineReadableLines) {
    std::ostringstream out, err;
    const std::vector<std::string> args = {kTriangle, "--steps", "8", "--size", "320x240"};
    ASSERT_EQ(RunBenchCommand(args, out, err), 0) << err.str();
    const std::regex expected(
        "drag steps: 8\n"
        "seconds per drag step: [0-9.e+-]+\n"
        "seconds per full redraw: [0-9.e+-]+\n");
    EXPECT_TRUE(std::regex_match(out.str(), expected)) << out.str();
    std::istringstream lines(out.str());
    std::string line;
    while (std::getline(lines, line)) {
        const double value = std::stod(line.substr(line.rfind(':') + 1));
        EXPECT_GT(value, 0) << line;
        EXPECT_LT(value, 60) << line;
    }
}

TEST(BenchCommand, BadFileOrOptionExitsTwoWithOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{std::string(KORVINTH_TEST_DATA) + "/no-such.kvf"},
          std::vector<std::string>{std::string(KORVINTH_TEST_DATA) + "/bad/kind-7.kvf"},
          std::vector<std::string>{kTriangle, "--steps", "many"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(RunBenchCommand(args, out, err), 2);
        EXPECT_EQ(out.str(), "");
        const std::string text = err.str();
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text.find('\n'), text.size() - 1) << text;
    }
}

TEST(HeadlessHost, ReportsMessagesAndBeepsOneLineEach) {
    std::ostringstream err;
    HeadlessHost host(err);
    host.Message("一行目\r\n二行目");
    host.Beep();
    EXPECT_FALSE(host.InputBox("p", "t", "x"));
    EXPECT_FALSE(host.OpenFileName());
    EXPECT_EQ(err.str(), "korvinth: 一行目 二行目\nkorvinth: beep\n");
    EXPECT_EQ(host.Messages(), 1);
    EXPECT_EQ(host.Beeps(), 1);
}

}  // namespace
}  // namespace kv
