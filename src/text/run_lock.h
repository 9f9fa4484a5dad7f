#pragma once
// One run at a time in a folder: an exclusive lock on a lock file there,
// held while the RunLock lives. The system drops the lock when the last
// process holding it ends, however it ends, so a killed run never blocks the
// next one; a program the run starts can be handed the lock's descriptor to
// hold it until that program has ended too. The lock file itself stays; only
// the lock on it counts. A link standing at the lock file's name is refused,
// never followed.
#include <filesystem>
#include <string>

namespace text {

class RunLock {
 public:
  RunLock() = default;
  ~RunLock();
  RunLock(const RunLock&) = delete;
  RunLock& operator=(const RunLock&) = delete;

  enum class Result { kLocked, kBusy, kFailed };
  // Takes the lock of the lock file path (made when missing). kBusy: another
  // run holds it; kFailed: the file cannot be opened (error() says why).
  Result Acquire(const std::filesystem::path& path);

  const std::string& error() const { return error_; }
  // The locked descriptor (closed on exec unless handed on), or -1.
  int descriptor() const { return fd_; }

 private:
  int fd_ = -1;
  std::string error_;
};

}  // namespace text
