#pragma once
// Japan Post's UTF-8 address file utf_ken_all.csv, line by line, brought to
// exactly what the code-page-932 file KEN_ALL.CSV of the same month holds, so
// that every stage after the reader sees the same records from either file.
#include <memory>

#include "text/line_source.h"

namespace tessivar {

class UtfKenAllLines : public text::LineSource {
 public:
  // utf8_lines: the decoded lines of utf_ken_all.csv.
  explicit UtfKenAllLines(std::unique_ptr<text::LineSource> utf8_lines) : utf8_(std::move(utf8_lines)) {}

  // The next line in the form of KEN_ALL.CSV: readings narrowed to half
  // width, and the characters in which the two files differ mapped.
  bool Next(std::u16string& line) override;
  void Close() override { utf8_->Close(); }
  const std::string& name() const override { return utf8_->name(); }
  long line_number() const override { return utf8_->line_number(); }
  const std::string& error() const override { return utf8_->error(); }
  bool line_too_long() const override { return utf8_->line_too_long(); }
  std::string_view encoding() const override { return utf8_->encoding(); }
  std::string_view foreign_encoding() override { return utf8_->foreign_encoding(); }

 private:
  std::unique_ptr<text::LineSource> utf8_;
  std::u16string raw_;
};

}  // namespace tessivar
