// Korvinth: the window, or one of the headless commands.

#include <cstdio>
#include <cstring>
#include <string>

#include "model/version.h"

namespace {

void PrintHelp() {
    std::printf(
        "Usage: korvinth [FILE]\n"
        "       korvinth --help | --version\n"
        "\n"
        "Korvinth is an interactive plane-geometry construction program.\n"
        "Without options it opens its window, loading FILE when one is given.\n"
        "\n"
        "Options:\n"
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
        if (a.starts_with("--")) {
            std::fprintf(stderr, "korvinth: unknown option %s (see --help)\n", a.c_str());
            return 2;
        }
    }
    std::fprintf(stderr, "korvinth: the window is not part of this build yet\n");
    return 1;
}
