#include "text/line_splitter.h"

#include <cstring>

namespace text {

namespace {

constexpr size_t kBlockSize = 1 << 20;

// The first CR or LF in [from, to), or to.
const char* LineEnd(const char* from, const char* to) {
  const size_t n = static_cast<size_t>(to - from);
  const void* lf = std::memchr(from, '\n', n);
  const char* end = lf ? static_cast<const char*>(lf) : to;
  // A CR before the LF ends the line there (CR LF or a lone CR).
  const void* cr = std::memchr(from, '\r', static_cast<size_t>(end - from));
  return cr ? static_cast<const char*>(cr) : end;
}

}  // namespace

std::string LineTooLongMessage(std::string_view file, long line) {
  return std::string(file) + " の " + std::to_string(line) + " 行目は " + std::to_string(kMaxLineBytes) +
         " バイトを超えるため読み飛ばしました。";
}

// Reads the next block straight behind the bytes not yet taken, which move
// to the front first (a line cut by the block's end, at most kMaxLineBytes).
bool LineSplitter::Fill() {
  if (end_) return false;
  buffer_.erase(0, pos_);
  pos_ = 0;
  const size_t kept = buffer_.size();
  buffer_.resize(kept + kBlockSize);
  const size_t got = source_(buffer_.data() + kept, kBlockSize);
  buffer_.resize(kept + got);
  if (got == 0) end_ = true;
  return got > 0;
}

std::string_view LineSplitter::Peek() {
  if (pos_ >= buffer_.size()) Fill();
  return std::string_view(buffer_).substr(pos_);
}

void LineSplitter::SkipRestOfLine() {
  while (true) {
    const char* begin = buffer_.data() + pos_;
    const char* stop = buffer_.data() + buffer_.size();
    const char* end = LineEnd(begin, stop);
    if (end < stop) {
      pos_ = static_cast<size_t>(end - buffer_.data());
      // A CR LF is one line end, also when the block boundary falls between.
      if (buffer_[pos_] == '\r' && (pos_ + 1 < buffer_.size() || Fill()) && buffer_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
      return;
    }
    pos_ = buffer_.size();
    if (!Fill()) return;
  }
}

LineSplitter::Result LineSplitter::Next(std::string_view& line) {
  size_t searched = pos_;  // bytes before this are known to hold no line end
  while (true) {
    const char* begin = buffer_.data() + searched;
    const char* stop = buffer_.data() + buffer_.size();
    const char* end = LineEnd(begin, stop);
    const size_t end_pos = static_cast<size_t>(end - buffer_.data());
    if (end_pos - pos_ > kMaxLineBytes) {
      ++line_number_;
      line = {};
      pos_ = end_pos;
      SkipRestOfLine();
      return Result::kTooLong;
    }
    if (end < stop) {
      // A CR at the very end of the bytes read may be the first half of CR LF.
      if (*end == '\r' && end_pos + 1 == buffer_.size() && !end_) {
        const size_t offset = end_pos - pos_;
        Fill();
        searched = pos_ + offset;  // look again from the CR
        continue;
      }
      ++line_number_;
      line = std::string_view(buffer_).substr(pos_, end_pos - pos_);
      pos_ = end_pos + 1;
      if (*end == '\r' && pos_ < buffer_.size() && buffer_[pos_] == '\n') ++pos_;
      return Result::kLine;
    }
    const size_t offset = buffer_.size() - pos_;
    if (!Fill()) {
      if (pos_ >= buffer_.size()) return Result::kEnd;  // no unterminated last line
      ++line_number_;
      line = std::string_view(buffer_).substr(pos_);
      pos_ = buffer_.size();
      return Result::kLine;
    }
    searched = pos_ + offset;
  }
}

}  // namespace text
