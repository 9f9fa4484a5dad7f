#include "shell/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace tessivar {

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// Connects to a local socket; abstract names start with '@'.
bool Accepts(const std::string& path) {
  sockaddr_un address{};
  if (path.size() >= sizeof(address.sun_path)) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.data(), path.size());
  if (path[0] == '@') address.sun_path[0] = '\0';
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const socklen_t length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path.size());
  const bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0;
  close(fd);
  return connected;
}

bool XServerAccepts(const std::string& display) {
  if (display.empty()) return false;
  std::string rest = display;
  if (rest.rfind("unix:", 0) == 0) rest = rest.substr(4);
  if (rest[0] != ':') return true;            // a remote or otherwise named display: left to the toolkit
  const std::string screen = rest.substr(1);  // "N" or "N.S"
  const std::string socket = "/tmp/.X11-unix/X" + screen.substr(0, screen.find('.'));
  return Accepts(socket) || Accepts("@" + socket);
}

bool WaylandAccepts(const DisplayEnvironment& env) {
  if (env.wayland_display.empty()) return false;
  if (env.wayland_display[0] == '/') return Accepts(env.wayland_display);
  return !env.xdg_runtime_dir.empty() && Accepts(env.xdg_runtime_dir + "/" + env.wayland_display);
}

}  // namespace

DisplayEnvironment CurrentDisplayEnvironment() {
  return {Variable("QT_QPA_PLATFORM"), Variable("DISPLAY"), Variable("WAYLAND_DISPLAY"),
          Variable("XDG_RUNTIME_DIR")};
}

std::string MissingDisplay(const DisplayEnvironment& env) {
  // QT_QPA_PLATFORM is "name[:options][;fallback...]"; the first name decides.
  const std::string platform = env.qt_qpa_platform.substr(0, env.qt_qpa_platform.find_first_of(":;"));
  const bool x11 = platform.empty() || platform == "xcb";
  const bool wayland = platform.empty() || platform.rfind("wayland", 0) == 0;
  if (!x11 && !wayland) return {};
  if (x11 && XServerAccepts(env.display)) return {};
  if (wayland && WaylandAccepts(env)) return {};
  if (!platform.empty()) return "the platform \"" + platform + "\" has no display to open";
  if (env.display.empty() && env.wayland_display.empty()) return "DISPLAY is not set";
  return "the display " + (env.display.empty() ? env.wayland_display : env.display) + " cannot be opened";
}

}  // namespace tessivar
