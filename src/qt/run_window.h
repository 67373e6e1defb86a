#pragma once
// Runs the program with its window until the window is closed or "終了" is chosen.

namespace kv {

// argv[1..] together are the command-line text: the figure file to open, optionally quoted.
int RunWindow(int argc, char** argv);

}  // namespace kv
