#pragma once
// The entry into the windows module: Tessivar loads "libtessivar_windows.so"
// (beside it in the program folder, from lib/tessivar in the package) only
// when it opens its windows, so that the batch mode never loads the window
// toolkit.

namespace tessivar {

// The module's file name, and the name of its one exported function.
inline constexpr char kWindowsModuleFile[] = "libtessivar_windows.so";
inline constexpr char kWindowsEntryName[] = "tessivar_run_windows";

// The exported function: runs the windows on the home (the program folder,
// the user's folder or the one given with --home) and returns the exit status.
using WindowsEntry = int (*)(const char* home, int* argc, char** argv);

}  // namespace tessivar
