#include "builder/status_file.h"

#include <cstdio>
#include <system_error>

namespace morvane {

void StatusFile::Write(Status status) {
  if (path_.empty()) return;
  // Written beside and renamed over the old file, so a poller never sees a
  // half-written line.
  std::filesystem::path temp = path_;
  temp += ".new";
  std::FILE* file = std::fopen(temp.c_str(), "wb");
  if (!file) return;
  const std::string line = handoff::StatusLine(status) + "\r\n";
  const bool written = std::fwrite(line.data(), 1, line.size(), file) == line.size();
  std::error_code ec;
  if (std::fclose(file) != 0 || !written) {
    std::filesystem::remove(temp, ec);
    return;
  }
  std::filesystem::rename(temp, path_, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    return;
  }
  written_.push_back(status);
}

}  // namespace morvane
