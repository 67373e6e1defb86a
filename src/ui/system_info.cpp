#include "ui/system_info.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <system_error>

namespace kv {
namespace {

constexpr std::array<std::string_view, 9> kCandidates = {
    "hardinfo2",           "hardinfo", "kinfocenter",       "gnome-system-monitor",
    "mate-system-monitor", "lxtask",   "xfce4-taskmanager", "plasma-systemmonitor",
    "ksysguard",
};

bool IsExecutableFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

}  // namespace

std::span<const std::string_view> SystemInfoCandidates() {
    return kCandidates;
}

std::string FindOnPath(std::string_view pathList, std::span<const std::string_view> programs) {
    for (const std::string_view program : programs) {
        std::size_t start = 0;
        while (start <= pathList.size()) {
            std::size_t end = pathList.find(':', start);
            if (end == std::string_view::npos) end = pathList.size();
            const std::string_view dir = pathList.substr(start, end - start);
            // An empty entry is the working folder, which a desktop launcher must not trust.
            if (!dir.empty()) {
                const std::filesystem::path candidate =
                    std::filesystem::path(std::string(dir)) / std::string(program);
                if (IsExecutableFile(candidate)) return candidate.string();
            }
            start = end + 1;
        }
    }
    return {};
}

}  // namespace kv
