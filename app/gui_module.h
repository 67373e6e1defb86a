#pragma once
// Loading the module that holds the window and the picture commands.

// Finds the module beside the program (the build tree) or where the installation puts it,
// and runs its entry with the command line. When the module cannot be loaded, says why on
// standard error and returns 1.
int RunGuiModule(int argc, char** argv);
