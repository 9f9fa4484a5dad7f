#pragma once
// Where a run's output lines go: the output file during a run, a list of
// lines in tests.
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialogs.h"
#include "dialogs/notices.h"
#include "text/text_file.h"

namespace tessivar {

class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void WriteLine(std::u16string_view line) = 0;
  // True once the output cannot be written whole any more: the run stops.
  virtual bool failed() const { return false; }
};

// The output file as the run's line sink: a line that cannot be written in
// code page 932 is one of the run's notices, naming the file and line, and
// the run goes on. An output that could not be opened, or that fails to take
// a line (a full disk), is reported once, not once per record, and counts as
// failed.
class OutputFileSink : public LineSink {
 public:
  OutputFileSink(text::TextFileWriter& file, Dialogs& dialogs, Notices& notices)
      : file_(file), dialogs_(dialogs), notices_(notices) {}
  void WriteLine(std::u16string_view line) override;
  bool failed() const override { return file_.failed(); }

 private:
  text::TextFileWriter& file_;
  Dialogs& dialogs_;
  Notices& notices_;
};

class MemorySink : public LineSink {
 public:
  void WriteLine(std::u16string_view line) override { lines.emplace_back(line); }
  std::vector<std::u16string> lines;
};

}  // namespace tessivar
