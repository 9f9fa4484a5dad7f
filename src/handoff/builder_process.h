#pragma once
// Starting the builder as a process of its own, without waiting for it.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tessivar {

// Starts program with arguments; the descriptor inherited (when not -1)
// stays open in it under the same number. Returns its process id, or 0 with
// *error describing why it could not be started.
pid_t StartProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                   int inherited, std::string* error);

// When the process has ended: how ("終了コード 3", "シグナル 9"), having
// collected it. nullopt while it runs.
std::optional<std::string> EndOf(pid_t pid);

// Sleeping while a process runs: each Sleep ends early when the process
// ends, where the system tells (a process file descriptor); elsewhere it
// sleeps the whole time.
class EndWatch {
 public:
  explicit EndWatch(pid_t pid);
  ~EndWatch();
  EndWatch(const EndWatch&) = delete;
  EndWatch& operator=(const EndWatch&) = delete;

  // Sleeps for at most duration; true when it woke because the process ended.
  bool Sleep(std::chrono::milliseconds duration);

 private:
  int fd_ = -1;
};

// Asks the process to end (SIGTERM), waits for it up to grace, then ends it
// (SIGKILL), and collects it.
void EndProcess(pid_t pid, std::chrono::milliseconds grace);

}  // namespace tessivar
