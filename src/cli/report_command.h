#pragma once
// `korvinth --report FILE`: the construction data report of a figure file, without a window.

#include <ostream>
#include <string>

namespace kv {

// Loads FILE as the window's command line does (reset, read, naming pass, full recompute) and
// writes the report to `out` (UTF-8, CR LF). Returns the exit status: 0, or 2 when the file
// cannot be read or is malformed; then `err` gets one line saying why and `out` nothing.
// Messages of the recompute ("Error in Angle") go to `err`. A report that cannot be written
// gives status 1 and a line on `err`.
int RunReportCommand(const std::string& file, std::ostream& out, std::ostream& err);

}  // namespace kv
