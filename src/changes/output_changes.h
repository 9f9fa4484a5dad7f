#pragma once
// What changed since the previous output: when a run replaces a word list or
// CSV text made with the same options, its lines are compared with the old
// ones (the header lines aside) and two files of the output's own format are
// written beside it, "ZIP_追加.TXT" with the new output's lines the old one
// lacks and "ZIP_削除.TXT" with the old output's lines the new one lacks
// ("ZIPDATA_追加.CSV", "ZIPDATA_削除.CSV" for the CSV text), each with the
// output's header and in the order of its output, and "変更一覧.CSV" by
// postal code (change_list.h). A line that changed is one of each. Which
// options made an output is kept beside it (output_record.h).
//
// The old output is needed until the comparison ends, while the new one must
// take its place only when whole: before that, the old content is kept under
// a second name (a hard link, or a copy where the file system has none),
// which goes again whatever happens.
//
// The lines are compared by their hashes and places (line_match.h): each
// file is read once, block by block, and only the lines that differ are
// read again; no file is held whole.
#include <filesystem>
#include <string>
#include <vector>

#include "changes/change_list.h"
#include "changes/output_record.h"

namespace changes {

// One output and how it was made.
struct OutputSettings {
  std::filesystem::path output;      // e.g. CSV_OUT/ZIP.TXT
  std::vector<std::string> options;  // what made it, "key=value" lines (UTF-8)
  int header_lines = 0;              // lines before the first entry, not compared
  LineLayout layout;
  bool write_changes = true;  // false: no change files, no message (the record is still kept)
};

// The files beside an output: "ZIP_追加.TXT", "ZIP_削除.TXT", "変更一覧.CSV"
// and the record "ZIP_作成条件.TXT" for "ZIP.TXT".
struct ChangeFiles {
  explicit ChangeFiles(const std::filesystem::path& output);
  std::filesystem::path additions, removals, list, record;
};

class OutputChanges {
 public:
  // Before the new output takes the old one's place: reads the old one's
  // record and, when it was made with the same options, keeps its content.
  explicit OutputChanges(OutputSettings settings);
  // Lets go of the old content, compared or not.
  ~OutputChanges();
  OutputChanges(const OutputChanges&) = delete;
  OutputChanges& operator=(const OutputChanges&) = delete;

  // Once the new output is in place: removes the change files of an earlier
  // run, compares and writes the new ones, and records the new output's
  // options. Returns what to tell the user in one line, for instance
  // "前回の出力から 追加 383 件、削除 376 件 です。"; empty when the change files
  // were not wanted and all went well.
  std::string Compare();

 private:
  std::string CompareWithKept(Fingerprint& new_fingerprint, bool& fingerprinted);
  void LetGoOfKept();

  OutputSettings settings_;
  ChangeFiles files_;
  Fingerprint old_fingerprint_;  // as recorded
  std::filesystem::path kept_;   // the old content while it is needed; empty when not compared
  std::string not_compared_;     // why there is no comparison
};

}  // namespace changes
