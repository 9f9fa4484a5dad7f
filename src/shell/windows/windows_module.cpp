// The windows module's one exported function (see shell/windows_module.h).
#include "shell/windows_module.h"

#include <type_traits>

#include "shell/windows/windows_program.h"

extern "C" __attribute__((visibility("default"))) int tessivar_run_windows(const char* home, int* argc,
                                                                           char** argv) {
  static_assert(std::is_same_v<decltype(&tessivar_run_windows), tessivar::WindowsEntry>);
  return tessivar::RunWindows(home, *argc, argv);
}
