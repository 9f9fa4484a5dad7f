#include "builder/status_file.h"

#include "text/text_file.h"

namespace morvane {

bool StatusFile::Write(Status status) {
  if (path_.empty()) return false;
  // Replaced whole, so a reader never sees a half-written line; the next
  // status replaces it, so there is no waiting for the disk.
  text::TextFileWriter file;
  if (!file.Open(path_, text::TextFileWriter::Sync::kNone) ||
      !file.WriteBytes(handoff::StatusLine(status) + "\r\n") || !file.Close()) {
    error_ = file.error();
    return false;
  }
  written_.push_back(status);
  return true;
}

}  // namespace morvane
