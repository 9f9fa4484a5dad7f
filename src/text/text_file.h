#pragma once
// Line-by-line reading and writing of code page 932 text files with CR LF
// line ends. Reading streams the file in blocks, so a whole-country file is
// never held at once, and takes lines of at most kMaxLineBytes. Writing goes
// to a temporary file beside the target, which takes the target's place only
// when every line was written: a file is whole or not there at all. Bad
// bytes and unwritable characters are reported with the file name and line
// number, never dropped silently.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "text/cp932.h"
#include "text/line_splitter.h"

namespace text {

class TextFileReader {
 public:
  TextFileReader() = default;
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;

  // Opens path; on failure returns false and error() says why.
  bool Open(const std::filesystem::path& path);
  // Reads the next line without its line end. Returns false at the end of
  // the file. When the line holds bytes that are not code page 932, error()
  // names the file and line and the line holds what could be decoded. A line
  // over kMaxLineBytes comes back empty with line_too_long() set and error()
  // naming it; its bytes were skipped.
  bool Next(std::u16string& line);
  void Close();

  bool is_open() const { return file_ != nullptr; }
  // The file's name, without its folder.
  const std::string& name() const { return name_; }
  long line_number() const { return splitter_ ? splitter_->line_number() : 0; }
  bool line_too_long() const { return too_long_; }
  // "UTF-8" or "UTF-16" when the start of the file is plainly in that
  // encoding rather than code page 932 (see ForeignEncoding); call before
  // the first Next.
  std::string_view foreign_encoding();
  // The last failure; cleared by the next successful Open or Next.
  const std::string& error() const { return error_; }

 private:
  std::FILE* file_ = nullptr;
  std::unique_ptr<LineSplitter> splitter_;
  std::string name_;
  bool too_long_ = false;
  std::string error_;
  Cp932 codec_;
};

class TextFileWriter {
 public:
  TextFileWriter() = default;
  // Without a successful Close the target is left as it was.
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Starts a new content for path (the file itself is replaced by Close).
  bool Open(const std::filesystem::path& path);
  // Writes bytes as they stand (lines kept byte for byte from another file).
  bool WriteBytes(std::string_view bytes);
  // Writes text and CR LF. A character without a code page 932 form makes it
  // return false with error() naming the file, line and character; the line
  // is still written, with "?" in its place. A failure to write makes it
  // return false with failed() set: the file will not be replaced.
  bool WriteLine(std::u16string_view text);
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

  // The temporary file beside target that holds a new content until Close.
  static std::filesystem::path TemporaryPath(const std::filesystem::path& target);

 private:
  bool Flush();
  void Fail(const std::string& what);

  std::FILE* file_ = nullptr;
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::string name_;
  std::string buffer_;
  long line_number_ = 0;
  bool failed_ = false;
  std::string error_;
  Cp932 codec_;
};

// Copies from to to whole or not at all: through a temporary file beside to,
// renamed over it only when the copy is complete. ec says why it failed.
bool CopyWhole(const std::filesystem::path& from, const std::filesystem::path& to, std::error_code& ec);

// Reads a whole small text file (settings, scripts) into lines. False with
// error set when the file cannot be read or a line is unreadable (that line
// is then kept as far as it could be decoded, a line too long as empty).
bool ReadAllLines(const std::filesystem::path& path, std::vector<std::u16string>& lines, std::string& error);

}  // namespace text
