// The part of Korvinth that needs Qt: the window and the picture commands (--render, --bench).
// It is a module the program loads only when one of them is asked for, so that the text
// commands start without loading the Qt libraries.

#include <iostream>
#include <string>
#include <vector>

#include "cli/bench_command.h"
#include "cli/render_command.h"
#include "qt/run_window.h"

extern "C" __attribute__((visibility("default"))) int KorvinthGuiMain(int argc, char** argv) {
    if (argc >= 2) {
        const std::string a = argv[1];
        const std::vector<std::string> args(argv + 2, argv + argc);
        if (a == "--render") return kv::RunRenderCommand(args, std::cerr);
        if (a == "--bench") return kv::RunBenchCommand(args, std::cout, std::cerr);
    }
    return kv::RunWindow(argc, argv);
}
