#pragma once
// The word-list lines a run has written, so that none is written twice: a
// list of several 番地 ranges gives its town, with the list as the comment,
// once per range, and the input method would get the same entry again.
//
// Kept small for the whole country: only where each line went in the output,
// in a flat table by the line's hash (8 bytes a line); a line whose hash is
// found is compared with the line in the output itself.
//
// And quick: the table is too big for the processor's cache, and looking a
// line up there waits for memory. A bit map of the hashes, an eighth of the
// table's size (two bits a line), says at once that most lines are new;
// those go into the table later, many at a time, so that the waits overlap.
// Only a line whose bits are both set is looked up, after the table has
// taken the lines waiting for it.
#include <cstdint>
#include <memory>
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
  static constexpr size_t kGrowth = 4;

  // count free slots and their bit map (8 bits a slot, all clear), in
  // memory mapped for them, which unmapping gives back.
  struct Unmap {
    size_t length = 0;
    void operator()(void* mapping) const;
  };
  struct Table {
    std::unique_ptr<void, Unmap> mapping;
    Slot* slots = nullptr;
    uint64_t* seen = nullptr;
    size_t count = 0;
  };
  static Table NewTable(size_t count);

  static constexpr size_t kMostWaiting = 4096;

  void Insert(Slot slot);
  void InsertWaiting();
  void Grow();
  // The two bits of a tag in the bit map, both in one word.
  uint64_t& SeenWord(uint32_t tag);
  static uint64_t SeenBits(uint32_t tag);

  Table table_ = NewTable(kFirstSlots);
  size_t used_ = 0;
  std::vector<Slot> waiting_;  // lines new by the bit map that the table has yet to take
  // Lines past the first 4 GiB of an output (only a damaged input gives so
  // many), kept whole.
  std::unordered_set<std::u16string> far_lines_;
};

}  // namespace tessivar
