#pragma once
// The status file another process reads: always one line "STS=" + code,
// rewritten whole at every change.
#include <filesystem>
#include <string>
#include <vector>

#include "handoff/builder_files.h"

namespace morvane {

// The codes the converter reads back, from the hand-off's one header.
using handoff::Status;

class StatusFile {
 public:
  void set_path(std::filesystem::path path) { path_ = std::move(path); }
  const std::filesystem::path& path() const { return path_; }

  // F_WRITE_RESULT. False when the status did not reach the file; error()
  // then says why.
  bool Write(Status status);
  // Every status that reached the file, in order.
  const std::vector<Status>& written() const { return written_; }
  const std::string& error() const { return error_; }

 private:
  std::filesystem::path path_;
  std::vector<Status> written_;
  std::string error_;
};

}  // namespace morvane
