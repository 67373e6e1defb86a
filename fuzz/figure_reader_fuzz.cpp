// Feeds arbitrary bytes to the figure-file reader. A file it accepts then goes through what
// `korvinth --report` does with it (naming pass, full recompute, report) and must survive a
// write and a second read unchanged.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "engine/naming.h"
#include "engine/recompute.h"
#include "io/figure_file.h"
#include "io/report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kv::ReadResult r = kv::ReadFigureText(bytes, "fuzz.kvf");
    if (!r.result.ok()) {
        if (r.figure || r.result.error.what.empty()) std::abort();
        return 0;
    }
    kv::Figure& f = *r.figure;
    const std::string written = kv::FigureFileText(f);
    kv::ReadResult again = kv::ReadFigureText(written, "again.kvf");
    if (!again.result.ok() || kv::FigureFileText(*again.figure) != written) std::abort();

    kv::NameMeasuredOutputs(f);
    kv::RecomputeFigure(f, kv::Notifier{});
    (void)kv::ConstructionReport(f, "fuzz.kvf");
    kv::ReadResult recomputed = kv::ReadFigureText(kv::FigureFileText(f), "recomputed.kvf");
    if (!recomputed.result.ok()) std::abort();
    return 0;
}
