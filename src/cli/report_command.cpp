#include "cli/report_command.h"

#include "engine/recompute.h"
#include "io/figure_file.h"
#include "io/report.h"

namespace kv {

int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err) {
    Figure f;
    const LoadResult loaded = LoadFigureFile(file, f);
    if (!loaded.ok()) {
        err << "korvinth: " << loaded.error.Describe() << "\n";
        return 2;
    }
    Notifier note;
    note.message = [&err](const std::string& text) { err << text << "\n"; };
    RecomputeFigure(f, note);
    WriteConstructionReport(f, file, [&out](std::string_view piece) {
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    });
    out.flush();
    if (!out) {
        err << "korvinth: the report could not be written to standard output\n";
        return 1;
    }
    return 0;
}

}  // namespace kv
