#pragma once
// The figure file named on the command line.

#include <string>
#include <string_view>

namespace kv {

// The path in a command-line text: blanks trimmed, then one trailing and one leading double
// quote removed.
std::string CommandLinePath(std::string_view text);

// True when the path names an existing regular file (a folder does not count).
bool IsExistingFile(const std::string& path);

}  // namespace kv
