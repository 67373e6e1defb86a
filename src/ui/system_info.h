#pragma once
// Finding the desktop's system-information program for the about box.

#include <span>
#include <string>
#include <string_view>

namespace kv {

// The usual system-information programs of Linux desktops, in order of preference.
std::span<const std::string_view> SystemInfoCandidates();

// The full path of the first candidate found as an executable file in one of the folders of
// a PATH-style list (":"-separated); empty when there is none.
std::string FindOnPath(std::string_view pathList, std::span<const std::string_view> programs);

}  // namespace kv
