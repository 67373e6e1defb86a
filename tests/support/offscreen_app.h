#pragma once
// A Qt application on the offscreen platform (unless another platform is asked for), so that
// images and windows need no display and no window appears.

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace kv::test {

// A new App (QGuiApplication or QApplication) called `name`, unless an application is already
// running; it lives as long as the returned pointer.
template <class App>
std::unique_ptr<App> MakeOffscreenApp(const char* name) {
    // Qt keeps the arguments for the application's lifetime.
    static int argc = 1;
    static char program[32];
    static char* argv[] = {program, nullptr};
    if (QCoreApplication::instance() != nullptr) return nullptr;
    std::snprintf(program, sizeof program, "%s", name);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<App>(argc, argv);
}

}  // namespace kv::test
