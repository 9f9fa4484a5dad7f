#pragma once
// Line-by-line reading and writing of text files with CR LF line ends: code
// page 932, and for reading also UTF-8. Reading streams the file in blocks,
// so a whole-country file is never held at once, and takes lines of at most
// kMaxLineBytes. Writing goes to a temporary file of its own beside the
// target (see TemporaryFile), which takes the target's place only when every
// line was written: a file is whole or not there at all. Bad bytes and unwritable characters are reported
// with the file name and line number, never dropped silently.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/byte_source.h"
#include "text/cp932.h"
#include "text/line_source.h"
#include "text/line_splitter.h"
#include "text/temporary_file.h"

namespace text {

// How the bytes of a text file stand for its characters.
enum class Encoding { kCp932, kUtf8 };

class TextFileReader : public LineSource {
 public:
  explicit TextFileReader(Encoding encoding = Encoding::kCp932) : encoding_(encoding) {}
  ~TextFileReader() override;
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  // Opens path; on failure returns false and error() says why.
  bool Open(const std::filesystem::path& path);
  // Reads the lines of source (a file inside a zip archive, say), which
  // messages call name.
  void Open(std::unique_ptr<ByteSource> source, std::string name);
  // Reads the next line (see LineSource). A UTF-8 file's byte-order mark is
  // not part of its first line.
  bool Next(std::u16string& line) override;
  void Close() override;

  bool is_open() const { return source_ != nullptr; }
  const std::string& name() const override { return name_; }
  long line_number() const override { return splitter_ ? splitter_->line_number() : 0; }
  bool line_too_long() const override { return too_long_; }
  std::string_view encoding() const override;
  std::string_view foreign_encoding() override;
  // The last failure; cleared by the next Open or Next.
  const std::string& error() const override { return error_; }

 private:
  bool Decode(std::string_view bytes, std::u16string& line);

  Encoding encoding_;
  std::unique_ptr<ByteSource> source_;
  std::unique_ptr<LineSplitter> splitter_;
  std::string name_;
  bool too_long_ = false;
  std::string read_failure_;  // why the source stopped short of its end
  std::string error_;
  Cp932 codec_;
};

// Told of each line a TextFileWriter writes, as it is written: its bytes in
// the file without the line end, and where they start. A reader of the file
// would split them again at any line end they hold.
class WrittenLineObserver {
 public:
  virtual ~WrittenLineObserver() = default;
  virtual void Written(std::string_view bytes, uint64_t offset) = 0;
};

class TextFileWriter {
 public:
  TextFileWriter() = default;
  // Without a successful Close the target is left as it was.
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Whether Close waits for the new content to reach the disk before it
  // takes the old one's place, so that even a crash of the machine leaves
  // one of the two whole. An output made again from its inputs by another
  // run can go without: the wait costs a whole-country run a tenth of its time.
  enum class Sync { kBeforeRename, kNone };

  // Starts a new content for path (the file itself is replaced by Close).
  bool Open(const std::filesystem::path& path, Sync sync = Sync::kBeforeRename);
  // Writes bytes as they stand (lines kept byte for byte from another file).
  bool WriteBytes(std::string_view bytes);
  // Tells observer of every line WriteLine writes from now on (not of
  // WriteBytes); nullptr stops it.
  void Observe(WrittenLineObserver* observer) { observer_ = observer; }
  // Writes text and CR LF. A character without a code page 932 form makes it
  // return false with error() naming the file, line and character; the line
  // is still written, with "?" in its place. A failure to write makes it
  // return false with failed() set: the file will not be replaced.
  // *reads_back tells whether ReadsBackAs can find the line again.
  bool WriteLine(std::u16string_view text, bool* reads_back = nullptr);
  // Where the next line begins: the bytes written so far.
  uint64_t size() const { return flushed_ + buffer_.size(); }
  // Whether the line written at offset (the size() before it) is text, for a
  // line whose WriteLine said it reads back; false for any other text, which
  // no such line can be.
  bool ReadsBackAs(uint64_t offset, std::u16string_view text);
  // Writes out, closes and puts the new content in place of path; false
  // (with error() naming the file and the system's reason) when any of it
  // failed, the target then being left as it was.
  bool Close();
  // Gives up the new content; the target stays as it was.
  void Discard();

  bool is_open() const { return file_ != nullptr; }
  bool failed() const { return failed_; }
  long line_number() const { return line_number_; }
  const std::string& error() const { return error_; }

 private:
  bool Flush();
  void Fail(const std::string& what);

  std::FILE* file_ = nullptr;
  std::filesystem::path target_;
  TemporaryFile temp_;
  std::string name_;
  std::string buffer_;
  uint64_t flushed_ = 0;   // bytes before buffer_
  std::string read_back_;  // ReadsBackAs: the text's bytes, then the file's
  long line_number_ = 0;
  bool failed_ = false;
  Sync sync_ = Sync::kBeforeRename;
  std::string error_;
  Cp932 codec_;
  WrittenLineObserver* observer_ = nullptr;
};

// Copies from to to whole or not at all: through a temporary file beside to,
// renamed over it only when the copy is complete; the copy has from's
// permissions. ec says why it failed.
bool CopyWhole(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

// Reads a whole small text file (settings, scripts) into lines. False with
// error set when the file cannot be read or a line is unreadable (that line
// is then kept as far as it could be decoded, a line too long as empty).
bool ReadAllLines(const std::filesystem::path& path, std::vector<std::u16string>& lines, std::string& error,
                  Encoding encoding = Encoding::kCp932);

}  // namespace text
