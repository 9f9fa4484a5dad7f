#pragma once
// An output's lines as the comparison counts them: the first header_lines
// are its header, compared with nothing; every line but the header's
// "!DateTime:" line goes into the fingerprint (output_record.h).
#include <cstdint>
#include <string_view>

#include "changes/file_lines.h"
#include "changes/line_hash.h"
#include "changes/line_match.h"
#include "changes/output_record.h"

namespace changes {

class LineCounter {
 public:
  explicit LineCounter(int header_lines) : header_lines_(header_lines) {}
  // Counts line and sets hash to its hash; true when it is a header line.
  bool Count(std::string_view line, uint64_t& hash) {
    hash = LineHash(line);
    return Counted(line, hash);
  }
  // The same for a line whose hash is known.
  bool Counted(std::string_view line, uint64_t hash) {
    const bool header = in_header();
    ++fingerprint_.lines;
    if (!(header && line.starts_with("!DateTime:"))) fingerprint_.value = FoldLine(fingerprint_.value, hash);
    return header;
  }
  // Whether the next line counted is a header line.
  bool in_header() const { return fingerprint_.lines < static_cast<uint64_t>(header_lines_); }
  const Fingerprint& fingerprint() const { return fingerprint_; }

 private:
  int header_lines_;
  Fingerprint fingerprint_;
};

// The old output's lines after its header, read from its file.
class OldOutputLines {
 public:
  OldOutputLines(FileLines& file, int header_lines) : file_(file), counter_(header_lines) {}
  // The next line's hash and place; false after the last.
  bool Next(uint64_t& hash, LinePlace& place);
  // Takes the next line when it is line (of that hash), past the header,
  // and sets place to its place; false, taking nothing, otherwise. Where
  // the two outputs agree, the old lines need no hashing of their own.
  bool NextIs(std::string_view line, uint64_t hash, LinePlace& place);
  // The whole file's, once Next has said it is at the end.
  const Fingerprint& fingerprint() const { return counter_.fingerprint(); }

 private:
  FileLines& file_;
  LineCounter counter_;
};

}  // namespace changes
