#pragma once
// Which lines of the new output the old one lacks, and which of the old the
// new one lacks, counting a line held twice twice: both outputs' lines by
// their hashes (line_hash.h), the new ones matched against the old in file
// order. A month changes a few hundred of 150,000 lines and leaves the rest
// in their order, so nearly every line meets its match where the old lines
// stand; only the lines left over on either side are matched through a
// table (line_counts.h), in which a line that moved finds its match too.
// The old lines' hashes are held in order, 8 bytes a line.
#include <cstdint>
#include <vector>

#include "changes/line_counts.h"

namespace changes {

class LineMatch {
 public:
  // Room for about expected old lines.
  explicit LineMatch(size_t expected_old_lines) { old_.reserve(expected_old_lines); }

  // The old output's lines in order, then the new output's.
  void AddOld(uint64_t hash) { old_.push_back(hash); }
  void AddNew(uint64_t hash);
  // After the last line of both.
  void Finish();

  // The new lines the old output lacks, by number (0-based), ascending.
  const std::vector<uint64_t>& added() const { return added_; }
  // The old lines the new output lacks: take each out as the old lines are
  // passed again, the first lines of a hash being the ones that count.
  LineCounts& removed() { return removed_; }

 private:
  struct NewLine {
    uint64_t number;
    uint64_t hash;
  };
  // How far ahead a new line looks for its old match: a block of that many
  // old lines gone still leaves the lines after it matched in order.
  static constexpr size_t kLookAhead = 256;

  std::vector<uint64_t> old_;
  size_t next_old_ = 0;  // the old line the next new line should match
  uint64_t new_lines_ = 0;
  std::vector<uint64_t> old_left_;  // hashes of old lines not matched in order
  std::vector<NewLine> new_left_;   // new lines not matched in order
  std::vector<uint64_t> added_;
  LineCounts removed_;
};

}  // namespace changes
