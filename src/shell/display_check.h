#pragma once
// Whether the windows can open, decided before the toolkit starts: a toolkit
// without a display stops the program outright, and Tessivar must instead say
// in one line that it needs a display or --batch.
#include <string>

namespace tessivar {

struct DisplayEnvironment {
  std::string qt_qpa_platform;  // QT_QPA_PLATFORM
  std::string display;          // DISPLAY
  std::string wayland_display;  // WAYLAND_DISPLAY
  std::string xdg_runtime_dir;  // XDG_RUNTIME_DIR
};

DisplayEnvironment CurrentDisplayEnvironment();

// Empty when the windows can open; otherwise why not. A platform without a
// screen of its own (offscreen, vnc, ...) always can; X11 and Wayland need a
// server that accepts a connection. Only local X servers (":N") are probed.
std::string MissingDisplay(const DisplayEnvironment& env);

}  // namespace tessivar
