#pragma once
// The word-list lines a run has written, so that none is written twice: a
// list of several 番地 ranges gives its town, with the list as the comment,
// once per range, and the input method would get the same entry again.
//
// Kept small for the whole country: only where each line went in the output,
// in a flat table by the line's hash (8 bytes a line); a line whose hash is
// found is compared with the line in the output itself.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "convert/output/write_sink.h"

namespace tessivar {

class WrittenLines {
 public:
  // Whether line was written to output before; if not, remembers that it
  // goes to output's next place (the caller writes it there next).
  bool Add(std::u16string_view line, LineSink& output);
  void Clear();

 private:
  struct Slot {
    uint32_t tag = 0;    // the high half of the line's hash, never 0; 0: a free slot
    uint32_t place = 0;  // where in the output the line went
  };
  static constexpr size_t kFirstSlots = 1024;  // a power of two; at most two thirds are used

  void Grow();

  std::vector<Slot> slots_ = std::vector<Slot>(kFirstSlots);
  size_t used_ = 0;
  // Lines past the first 4 GiB of an output (only a damaged input gives so
  // many), kept whole.
  std::unordered_set<std::u16string> far_lines_;
};

}  // namespace tessivar
