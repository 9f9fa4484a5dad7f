#include "builder/command_start.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string_view>
#include <system_error>

#include "builder/file_system_object.h"

extern char** environ;

namespace morvane {

namespace {

namespace fs = std::filesystem;

// Words the shell runs itself, with no program file behind them.
constexpr std::string_view kShellWords[] = {
    "!",        ".",      ":",        "[",      "{",     "alias",  "break", "case",  "cd",   "command",
    "continue", "echo",   "eval",     "exec",   "exit",  "export", "false", "for",   "if",   "printf",
    "pwd",      "read",   "readonly", "return", "set",   "shift",  "test",  "times", "trap", "true",
    "type",     "ulimit", "umask",    "unset",  "until", "wait",   "while"};

// The program word of a command line: up to the first blank or shell
// operator, one pair of enclosing quotes removed. nullopt when the word is
// shell syntax (an expansion, an assignment, a keyword) that only the shell
// can resolve.
std::optional<std::string> ProgramWord(std::string_view command) {
  std::string word;
  if (!command.empty() && (command.front() == '"' || command.front() == '\'')) {
    const size_t close = command.find(command.front(), 1);
    if (close == std::string_view::npos) return std::nullopt;
    word = command.substr(1, close - 1);
  } else {
    word = command.substr(0, command.find_first_of(" \t;&|<>()"));
  }
  if (word.empty() || word.find_first_of("$`=*?[~\\") != std::string::npos) return std::nullopt;
  if (std::ranges::find(kShellWords, word) != std::end(kShellWords)) return std::nullopt;
  return word;
}

bool IsExecutableFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

// Throws the failure the shell would meet when running program: not found,
// or found but not executable.
void CheckProgram(const std::string& program) {
  std::error_code ec;
  if (program.find('/') != std::string::npos) {
    if (IsExecutableFile(program)) return;
    throw FsoFailure(fs::exists(program, ec) ? kFsoPermissionDenied : kFsoFileNotFound, program);
  }
  const char* env = std::getenv("PATH");
  const std::string_view search = env ? env : "/usr/bin:/bin";
  bool seen = false;
  for (size_t start = 0; start <= search.size();) {
    size_t end = search.find(':', start);
    if (end == std::string_view::npos) end = search.size();
    const std::string_view dir = search.substr(start, end - start);
    const fs::path candidate = fs::path(dir.empty() ? "." : std::string(dir)) / program;
    if (IsExecutableFile(candidate)) return;
    seen |= fs::is_regular_file(candidate, ec);
    start = end + 1;
  }
  throw FsoFailure(seen ? kFsoPermissionDenied : kFsoFileNotFound, program);
}

}  // namespace

void StartCommand(const std::string& command) {
  if (command.empty()) throw FsoFailure(kFsoInvalidCall, "");
  if (const auto program = ProgramWord(command)) CheckProgram(*program);
  // An outer shell puts the command in the background and ends at once; the
  // command is then adopted by the system, which reaps it.
  const char* argv[] = {"/bin/sh",       "-c",   "/bin/sh -c \"$1\" </dev/null >/dev/null 2>&1 &", "sh",
                        command.c_str(), nullptr};
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char* const*>(argv), environ);
  if (rc != 0) throw FsoError(rc, std::string(std::strerror(rc)) + " (/bin/sh)");
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace morvane
