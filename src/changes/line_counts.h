#pragma once
// Lines as a multiset of their hashes, so that others can be matched
// against them: a flat table of 8 bytes a slot, nothing of the lines
// themselves. A line held twice is matched twice.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace changes {

class LineCounts {
 public:
  // Room for about expected lines without growing.
  explicit LineCounts(size_t expected = 0);

  void Add(uint64_t hash);
  // Takes one line of that hash out; false when none is left.
  bool Take(uint64_t hash);
  // The lines not taken out.
  size_t size() const { return live_; }

 private:
  static constexpr uint64_t kFree = 0;
  static constexpr uint64_t kTaken = 1;  // probing goes on past it
  static uint64_t Key(uint64_t hash) { return hash > kTaken ? hash : hash + 2; }
  void Put(uint64_t key);
  void Grow();

  std::vector<uint64_t> slots_;  // a power of two, at most 2/3 in use
  size_t used_ = 0;              // slots not free
  size_t live_ = 0;              // slots holding a line
};

}  // namespace changes
