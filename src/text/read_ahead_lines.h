#pragma once
// The lines of another line source, read and decoded ahead in a thread of
// their own while the caller works on the lines before: the second core
// reads, unpacks and decodes while the first applies the rules. The caller
// sees exactly what the source gives, line by line (the text, its number,
// its error, whether it was too long, how reading ended), so that every
// message and the output stay as without the thread. At most a few batches
// of lines wait, so memory stays small.
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "text/line_source.h"

namespace text {

class ReadAheadLines : public LineSource {
 public:
  explicit ReadAheadLines(std::unique_ptr<LineSource> source);
  ~ReadAheadLines() override;
  ReadAheadLines(const ReadAheadLines&) = delete;
  ReadAheadLines& operator=(const ReadAheadLines&) = delete;

  bool Next(std::u16string& line) override;
  void Close() override;

  const std::string& name() const override { return name_; }
  long line_number() const override { return line_number_; }
  const std::string& error() const override { return error_; }
  bool line_too_long() const override { return too_long_; }
  std::string_view encoding() const override { return encoding_; }
  // Asked of the source itself: it comes before the first line.
  std::string_view foreign_encoding() override;

 private:
  struct Line {
    std::u16string text;
    long number = 0;
    bool too_long = false;
    std::string error;
  };
  // Lines in the order read; the last batch of the source also says how it ended.
  struct Batch {
    std::vector<Line> lines;
    size_t count = 0;  // lines in use (the others keep their memory for the next time)
    bool end = false;
    long end_line_number = 0;
    std::string end_error;
    std::exception_ptr failure;  // what the source threw, thrown again to the caller in its place
  };
  // Large enough that the threads seldom wait for each other (a wait costs
  // a switch of threads), small enough to keep memory small.
  static constexpr size_t kBatchLines = 2048;
  static constexpr size_t kWaitingBatches = 2;

  void ReadAhead();
  bool TakeBatch();

  std::unique_ptr<LineSource> source_;
  const std::string name_;
  const std::string_view encoding_;
  long line_number_ = 0;
  std::string error_;
  bool too_long_ = false;

  Batch current_;  // the caller's
  size_t taken_ = 0;
  bool ended_ = false;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Batch> ready_;   // read, for the caller
  std::vector<Batch> spare_;  // given back, for the thread to fill again
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace text
