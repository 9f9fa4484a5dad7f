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
// The lines are compared by their hashes and places (line_match.h): the new
// output's as it is written, the old output's read alongside, block by
// block; only the lines that differ are read again, and no file is held
// whole or read twice.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "changes/change_list.h"
#include "changes/file_lines.h"
#include "changes/line_match.h"
#include "changes/output_lines.h"
#include "changes/output_record.h"
#include "text/removal_on_signal.h"
#include "text/text_file.h"

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

class OutputChanges : public text::WrittenLineObserver {
 public:
  // Before the new output is written: reads the old one's record and, when
  // it was made with the same options, keeps its content to compare with.
  explicit OutputChanges(OutputSettings settings);
  // Lets go of the old content, compared or not.
  ~OutputChanges() override;
  OutputChanges(const OutputChanges&) = delete;
  OutputChanges& operator=(const OutputChanges&) = delete;

  // Every line of the new output, as it is written (see
  // TextFileWriter::Observe): matched against the old lines on the way.
  void Written(std::string_view bytes, uint64_t offset) override;

  // Once the new output is in place: removes the change files of an earlier
  // run, writes the new ones, and records the new output's options. Returns
  // what to tell the user in one line, for instance "前回の出力から 追加 383
  // 件、削除 376 件 です。"; empty when the change files were not wanted and
  // all went well.
  std::string Compare();

 private:
  // What the comparison needs while the old content is kept: its lines,
  // read just ahead of the new ones, and the new output's header.
  struct Kept {
    explicit Kept(int header_lines) : lines(file, header_lines) {}
    // The new line of hash at place, matched with the old lines.
    void MatchNew(std::string_view line, uint64_t hash, LinePlace place);
    // The old lines not yet read matched too.
    void FinishMatch();

    FileLines file;
    OldOutputLines lines;
    LineMatch match;
    std::string header;  // the new output's, for both change files
  };

  void NewLine(std::string_view line, uint64_t offset);
  std::string CompareWithKept();
  void LetGoOfKept();

  OutputSettings settings_;
  ChangeFiles files_;
  Fingerprint old_fingerprint_;  // as recorded
  std::filesystem::path kept_;   // the old content while it is needed; empty when not compared
  text::RemovalOnSignal kept_on_signal_;
  std::unique_ptr<Kept> compared_;
  std::string not_compared_;  // why there is no comparison
  LineCounter new_lines_;
};

}  // namespace changes
