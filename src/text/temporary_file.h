#pragma once
// A new file beside a target, under a name of its own, that takes the
// target's place only when it is whole. It is created exclusively, never
// through a link and never an existing file, so that nothing planted at a
// temporary name is written to, and it is removed when the run fails, ends
// without keeping it, or is ended by SIGTERM, SIGINT or SIGHUP.
#include <filesystem>
#include <string>
#include <system_error>

#include "text/removal_on_signal.h"

namespace text {

class TemporaryFile {
 public:
  TemporaryFile() = default;
  // Removes the file unless it took its target's place.
  ~TemporaryFile() { Remove(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates "<target's name>.<random>.tmp" in target's folder, with the
  // permissions a new file of the folder gets. Returns its descriptor, open
  // for writing (and reading back what was written) and closed on exec,
  // which the caller closes; -1 with ec set
  // when it cannot be created.
  int Create(const std::filesystem::path& target, std::error_code& ec);
  // Renames the file over target (a link standing there is replaced, not
  // followed). ec, and the file still ours to remove, on failure.
  bool RenameOver(const std::filesystem::path& target, std::error_code& ec);
  // Unlinks the file, if it is still ours.
  void Remove();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  RemovalOnSignal on_signal_;
};

}  // namespace text
