#include "builder/command_start.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "builder/file_system_object.h"

extern char** environ;

namespace morvane {

namespace {

namespace fs = std::filesystem;

bool IsExecutableFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && access(path.c_str(), X_OK) == 0;
}

// The program file a word names: a path as it stands, a bare name searched in
// PATH. Throws the failure of a program not found or not executable.
std::string ProgramPath(const std::string& program) {
  std::error_code ec;
  if (program.find('/') != std::string::npos) {
    if (IsExecutableFile(program)) return program;
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
    if (IsExecutableFile(candidate)) return candidate.string();
    seen |= fs::is_regular_file(candidate, ec);
    start = end + 1;
  }
  throw FsoFailure(seen ? kFsoPermissionDenied : kFsoFileNotFound, program);
}

}  // namespace

std::vector<std::string> CommandWords(const std::string& command) {
  std::vector<std::string> words;
  std::string word;
  bool in_word = false;
  char quote = 0;
  for (char c : command) {
    if (quote) {
      if (c == quote)
        quote = 0;
      else
        word += c;
    } else if (c == '"' || c == '\'') {
      quote = c;
      in_word = true;
    } else if (c == ' ' || c == '\t') {
      if (in_word) words.push_back(std::move(word));
      word.clear();
      in_word = false;
    } else {
      word += c;
      in_word = true;
    }
  }
  if (in_word) words.push_back(std::move(word));
  return words;
}

void StartCommand(const std::string& command) {
  const std::vector<std::string> words = CommandWords(command);
  if (words.empty()) throw FsoFailure(kFsoInvalidCall, "");
  const std::string program = ProgramPath(words.front());

  std::vector<char*> argv;
  for (const std::string& w : words) argv.push_back(const_cast<char*>(w.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int fd : {0, 1, 2})
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  // Not waited for: the program runs on after the builder ends, adopted by
  // the system, which collects it.
  if (rc != 0) throw FsoError(rc, std::string(std::strerror(rc)) + " (" + program + ")");
}

}  // namespace morvane
