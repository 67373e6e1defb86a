// A few short random sessions with every check of the long sanitizer run (scripts/monkey):
// the mode stack, the tables, the procedure references, finite coordinates, and a figure
// that reads back to the same report.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "monkey_driver.h"
#include "support/recording_surface.h"

namespace kv::test::monkey {
namespace {

namespace fs = std::filesystem;

Config TestConfig(const fs::path& temp) {
    Config c;
    const fs::path data = KORVINTH_TEST_DATA;
    for (const fs::path& dir : {data, data / "bad", data.parent_path().parent_path() / "examples"})
        for (const auto& e : fs::directory_iterator(dir))
            if (e.is_regular_file()) c.files.push_back(e.path().string());
    std::sort(c.files.begin(), c.files.end());
    c.tempDir = temp.string();
    return c;
}

TEST(RandomSession, EveryCheckHoldsThroughShortSessions) {
    const fs::path temp = fs::temp_directory_path() / "korvinth-monkey-test";
    fs::remove_all(temp);
    fs::create_directories(temp);
    const Config config = TestConfig(temp);
    ASSERT_GT(config.files.size(), 5u);
    for (std::uint64_t seed : {1u, 2u, 3u, 4u, 5u, 6u}) {
        RecordingSurface surface;
        const Outcome o = RunSession(surface, config, seed, 400);
        if (o.failure.empty()) continue;
        RecordingSurface again;
        std::ostringstream trace;
        for (const Action& a : Minimise(again, config, seed, o.actions, o.failure))
            trace << "  " << a.Describe() << "\n";
        ADD_FAILURE() << "seed " << seed << ", step " << o.step << ": " << o.failure
                      << "\nshortest session found:\n"
                      << trace.str();
    }
    fs::remove_all(temp);
}

}  // namespace
}  // namespace kv::test::monkey
