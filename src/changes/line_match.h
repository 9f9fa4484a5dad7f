#pragma once
// Which lines of the new output the old one lacks, and which of the old the
// new one lacks, counting a line held twice twice: both outputs' lines by
// their hashes (line_hash.h), the new ones matched against the old in file
// order. A month changes a few hundred of 150,000 lines and leaves the rest
// in their order, so nearly every line meets its match where the old lines
// stand; only the lines left over on either side are matched by sorting
// them, in which a line that moved finds its match too. Each line is known
// by its hash and its place in its file, 16 bytes for every old line.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace changes {

// Where a line stands in its file.
struct LinePlace {
  uint64_t offset = 0;
  uint32_t length = 0;
};

class LineMatch {
 public:
  // Room for about expected old lines.
  explicit LineMatch(size_t expected_old_lines) { old_.reserve(expected_old_lines); }

  // The old output's lines in order, then the new output's.
  void AddOld(uint64_t hash, LinePlace place) { old_.push_back({hash, Pack(place)}); }
  void AddNew(uint64_t hash, LinePlace place);
  // After the last line of both.
  void Finish();

  // The new lines the old output lacks, in file order.
  const std::vector<LinePlace>& added() const { return added_; }
  // The old lines the new output lacks, in file order.
  const std::vector<LinePlace>& removed() const { return removed_; }

 private:
  struct Line {
    uint64_t hash;
    uint64_t place;  // offset << kLengthBits | length: lines are short, files below 2^40 bytes
  };
  static constexpr int kLengthBits = 24;
  static uint64_t Pack(LinePlace place) { return place.offset << kLengthBits | place.length; }
  static LinePlace Unpack(uint64_t place) {
    return {place >> kLengthBits, static_cast<uint32_t>(place & ((1u << kLengthBits) - 1))};
  }
  // How far ahead a new line looks for its old match: a block of that many
  // old lines gone still leaves the lines after it matched in order.
  static constexpr size_t kLookAhead = 256;

  std::vector<Line> old_;
  size_t next_old_ = 0;         // the old line the next new line should match
  std::vector<Line> old_left_;  // old lines not matched in order
  std::vector<Line> new_left_;  // new lines not matched in order
  std::vector<LinePlace> added_, removed_;
};

}  // namespace changes
