#include "builder/status_file.h"

#include "text/text_file.h"

namespace morvane {

void StatusFile::Write(Status status) {
  if (path_.empty()) return;
  // Replaced whole, so a poller never sees a half-written line; the next
  // status replaces it, so there is no waiting for the disk.
  text::TextFileWriter file;
  if (!file.Open(path_, text::TextFileWriter::Sync::kNone)) return;
  if (!file.WriteBytes(handoff::StatusLine(status) + "\r\n") || !file.Close()) return;
  written_.push_back(status);
}

}  // namespace morvane
