#pragma once
// The lines of an output file as bytes, each with where it starts in the
// file, read block by block (a whole-country file is never held at once) and
// read back by that place. A line ends with LF or CR LF, as the programs
// write them; a line longer than text::kMaxLineBytes is no line of an output
// and makes the file unreadable.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace changes {

class FileLines {
 public:
  FileLines() = default;
  ~FileLines();
  FileLines(const FileLines&) = delete;
  FileLines& operator=(const FileLines&) = delete;

  // False, with error() saying why, when path cannot be opened.
  bool Open(const std::filesystem::path& path);
  // The next line without its line end, valid until the next call, and the
  // place of its first byte. False at the end, and when the file cannot be
  // read further (error() then says why).
  bool Next(std::string_view& line, uint64_t& offset);
  // Takes the next line when it is line, ended by CR LF, and sets offset to
  // its place; false, taking nothing, otherwise. Cheaper than Next where
  // the line is expected.
  bool NextIs(std::string_view line, uint64_t& offset);
  // The length bytes at offset, read again: from a window of the file kept
  // from the last read, so that lines read in file order cost a read a block.
  bool ReadAt(uint64_t offset, size_t length, std::string_view& bytes);

  const std::string& error() const { return error_; }

 private:
  bool Fill();

  int fd_ = -1;
  std::string name_;
  std::unique_ptr<char[]> buffer_;  // a block and the start of a line before it
  size_t pos_ = 0;                  // the bytes not yet taken: buffer_[pos_, size_)
  size_t size_ = 0;
  uint64_t buffer_offset_ = 0;  // where buffer_[0] stands in the file
  bool end_ = false;
  std::string window_;  // read again from window_offset_ on
  uint64_t window_offset_ = 0;
  std::string error_;
};

}  // namespace changes
