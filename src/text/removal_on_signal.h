#pragma once
// Files and folders of a run that a SIGTERM, SIGINT or SIGHUP must not leave
// behind: a killed run removes its unfinished temporary files (a word list
// under way is over 100 MB) and the builder's working folder. The signal
// handler only makes system calls on a fixed table, so it is safe to run at
// any moment. A signal the process ignored when it registered its first path
// (nohup) stays ignored.
#include <signal.h>

#include <filesystem>

namespace text {

class RemovalOnSignal {
 public:
  enum class Kind {
    kFile,    // unlinked
    kFolder,  // its files unlinked, then the folder itself
  };
  RemovalOnSignal() = default;
  // Removes nothing: unregisters the path.
  ~RemovalOnSignal() { Release(); }
  RemovalOnSignal(const RemovalOnSignal&) = delete;
  RemovalOnSignal& operator=(const RemovalOnSignal&) = delete;

  // Registers path; false when the table is full or the path too long for it
  // (the run goes on, only without this protection).
  bool Register(const std::filesystem::path& path, Kind kind);
  // The path is gone or has become a file that must stay (renamed into place).
  void Release();

 private:
  int slot_ = -1;
};

// Holds SIGTERM, SIGINT and SIGHUP back while it lives: a path made and
// registered under it is never left behind by a signal that came between
// the two, and a name that turned out to be taken is never removed.
class SignalsHeld {
 public:
  SignalsHeld();
  ~SignalsHeld();
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace text
