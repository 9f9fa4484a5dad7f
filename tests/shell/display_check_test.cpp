#include "shell/display_check.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

namespace tessivar {
namespace {

// A listening local socket standing in for a Wayland compositor.
class LiveSocket {
 public:
  LiveSocket()
      : path_((std::filesystem::temp_directory_path() / ("tessivar_display_" + std::to_string(getpid())))) {
    std::filesystem::remove(path_);
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path_.c_str(), sizeof(address.sun_path) - 1);
    EXPECT_EQ(bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(listen(fd_, 4), 0);
  }
  ~LiveSocket() {
    close(fd_);
    std::filesystem::remove(path_);
  }
  std::string path() const { return path_.string(); }

 private:
  std::filesystem::path path_;
  int fd_ = -1;
};

TEST(DisplayCheck, WindowsOpenOnlyWhereTheToolkitFindsAScreen) {
  LiveSocket compositor;
  const std::string live = compositor.path();
  const std::string dead = "/nonexistent/wayland-0";
  struct Case {
    DisplayEnvironment env;
    bool usable;
  };
  const Case cases[] = {
      {{"offscreen", "", "", ""}, true},   {{"vnc:size=800x600", "", "", ""}, true},
      {{"", "", "", ""}, false},           {{"", ":4711", "", ""}, false},  // no X server of that number
      {{"", "", dead, ""}, false},         {{"", "", live, ""}, true},
      {{"wayland", "", live, ""}, true},   {{"wayland-egl", ":4711", dead, ""}, false},
      {{"xcb", "", live, ""}, false},       // X11 asked for, only Wayland there
      {{"", "", "wayland-0", ""}, false},   // a relative name needs XDG_RUNTIME_DIR
      {{"", "otherhost:0", "", ""}, true},  // remote displays are left to the toolkit
  };
  for (const Case& c : cases) {
    const std::string why = MissingDisplay(c.env);
    EXPECT_EQ(why.empty(), c.usable) << c.env.qt_qpa_platform << " / " << c.env.display << " / "
                                     << c.env.wayland_display << ": " << why;
  }
  EXPECT_EQ(MissingDisplay({"", "", "", ""}), "DISPLAY is not set");
}

}  // namespace
}  // namespace tessivar
