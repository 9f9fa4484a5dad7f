#include "text/temporary_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace text {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr size_t kRandomLength = 6;
constexpr std::string_view kSuffix = ".tmp";

std::string RandomPart() {
  thread_local std::mt19937_64 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, kAlphabet.size() - 1);
  std::string part;
  for (size_t i = 0; i < kRandomLength; ++i) part += kAlphabet[pick(generator)];
  return part;
}

}  // namespace

int TemporaryFile::Create(const fs::path& target, std::error_code& ec) {
  Remove();
  constexpr int kAttempts = 100;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    fs::path candidate = target;
    candidate += "." + RandomPart() + std::string(kSuffix);
    int fd, error;
    {
      const SignalsHeld held;
      fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      error = errno;
      if (fd >= 0) on_signal_.Register(candidate, RemovalOnSignal::Kind::kFile);
    }
    if (fd >= 0) {
      path_ = std::move(candidate);
      ec.clear();
      return fd;
    }
    if (error != EEXIST) {
      ec.assign(error, std::generic_category());
      return -1;
    }
  }
  ec = std::make_error_code(std::errc::file_exists);
  return -1;
}

bool TemporaryFile::RenameOver(const fs::path& target, std::error_code& ec) {
  ec.clear();
  if (path_.empty()) {
    ec = std::make_error_code(std::errc::no_such_file_or_directory);
    return false;
  }
  if (::rename(path_.c_str(), target.c_str()) != 0) {
    ec.assign(errno, std::generic_category());
    return false;
  }
  path_.clear();
  on_signal_.Release();
  return true;
}

void TemporaryFile::Remove() {
  if (!path_.empty()) ::unlink(path_.c_str());
  path_.clear();
  on_signal_.Release();
}

}  // namespace text
