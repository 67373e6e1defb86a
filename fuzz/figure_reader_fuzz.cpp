// Feeds arbitrary bytes to the figure-file reader. A file it accepts must survive a write and a
// second read unchanged, and then what a user does with it: load, show, save and load again
// (fuzz_checks.h), with the picture drawn from finite coordinates only.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::ReadResult r = kv::ReadFigureText(bytes, "fuzz.kvf");
    if (!r.result.ok()) {
        kv::fuzz::Require(!r.figure && !r.result.error.what.empty(),
                          "a refused file came with a figure or without a reason");
        return 0;
    }
    const std::string written = kv::FigureFileText(*r.figure);
    kv::ReadResult again = kv::ReadFigureText(written, "again.kvf");
    kv::fuzz::Require(again.result.ok() && kv::FigureFileText(*again.figure) == written,
                      "a figure written and read again is not the same");

    kv::Figure shown = kv::fuzz::RequireSaveAndLoadKeepTheFigure(std::move(*r.figure));
    kv::test::RecordingSurface surface;
    kv::fuzz::Draw(shown, surface, 0.05);
    kv::fuzz::RequireFiniteDrawing(surface);
    return 0;
}
