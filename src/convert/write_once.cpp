#include "convert/write_once.h"

#include <functional>
#include <stdexcept>

namespace tessivar {

namespace {

uint32_t Tag(std::u16string_view line) {
  const auto tag = static_cast<uint32_t>(std::hash<std::u16string_view>{}(line) >> 32);
  return tag == 0 ? 1 : tag;
}

}  // namespace

bool WrittenLines::Add(std::u16string_view line) {
  if (line.size() > kLongestStored) return long_lines_.emplace(line).second;
  if ((used_ + 1) * 3 > slots_.size() * 2) Grow();
  const uint32_t tag = Tag(line);
  const size_t mask = slots_.size() - 1;
  for (size_t i = tag & mask;; i = (i + 1) & mask) {
    Slot& slot = slots_[i];
    if (slot.tag == 0) {
      slot = {tag, Store(line)};
      ++used_;
      return true;
    }
    if (slot.tag == tag && Stored(slot.place) == line) return false;
  }
}

void WrittenLines::Clear() {
  slots_.assign(kFirstSlots, Slot{});
  blocks_.clear();
  used_ = 0;
  long_lines_.clear();
}

uint32_t WrittenLines::Store(std::u16string_view line) {
  if (blocks_.empty() || blocks_.back().size() + 1 + line.size() > kBlockSize) {
    if (blocks_.size() >= UINT32_MAX / kBlockSize)
      throw std::length_error("too many word-list lines to remember");
    blocks_.emplace_back().reserve(kBlockSize);
  }
  std::u16string& block = blocks_.back();
  const auto place = static_cast<uint32_t>((blocks_.size() - 1) * kBlockSize + block.size());
  block += static_cast<char16_t>(line.size());
  block += line;
  return place;
}

std::u16string_view WrittenLines::Stored(uint32_t place) const {
  const std::u16string_view block(blocks_[place / kBlockSize]);
  const size_t at = place % kBlockSize;
  return block.substr(at + 1, block[at]);
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
