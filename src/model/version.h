#pragma once
// The application's title and version, as the caption, the about box and --version show them.

#include <string>

namespace kv {

inline constexpr const char* kAppTitle = "Korvinth / Win";
inline constexpr int kVersionMajor = 0;
inline constexpr int kVersionMinor = 2;
inline constexpr int kVersionRevision = 9;

inline std::string VersionText() {
    return std::to_string(kVersionMajor) + "." + std::to_string(kVersionMinor) + "." +
           std::to_string(kVersionRevision);
}

// "Korvinth / Win 0.2.9"
inline std::string TitleWithVersion() {
    return std::string(kAppTitle) + " " + VersionText();
}

}  // namespace kv
