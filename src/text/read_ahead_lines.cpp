#include "text/read_ahead_lines.h"

#include <utility>

namespace text {

ReadAheadLines::ReadAheadLines(std::unique_ptr<LineSource> source)
    : source_(std::move(source)), name_(source_->name()), encoding_(source_->encoding()) {}

ReadAheadLines::~ReadAheadLines() { Close(); }

std::string_view ReadAheadLines::foreign_encoding() {
  return thread_.joinable() || ended_ ? std::string_view() : source_->foreign_encoding();
}

void ReadAheadLines::ReadAhead() {
  while (true) {
    Batch batch;
    {
      std::unique_lock lock(mutex_);
      if (!spare_.empty()) {
        batch = std::move(spare_.back());
        spare_.pop_back();
      }
    }
    batch.lines.resize(kBatchLines);
    batch.count = 0;
    try {
      while (batch.count < kBatchLines) {
        Line& line = batch.lines[batch.count];
        if (!source_->Next(line.text)) {
          batch.end = true;
          batch.end_line_number = source_->line_number();
          batch.end_error = source_->error();
          break;
        }
        line.number = source_->line_number();
        line.too_long = source_->line_too_long();
        line.error = source_->error();
        ++batch.count;
      }
    } catch (...) {
      batch.failure = std::current_exception();
      batch.end = true;
    }
    const bool end = batch.end;
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return stop_ || ready_.size() < kWaitingBatches; });
    if (stop_) return;
    ready_.push_back(std::move(batch));
    changed_.notify_all();
    if (end) return;
  }
}

// The next batch into current_, the one before given back; false when the
// source has ended.
bool ReadAheadLines::TakeBatch() {
  if (current_.end) return false;
  if (!thread_.joinable()) thread_ = std::thread(&ReadAheadLines::ReadAhead, this);
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return !ready_.empty(); });
  Batch next = std::move(ready_.front());
  ready_.pop_front();
  current_.end = false;
  current_.failure = nullptr;
  spare_.push_back(std::move(current_));
  current_ = std::move(next);
  taken_ = 0;
  changed_.notify_all();
  return true;
}

bool ReadAheadLines::Next(std::u16string& line) {
  if (ended_) return false;
  while (taken_ == current_.count) {
    if (!TakeBatch() || (current_.count == 0 && current_.end)) {
      if (current_.failure) {
        ended_ = true;
        std::rethrow_exception(std::exchange(current_.failure, nullptr));
      }
      ended_ = true;
      line_number_ = current_.end_line_number;
      error_ = current_.end_error;
      too_long_ = false;
      return false;
    }
  }
  Line& taken = current_.lines[taken_++];
  line.swap(taken.text);  // the caller's last line goes back to be filled again
  line_number_ = taken.number;
  too_long_ = taken.too_long;
  error_ = taken.error;
  return true;
}

void ReadAheadLines::Close() {
  if (thread_.joinable()) {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  ended_ = true;
  source_->Close();
}

}  // namespace text
