#include "convert/output/write_once.h"

#include <functional>

namespace tessivar {

namespace {

uint32_t Tag(std::u16string_view line) {
  const auto tag = static_cast<uint32_t>(std::hash<std::u16string_view>{}(line) >> 32);
  return tag == 0 ? 1 : tag;
}

}  // namespace

bool WrittenLines::Add(std::u16string_view line, LineSink& output) {
  if ((used_ + 1) * 3 > slots_.size() * 2) Grow();
  const uint32_t tag = Tag(line);
  const size_t mask = slots_.size() - 1;
  for (size_t i = tag & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.tag == 0) {
      const uint64_t place = output.NextPlace();
      if (place > UINT32_MAX) return far_lines_.emplace(line).second;
      slot = {tag, static_cast<uint32_t>(place)};
      ++used_;
      return true;
    }
    if (slot.tag == tag && output.Holds(slot.place, line)) return false;
  }
}

void WrittenLines::Clear() {
  std::vector<Slot>(kFirstSlots).swap(slots_);  // its memory goes back
  used_ = 0;
  far_lines_.clear();
}

// Twice the slots; the tag names a line's first slot, so no line is hashed again.
void WrittenLines::Grow() {
  std::vector<Slot> old(slots_.size() * 2);
  old.swap(slots_);
  const size_t mask = slots_.size() - 1;
  for (const Slot& slot : old) {
    if (slot.tag == 0) continue;
    size_t i = slot.tag & mask;
    while (slots_[i].tag != 0) i = (i + 1) & mask;
    slots_[i] = slot;
  }
}

}  // namespace tessivar
