#pragma once
// The word-list lines a run has written, so that none is written twice: a
// list of several 番地 ranges gives its town, with the list as the comment,
// once per range, and the input method would get the same entry again.
//
// Kept small and quick for the whole country: every line once, behind its
// length, in blocks that are filled and never moved; a flat table of
// (part of the line's hash, place of the line) finds a line again with one
// look into memory for nearly every line. A node-based set of strings made
// the whole-country word list take twice its time.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace tessivar {

class WrittenLines {
 public:
  // Remembers line; false when the same line was remembered before.
  bool Add(std::u16string_view line);
  void Clear();

 private:
  struct Slot {
    uint32_t tag = 0;    // the high half of the line's hash, never 0; 0: a free slot
    uint32_t place = 0;  // block * kBlockSize + where the line's length stands in it
  };
  static constexpr size_t kFirstSlots = 1024;       // a power of two; at most two thirds are used
  static constexpr size_t kBlockSize = 1 << 17;     // characters
  static constexpr size_t kLongestStored = 0xFFFF;  // a length fits in one character

  uint32_t Store(std::u16string_view line);
  std::u16string_view Stored(uint32_t place) const;
  void Grow();

  std::vector<Slot> slots_ = std::vector<Slot>(kFirstSlots);
  std::vector<std::u16string> blocks_;  // length, line, length, line, ...
  size_t used_ = 0;
  // Lines longer than that (a word-list line has some hundred characters;
  // only a damaged input gives more).
  std::unordered_set<std::u16string> long_lines_;
};

}  // namespace tessivar
