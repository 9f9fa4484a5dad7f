#pragma once
// The record reader as the tests use it: the records it hands on from an
// input, and an input whose lines are held in memory.
#include <string>
#include <utility>
#include <vector>

#include "convert/read/read_zip_file.h"
#include "text/line_source.h"

namespace tessivar::testing {

// Lines in memory as an input in code page 932: a hand-made file.
class MemoryLines : public text::LineSource {
 public:
  explicit MemoryLines(std::vector<std::u16string> lines, std::string name = "KEN_ALL.CSV")
      : lines_(std::move(lines)), name_(std::move(name)) {}

  bool Next(std::u16string& line) override {
    if (next_ == lines_.size()) return false;
    line = lines_[next_++];
    return true;
  }
  void Close() override {}
  const std::string& name() const override { return name_; }
  long line_number() const override { return static_cast<long>(next_); }
  const std::string& error() const override { return error_; }
  bool line_too_long() const override { return false; }
  std::string_view encoding() const override { return "Shift_JIS (コードページ 932)"; }
  std::string_view foreign_encoding() override { return {}; }

 private:
  std::vector<std::u16string> lines_;
  size_t next_ = 0;
  const std::string name_;
  const std::string error_;
};

// Reads input to its end as the input of index (0 the all-prefecture file,
// 48 the business-office file) with every prefecture checked, handing each
// record to on_record; returns what the reading said.
std::vector<std::string> ReadRecords(text::LineSource& input, int index, const RecordHandler& on_record);

}  // namespace tessivar::testing
