#include "gui_module.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <system_error>
#include <vector>

namespace {

using GuiMain = int (*)(int, char**);

// The folder of the running program, read from the kernel so that a program found on PATH or
// through a symbolic link still finds its module; argv[0]'s folder when that fails.
std::string ProgramFolder(const char* argv0) {
    std::vector<char> buf(4096);
    const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    std::string path =
        n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : std::string(argv0 ? argv0 : "");
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

}  // namespace

int RunGuiModule(int argc, char** argv) {
    const std::string folder = ProgramFolder(argc > 0 ? argv[0] : nullptr);
    const std::string candidates[] = {
        folder + "/" KORVINTH_GUI_MODULE_NAME,
        folder + "/" KORVINTH_GUI_MODULE_FROM_BIN "/" KORVINTH_GUI_MODULE_NAME,
    };
    std::string why;
    for (const std::string& path : candidates) {
        if (access(path.c_str(), F_OK) != 0) continue;
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            why = dlerror();
            continue;
        }
        // The module stays loaded until the process ends: Qt's own clean-up runs at exit.
        auto entry = reinterpret_cast<GuiMain>(dlsym(module, "KorvinthGuiMain"));
        if (entry) return entry(argc, argv);
        why = path + ": no entry KorvinthGuiMain";
    }
    if (why.empty()) why = candidates[1] + " not found";
    std::fprintf(stderr, "korvinth: the window and the picture commands cannot be loaded (%s)\n",
                 why.c_str());
    return 1;
}
