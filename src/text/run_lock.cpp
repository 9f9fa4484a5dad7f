#include "text/run_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace text {

RunLock::~RunLock() {
  if (fd_ >= 0) ::close(fd_);
}

RunLock::Result RunLock::Acquire(const std::filesystem::path& path) {
  if (fd_ >= 0) ::close(fd_);
  // Close-on-exec: a program the run starts holds the run's lock only when
  // it is handed the descriptor on purpose.
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd_ < 0) {
    error_ = path.string() + ": " + std::strerror(errno);
    return Result::kFailed;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return Result::kLocked;
  const int error = errno;
  ::close(fd_);
  fd_ = -1;
  if (error == EWOULDBLOCK) return Result::kBusy;
  error_ = path.string() + ": " + std::strerror(error);
  return Result::kFailed;
}

}  // namespace text
