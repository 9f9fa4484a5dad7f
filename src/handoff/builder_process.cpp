#include "handoff/builder_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace tessivar {

pid_t StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   int inherited, std::string* error) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  // A descriptor duplicated onto itself loses its close-on-exec flag in the
  // new program only.
  if (inherited >= 0) posix_spawn_file_actions_adddup2(&actions, inherited, inherited);
  const std::string path = program.string();
  std::vector<char*> argv = {const_cast<char*>(path.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    *error = path + ": " + std::strerror(rc);
    return 0;
  }
  return pid;
}

std::optional<std::string> EndOf(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, WNOHANG) != pid) return std::nullopt;
  if (WIFSIGNALED(status)) return "シグナル " + std::to_string(WTERMSIG(status));
  return "終了コード " + std::to_string(WEXITSTATUS(status));
}

EndWatch::EndWatch(pid_t pid) : fd_(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0))) {}

EndWatch::~EndWatch() {
  if (fd_ >= 0) ::close(fd_);
}

bool EndWatch::Sleep(std::chrono::milliseconds duration) {
  if (fd_ < 0) {
    std::this_thread::sleep_for(duration);
    return false;
  }
  pollfd ended{fd_, POLLIN, 0};
  return ::poll(&ended, 1, static_cast<int>(duration.count())) > 0;
}

void EndProcess(pid_t pid, std::chrono::milliseconds grace) {
  if (pid <= 0 || waitpid(pid, nullptr, WNOHANG) != 0) return;  // ended and collected, or not ours
  ::kill(pid, SIGTERM);
  const auto end = std::chrono::steady_clock::now() + grace;
  while (std::chrono::steady_clock::now() < end) {
    if (waitpid(pid, nullptr, WNOHANG) != 0) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ::kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

}  // namespace tessivar
