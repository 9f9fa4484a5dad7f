#pragma once
// Cuts a stream of bytes into lines, for every line source of the programs
// (code page 932 files here; any other source reads through it too, so all
// share one line limit). LF, CR LF and a lone CR each end a line, so a file
// with the old CR-only line ends is read line by line, not as one line. A
// line longer than kMaxLineBytes is never held: its bytes are skipped up to
// its end, and the line is reported as too long.
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace text {

// The longest line a reader takes (bytes, before decoding). Japan Post's
// lines are under 1 KiB; settings and script lines far less.
inline constexpr size_t kMaxLineBytes = 64 * 1024;

// "<file> の <line> 行目は 65536 バイトを超えるため読み飛ばしました。"
std::string LineTooLongMessage(std::string_view file, long line);

class LineSplitter {
 public:
  // Reads up to size bytes into data; returns how many (0 at the end).
  using Source = std::function<size_t(char* data, size_t size)>;

  enum class Result { kLine, kTooLong, kEnd };

  explicit LineSplitter(Source source) : source_(std::move(source)) {}

  // The next line without its line end, valid until the next call; for
  // kTooLong, line is empty. Raises line_number() for every line.
  Result Next(std::string_view& line);

  long line_number() const { return line_number_; }
  // The bytes read ahead and not yet taken, at least at_least of them where
  // the input has that many (what is missing read in one go): the start of
  // the input right after the first Peek, for a look at what the input is.
  std::string_view Peek(size_t at_least);

 private:
  bool Fill();
  // Room for size bytes from the start of the buffer, the bytes held moved
  // to its front.
  void MakeRoom(size_t size);
  // Drops bytes up to and including the end of the current line.
  void SkipRestOfLine();

  std::string_view Held() const { return {buffer_.get(), size_}; }

  Source source_;
  std::unique_ptr<char[]> buffer_;  // the bytes read and not yet taken: [pos_, size_)
  size_t capacity_ = 0;
  size_t size_ = 0;
  size_t pos_ = 0;
  bool end_ = false;
  long line_number_ = 0;
};

}  // namespace text
