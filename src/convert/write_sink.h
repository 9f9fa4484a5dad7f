#pragma once
// Where a run's output lines go: the output file during a run, a list of
// lines in tests.
#include <string>
#include <string_view>
#include <vector>

namespace tessivar {

class LineSink {
 public:
  virtual ~LineSink() = default;
  virtual void WriteLine(std::u16string_view line) = 0;
};

class MemorySink : public LineSink {
 public:
  void WriteLine(std::u16string_view line) override { lines.emplace_back(line); }
  std::vector<std::u16string> lines;
};

}  // namespace tessivar
