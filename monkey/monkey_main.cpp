// The long random-session run: many sessions of random user actions, built with the address
// and undefined-behaviour sanitizers (scripts/monkey). Each session draws on the recording
// surface or, every fourth one, on the real image surface. The first broken check is
// shortened to the fewest actions that still break it and printed; the exit status is 1.
//
// Usage: korvinth_monkey [SECONDS] [FIRST_SEED] [STEPS_PER_SESSION]

#include <unistd.h>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "../tests/ui/monkey_driver.h"
#include "paint/image_surface.h"
#include "support/recording_surface.h"

namespace fs = std::filesystem;
using namespace kv::test::monkey;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication qapp(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const std::uint64_t first = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    const int steps = argc > 3 ? std::atoi(argv[3]) : 1000;

    Config config;
    const fs::path src = KORVINTH_SOURCE_DIR;
    for (const fs::path& dir : {src / "tests/data", src / "tests/data/bad", src / "examples"})
        for (const auto& e : fs::directory_iterator(dir))
            if (e.is_regular_file()) config.files.push_back(e.path().string());
    std::sort(config.files.begin(), config.files.end());
    const fs::path temp =
        fs::temp_directory_path() / ("korvinth-monkey-" + std::to_string(getpid()));
    fs::create_directories(temp);
    config.tempDir = temp.string();

    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    long sessions = 0, total = 0;
    for (std::uint64_t seed = first; elapsed() < seconds; ++seed) {
        std::unique_ptr<kv::Surface> surface;
        if (seed % 4 == 0)
            surface = std::make_unique<kv::ImageSurface>(641, 481);
        else {
            auto counting = std::make_unique<kv::test::RecordingSurface>();
            counting->keepCalls = false;  // long sessions: counts only
            surface = std::move(counting);
        }
        const Outcome o = RunSession(*surface, config, seed, steps);
        ++sessions;
        total += o.failure.empty() ? steps : o.step;
        if (o.failure.empty()) continue;
        std::printf("seed %llu, step %d: %s\n", static_cast<unsigned long long>(seed), o.step,
                    o.failure.c_str());
        kv::test::RecordingSurface again;
        again.keepCalls = false;
        const auto shortest = Minimise(again, config, seed, o.actions, o.failure);
        std::printf("shortest session found (%zu actions):\n", shortest.size());
        for (const Action& a : shortest) std::printf("  %s\n", a.Describe().c_str());
        fs::remove_all(temp);
        return 1;
    }
    std::printf("%ld sessions, %ld steps, %.0f s, no check broken\n", sessions, total, elapsed());
    fs::remove_all(temp);
    return 0;
}
