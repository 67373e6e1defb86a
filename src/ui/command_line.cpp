#include "ui/command_line.h"

#include <filesystem>
#include <system_error>

#include "model/text.h"

namespace kv {

std::string CommandLinePath(std::string_view text) {
    std::string s = Trim(text);
    if (!s.empty() && s.back() == '"') s.pop_back();
    if (!s.empty() && s.front() == '"') s.erase(0, 1);
    return s;
}

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    std::error_code ec;
    return std::filesystem::is_regular_file(std::filesystem::path(path), ec);
}

}  // namespace kv
