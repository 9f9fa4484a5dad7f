#pragma once
// Line-by-line reading and writing of text files with CR LF line ends: code
// page 932, and for reading also UTF-8. Reading streams the file in blocks,
// so a whole-country file is never held at once. Bad bytes and unwritable
// characters are reported with the file name and line number, never dropped
// silently.
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "text/byte_source.h"
#include "text/cp932.h"
#include "text/line_source.h"

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
  long line_number() const override { return line_number_; }
  // The last failure; cleared by the next Open or Next.
  const std::string& error() const override { return error_; }

 private:
  bool Fill();
  bool Decode(std::string_view bytes, std::u16string& line);

  Encoding encoding_;
  std::unique_ptr<ByteSource> source_;
  std::string name_;
  std::string buffer_;
  size_t pos_ = 0;
  bool eof_ = false;
  std::string read_failure_;  // why the source stopped short of its end
  long line_number_ = 0;
  std::string error_;
  Cp932 codec_;
};

class TextFileWriter {
 public:
  TextFileWriter() = default;
  ~TextFileWriter();
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;

  // Creates or empties path.
  bool Open(const std::filesystem::path& path);
  // Writes text and CR LF. A character without a code page 932 form makes it
  // return false with error() naming the file, line and character; the line
  // is still written, with "?" in its place.
  bool WriteLine(std::u16string_view text);
  // Flushes and closes; false when the data could not be written.
  bool Close();

  bool is_open() const { return file_ != nullptr; }
  long line_number() const { return line_number_; }
  const std::string& error() const { return error_; }

 private:
  bool Flush();

  std::FILE* file_ = nullptr;
  std::string name_;
  std::string buffer_;
  long line_number_ = 0;
  std::string error_;
  Cp932 codec_;
};

// Reads a whole small text file (settings, scripts) into lines.
bool ReadAllLines(const std::filesystem::path& path, std::vector<std::u16string>& lines, std::string& error);

}  // namespace text
