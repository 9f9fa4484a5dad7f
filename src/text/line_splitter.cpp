#include "text/line_splitter.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace text {

namespace {

// Small enough for the bytes read to be still in the processor's cache when
// their lines are taken.
constexpr size_t kBlockSize = 64 * 1024;

// The first CR or LF in [from, to), or to: sixteen bytes at a time, in one
// pass for both, as lines are short.
const char* LineEnd(const char* from, const char* to) {
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; to - from >= 16; from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const int found = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
    if (found != 0) return from + __builtin_ctz(static_cast<unsigned>(found));
  }
#endif
  while (from < to && *from != '\r' && *from != '\n') ++from;
  return from;
}

}  // namespace

std::string LineTooLongMessage(std::string_view file, long line) {
  return std::string(file) + " の " + std::to_string(line) + " 行目は " + std::to_string(kMaxLineBytes) +
         " バイトを超えるため読み飛ばしました。";
}

// Reads the next block straight behind the bytes not yet taken, which move
// to the front first (a line cut by the block's end, at most kMaxLineBytes).
void LineSplitter::MakeRoom(size_t size) {
  const size_t kept = size_ - pos_;
  if (size > capacity_) {
    // Made once (a block behind the longest line kept) and never cleared: a
    // page of it costs only when read into (a small file, one).
    const size_t capacity = std::max(size, kMaxLineBytes + 1 + kBlockSize);
    std::unique_ptr<char[]> room(new char[capacity]);
    if (kept > 0) std::memcpy(room.get(), buffer_.get() + pos_, kept);
    buffer_ = std::move(room);
    capacity_ = capacity;
  } else {
    std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
  }
  pos_ = 0;
  size_ = kept;
}

bool LineSplitter::Fill() {
  if (end_) return false;
  MakeRoom(size_ - pos_ + kBlockSize);
  const size_t got = source_(buffer_.get() + size_, kBlockSize);
  size_ += got;
  if (got == 0) end_ = true;
  return got > 0;
}

std::string_view LineSplitter::Peek(size_t at_least) {
  const size_t held = size_ - pos_;
  if (held < at_least && !end_) {
    MakeRoom(at_least + kBlockSize);
    const size_t got = source_(buffer_.get() + size_, at_least - held);
    size_ += got;
    if (got == 0) end_ = true;
  }
  return Held().substr(pos_);
}

void LineSplitter::SkipRestOfLine() {
  while (true) {
    const char* begin = buffer_.get() + pos_;
    const char* stop = buffer_.get() + size_;
    const char* end = LineEnd(begin, stop);
    if (end < stop) {
      pos_ = static_cast<size_t>(end - buffer_.get());
      // A CR LF is one line end, also when the block boundary falls between.
      if (buffer_[pos_] == '\r' && (pos_ + 1 < size_ || Fill()) && buffer_[pos_ + 1] == '\n') ++pos_;
      ++pos_;
      return;
    }
    pos_ = size_;
    if (!Fill()) return;
  }
}

LineSplitter::Result LineSplitter::Next(std::string_view& line) {
  size_t searched = pos_;  // bytes before this are known to hold no line end
  while (true) {
    const char* begin = buffer_.get() + searched;
    const char* stop = buffer_.get() + size_;
    const char* end = LineEnd(begin, stop);
    const size_t end_pos = static_cast<size_t>(end - buffer_.get());
    if (end_pos - pos_ > kMaxLineBytes) {
      ++line_number_;
      line = {};
      pos_ = end_pos;
      SkipRestOfLine();
      return Result::kTooLong;
    }
    if (end < stop) {
      // A CR at the very end of the bytes read may be the first half of CR LF.
      if (*end == '\r' && end_pos + 1 == size_ && !end_) {
        const size_t offset = end_pos - pos_;
        Fill();
        searched = pos_ + offset;  // look again from the CR
        continue;
      }
      ++line_number_;
      line = Held().substr(pos_, end_pos - pos_);
      pos_ = end_pos + 1;
      if (*end == '\r' && pos_ < size_ && buffer_[pos_] == '\n') ++pos_;
      return Result::kLine;
    }
    const size_t offset = size_ - pos_;
    if (!Fill()) {
      if (pos_ >= size_) return Result::kEnd;  // no unterminated last line
      ++line_number_;
      line = Held().substr(pos_);
      pos_ = size_;
      return Result::kLine;
    }
    searched = pos_ + offset;
  }
}

}  // namespace text
