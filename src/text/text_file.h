#pragma once
// Line-by-line reading and writing of code page 932 text files with CR LF
// line ends. Reading streams the file in blocks, so a whole-country file is
// never held at once. Bad bytes and unwritable characters are reported with
// the file name and line number, never dropped silently.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "text/cp932.h"

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
  // names the file and line and the line holds what could be decoded.
  bool Next(std::u16string& line);
  void Close();

  bool is_open() const { return file_ != nullptr; }
  long line_number() const { return line_number_; }
  // The last failure; cleared by the next successful Open or Next.
  const std::string& error() const { return error_; }

 private:
  bool Fill();

  std::FILE* file_ = nullptr;
  std::string name_;
  std::string buffer_;
  size_t pos_ = 0;
  bool eof_ = false;
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
