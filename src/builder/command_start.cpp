#include "builder/command_start.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

namespace morvane {

bool StartCommand(const std::string& command, int* error) {
  // An outer shell puts the command in the background and ends at once; the
  // command is then adopted by the system, which reaps it.
  const char* argv[] = {"/bin/sh", "-c", "/bin/sh -c \"$1\" </dev/null >/dev/null 2>&1 &", "sh", command.c_str(),
                        nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
  if (rc != 0) {
    *error = rc;
    return false;
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace morvane
