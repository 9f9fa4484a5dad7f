#pragma once
// The entry into the windows module: Tessivar loads "libtessivar_windows.so"
// from its own folder only when it opens its windows, so that the batch mode
// never loads the window toolkit.

namespace tessivar {

// The module's file name, and the name of its one exported function.
inline constexpr char kWindowsModuleFile[] = "libtessivar_windows.so";
inline constexpr char kWindowsEntryName[] = "tessivar_run_windows";

// The exported function: runs the windows on the program folder and returns
// the exit status.
using WindowsEntry = int (*)(const char* program_folder, int* argc, char** argv);

}  // namespace tessivar
