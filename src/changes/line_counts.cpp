#include "changes/line_counts.h"

#include <utility>

namespace changes {

namespace {

constexpr size_t kFewestSlots = 1 << 6;

}  // namespace

LineCounts::LineCounts(size_t expected) {
  size_t slots = kFewestSlots;
  while (slots * 2 < expected * 3) slots *= 2;
  slots_.assign(slots, kFree);
}

void LineCounts::Put(uint64_t key) {
  const size_t mask = slots_.size() - 1;
  size_t i = key & mask;
  while (slots_[i] != kFree) i = (i + 1) & mask;
  slots_[i] = key;
  ++used_;
  ++live_;
}

void LineCounts::Add(uint64_t hash) {
  if ((used_ + 1) * 3 > slots_.size() * 2) Grow();
  Put(Key(hash));
}

bool LineCounts::Take(uint64_t hash) {
  const uint64_t key = Key(hash);
  const size_t mask = slots_.size() - 1;
  for (size_t i = key & mask; slots_[i] != kFree; i = (i + 1) & mask) {
    if (slots_[i] == key) {
      slots_[i] = kTaken;
      --live_;
      return true;
    }
  }
  return false;
}

// Room for twice the lines held (the places of lines taken out are freed).
void LineCounts::Grow() {
  LineCounts grown((live_ + 1) * 2);
  for (uint64_t key : slots_) {
    if (key != kFree && key != kTaken) grown.Put(key);
  }
  *this = std::move(grown);
}

}  // namespace changes
