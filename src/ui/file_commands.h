#pragma once
// Loading and saving figures from the menus, the status bar and the command line.

#include <string>
#include <string_view>

#include "io/figure_file.h"
#include "render/surface.h"
#include "ui/host.h"
#include "ui/session.h"

namespace kv {

// The message shown when a file could not be read or written: the file and the problem.
std::string LoadFailureMessage(const FileResult& r, const std::string& path);
std::string SaveFailureMessage(const FileResult& r, const std::string& path);

// "例の読み込み": the open dialog, then the chosen file replaces the figure. A file that
// cannot be read leaves the figure, its file name and the status as they were. Outside
// "標準" (during a pick, a drag or a construction) it only beeps; so does "保存".
void mnuLoad_Click(App& app, Host& host, Surface& surface);

// "保存": the save dialog, then the figure is written. A failed save keeps the old name.
void mnuSave_Click(App& app, Host& host, Surface& surface);

// Loads the file a command-line text names. Nothing happens (and nothing is shown) when the
// text is empty or names no existing file. Returns true when a figure was loaded.
bool OpenCommandLineFile(App& app, Host& host, Surface& surface, std::string_view text);

}  // namespace kv
