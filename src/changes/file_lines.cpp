#include "changes/file_lines.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "text/line_splitter.h"

namespace changes {

namespace {

constexpr size_t kBlockSize = 1 << 16;
// Room for a block after the start of the longest line.
constexpr size_t kBufferSize = kBlockSize + text::kMaxLineBytes;

}  // namespace

FileLines::~FileLines() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileLines::Open(const std::filesystem::path& path) {
  name_ = path.filename().string();
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = name_ + ": " + std::strerror(errno);
    return false;
  }
  buffer_.reset(new char[kBufferSize]);
  return true;
}

// Moves the bytes not yet taken to the front and reads the next block after
// them; false at the end.
bool FileLines::Fill() {
  if (end_) return false;
  std::memmove(buffer_.get(), buffer_.get() + pos_, size_ - pos_);
  buffer_offset_ += pos_;
  size_ -= pos_;
  pos_ = 0;
  ssize_t got;
  do {
    got = ::read(fd_, buffer_.get() + size_, kBufferSize - size_);
  } while (got < 0 && errno == EINTR);
  if (got < 0) error_ = name_ + ": " + std::strerror(errno);
  end_ = got <= 0;
  if (end_) return false;
  size_ += static_cast<size_t>(got);
  return true;
}

bool FileLines::Next(std::string_view& line, uint64_t& offset) {
  if (fd_ < 0 || !error_.empty()) return false;
  size_t searched = pos_;
  for (;;) {
    const void* found = std::memchr(buffer_.get() + searched, '\n', size_ - searched);
    if (found) {
      const size_t end = static_cast<size_t>(static_cast<const char*>(found) - buffer_.get());
      line = std::string_view(buffer_.get() + pos_, end - pos_);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      offset = buffer_offset_ + pos_;
      pos_ = end + 1;
      return true;
    }
    if (size_ - pos_ > text::kMaxLineBytes) {
      error_ = name_ + " の " + std::to_string(buffer_offset_ + pos_ + 1) + " バイト目からの行が長すぎます。";
      return false;
    }
    const size_t unsearched = size_ - pos_;
    if (!Fill()) break;
    searched = unsearched;
  }
  if (!error_.empty() || pos_ == size_) return false;
  // A last line without its line end.
  line = std::string_view(buffer_.get() + pos_, size_ - pos_);
  offset = buffer_offset_ + pos_;
  pos_ = size_;
  return true;
}

bool FileLines::NextIs(std::string_view line, uint64_t& offset) {
  if (fd_ < 0 || !error_.empty() || line.size() > text::kMaxLineBytes) return false;
  const size_t length = line.size() + 2;
  while (size_ - pos_ < length) {
    if (!Fill()) return false;
  }
  const char* at = buffer_.get() + pos_;
  if (std::memcmp(at, line.data(), line.size()) != 0 || at[line.size()] != '\r' ||
      at[line.size() + 1] != '\n')
    return false;
  offset = buffer_offset_ + pos_;
  pos_ += length;
  return true;
}

bool FileLines::ReadAt(uint64_t offset, size_t length, std::string_view& bytes) {
  if (offset < window_offset_ || offset + length > window_offset_ + window_.size()) {
    window_.resize(std::max(length, kBlockSize));
    size_t done = 0;
    while (done < window_.size()) {
      const ssize_t got =
          ::pread(fd_, window_.data() + done, window_.size() - done, static_cast<off_t>(offset + done));
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        error_ = name_ + ": " + std::strerror(errno);
        return false;
      }
      if (got == 0) break;
      done += static_cast<size_t>(got);
    }
    window_.resize(done);
    window_offset_ = offset;
    if (done < length) {
      error_ = name_ + " が読み直す前に短くなりました。";
      return false;
    }
  }
  bytes = std::string_view(window_).substr(offset - window_offset_, length);
  return true;
}

}  // namespace changes
