// Korvinth: the window, or one of the headless commands. The text commands (--help, --version,
// --report) run here without Qt; the window and the picture commands are in a module loaded
// only when they are asked for.

#include <cstdio>
#include <iostream>
#include <string>

#include "cli/report_command.h"
#include "gui_module.h"
#include "model/version.h"

namespace {

void PrintHelp() {
    std::printf(
        "Usage: korvinth [FILE]\n"
        "       korvinth --render FILE OUT [--size WxH] [--axes] [--digits N]\n"
        "                         [--pixel-size S] [--scale K] [--classic]\n"
        "       korvinth --report FILE\n"
        "       korvinth --bench FILE [--size WxH] [--steps N]\n"
        "       korvinth --help | --version\n"
        "\n"
        "Korvinth is an interactive plane-geometry construction program.\n"
        "Without options it opens its window, loading FILE when one is given.\n"
        "\n"
        "Options:\n"
        "  --report FILE     write the construction data report of FILE to standard\n"
        "                    output (UTF-8, CR LF line ends); exit status 2 when FILE\n"
        "                    cannot be read or is not a figure file\n"
        "  --render FILE OUT draw FILE as the window shows it and write the picture,\n"
        "                    without a display, in the format OUT's extension names:\n"
        "                    .png (an image), .svg or .pdf (vectors, one unit per\n"
        "                    pixel at 96 per inch; names and numbers as text), .tex\n"
        "                    or .tikz (a tikzpicture for LaTeX); exit status 2 when\n"
        "                    FILE cannot be read, OUT has another extension or an\n"
        "                    option is wrong\n"
        "    --size WxH      client area in pixels (default 641x481)\n"
        "    --axes          draw the unit grid and the axes\n"
        "    --digits N      decimal places of the number list, 0..20 (default 0)\n"
        "    --pixel-size S  world units per pixel (default 0.05)\n"
        "    --scale K       a PNG image K times the client size: 1, 2 or 4\n"
        "    --classic       draw in whole pixels, without smoothing (as the window\n"
        "                    does with \"なめらかに描く\" unchecked)\n"
        "  --bench FILE      draw FILE offscreen, then time the drag steps of the\n"
        "                    benchmark command (the first point moved by the arrow\n"
        "                    keys up, right, down, left, over and over) and one full\n"
        "                    redraw; prints \"drag steps: N\", \"seconds per drag\n"
        "                    step: S\" and \"seconds per full redraw: S\", one a line;\n"
        "                    exit status 2 when FILE cannot be read or an option is\n"
        "                    wrong\n"
        "    --size WxH      client area in pixels (default 641x481)\n"
        "    --steps N       drag steps, 1..1000000 (default 100: the point ends\n"
        "                    where it started when N is a multiple of 4)\n"
        "  --help            show this text\n"
        "  --version         show the program's title and version\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2) {
        const std::string a = argv[1];
        if (a == "--help" || a == "-h") {
            PrintHelp();
            return 0;
        }
        if (a == "--version") {
            std::printf("%s\n", kv::TitleWithVersion().c_str());
            return 0;
        }
        if (a == "--report") {
            if (argc != 3) {
                std::fprintf(stderr, "korvinth: --report needs one FILE (see --help)\n");
                return 2;
            }
            return kv::RunReportCommand(argv[2], std::cout, std::cerr);
        }
        if (a.starts_with("--") && a != "--render" && a != "--bench") {
            std::fprintf(stderr, "korvinth: unknown option %s (see --help)\n", a.c_str());
            return 2;
        }
    }
    return RunGuiModule(argc, argv);
}
