#pragma once
// The construction data report: the whole procedure list and every field of every object as
// plain text, for the text viewer and `korvinth --report`.

#include <functional>
#include <string>
#include <string_view>

#include "model/figure.h"

namespace kv {

// The whole report, every line ending in CR LF. `fileName` is shown on the first line as it is
// given. Numbers appear in their converted form, fixed-width texts at their full width.
std::string ConstructionReport(const Figure& f, std::string_view fileName);

// The same report handed to `write` in pieces as it is made, in order, so that it can go out
// as it is written.
using ReportWriter = std::function<void(std::string_view)>;
void WriteConstructionReport(const Figure& f, std::string_view fileName,
                             const ReportWriter& write);

}  // namespace kv
