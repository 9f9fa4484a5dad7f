#pragma once
// Which lines of the new output the old one lacks, and which of the old the
// new one lacks, counting a line held twice twice: both outputs' lines by
// their hashes (line_hash.h), the new ones matched against the old in file
// order as the new output is written, the old lines read just ahead of them.
// A month changes a few hundred of 150,000 lines and leaves the rest in their
// order, so nearly every line meets its match where the old lines stand; only
// the lines left over on either side are kept, and matched at the end by
// sorting them, in which a line that moved finds its match too.
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
  LineMatch() { ahead_.reserve(2 * kLookAhead); }

  // Whether the next new line wants another old line read ahead of it.
  bool WantsOld() const { return ahead_.size() - next_ < kLookAhead; }
  // The old output's lines in order: as far ahead as WantsOld asks before
  // each new line that does not match the next old one, the rest after the
  // last. An old line that matches the new line in step (AheadEmpty) may go
  // without either being added.
  void AddOld(uint64_t hash, LinePlace place) {
    if (next_ >= kLookAhead) DropPassed();
    ahead_.push_back({hash, Pack(place)});
  }
  // Whether every old line read so far has been passed: the next new line
  // should match the next old one to be read.
  bool AheadEmpty() const { return next_ == ahead_.size(); }
  // The new output's lines in order.
  void AddNew(uint64_t hash, LinePlace place) {
    if (!TakeNext(hash)) Search(hash, place);
  }
  // Matches a new line of hash with the next old line read, when they
  // match, as nearly every line does: true then, and the line is added.
  bool TakeNext(uint64_t hash) {
    if (next_ == ahead_.size() || ahead_[next_].hash != hash) return false;
    ++next_;
    return true;
  }
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

  void Search(uint64_t hash, LinePlace place);
  void DropPassed();

  std::vector<Line> ahead_;     // old lines read, from ahead_[next_] on not yet passed
  size_t next_ = 0;             // the old line the next new line should match
  std::vector<Line> old_left_;  // old lines not matched in order
  std::vector<Line> new_left_;  // new lines not matched in order
  std::vector<LinePlace> added_, removed_;
};

}  // namespace changes
