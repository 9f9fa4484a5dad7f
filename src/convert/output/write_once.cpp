#include "convert/output/write_once.h"

#include <sys/mman.h>

#include <functional>
#include <new>
#include <span>
#include <utility>

namespace tessivar {

namespace {

// The size of a huge page of the processor (x86-64, and the usual one of
// ARM64).
constexpr size_t kHugePage = size_t{2} << 20;

uint32_t Tag(std::u16string_view line) {
  const auto tag = static_cast<uint32_t>(std::hash<std::u16string_view>{}(line) >> 32);
  return tag == 0 ? 1 : tag;
}

}  // namespace

// The slots are mapped memory of their own, zero as the system gives it.
// A table of whole huge pages is given them, where the system has them
// (Linux's transparent huge pages, on fresh memory): it is looked into at
// random, line after line, and with small pages nearly every look also
// misses the processor's cache of page addresses; and a huge page is made
// at about half the cost of as many small ones, which on a virtual machine
// cost the most.
WrittenLines::Slots WrittenLines::NewSlots(size_t count) {
  const size_t bytes = count * sizeof(Slot);
  const bool huge = bytes % kHugePage == 0;
  // Whole huge pages, which start at a multiple of their size: room to move
  // there.
  const size_t pages = huge ? (bytes + kHugePage - 1) / kHugePage * kHugePage : bytes;
  const size_t length = huge ? pages + kHugePage : bytes;
  void* mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  auto address = reinterpret_cast<uintptr_t>(mapping);
  if (huge) {
    address = (address + kHugePage - 1) / kHugePage * kHugePage;
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(address), pages, MADV_HUGEPAGE);  // only advice
#endif
  }
  return Slots(reinterpret_cast<Slot*>(address), Unmap{mapping, length});
}

void WrittenLines::Unmap::operator()(Slot*) const { ::munmap(mapping, length); }

uint64_t WrittenLines::SeenBits(uint32_t tag) {
  const uint64_t mixed = tag * 0x9E3779B97F4A7C15u;
  return (uint64_t{1} << (mixed & 63)) | (uint64_t{1} << ((mixed >> 6) & 63));
}

uint64_t& WrittenLines::SeenWord(uint32_t tag) {
  const uint64_t mixed = tag * 0x9E3779B97F4A7C15u;
  return seen_[(mixed >> 32) & (seen_.size() - 1)];
}

bool WrittenLines::Add(std::u16string_view line, LineSink& output) {
  const uint32_t tag = Tag(line);
  const uint64_t place = output.NextPlace();
  uint64_t& seen = SeenWord(tag);
  const uint64_t bits = SeenBits(tag);
  if ((seen & bits) != bits && place <= UINT32_MAX) {
    seen |= bits;
    waiting_.push_back({tag, static_cast<uint32_t>(place)});
    if (waiting_.size() == kMostWaiting) InsertWaiting();
    return true;
  }
  InsertWaiting();
  const size_t mask = slot_count_ - 1;
  for (size_t i = tag & mask; slots_[i].tag != 0; i = (i + 1) & mask) {
    if (slots_[i].tag == tag && output.Holds(slots_[i].place, line)) return false;
  }
  if (place > UINT32_MAX) return far_lines_.emplace(line).second;
  SeenWord(tag) |= bits;
  Insert({tag, static_cast<uint32_t>(place)});
  return true;
}

void WrittenLines::Insert(Slot slot) {
  if ((used_ + 1) * 3 > slot_count_ * 2) Grow();
  const size_t mask = slot_count_ - 1;
  size_t i = slot.tag & mask;
  while (slots_[i].tag != 0) i = (i + 1) & mask;
  slots_[i] = slot;
  ++used_;
}

// One after another, without waiting for each: the processor looks for the
// slots of several at once.
void WrittenLines::InsertWaiting() {
  for (const Slot& slot : waiting_) Insert(slot);
  waiting_.clear();
}

void WrittenLines::Clear() {
  slots_ = NewSlots(kFirstSlots);  // its memory goes back
  slot_count_ = kFirstSlots;
  used_ = 0;
  std::vector<uint64_t>(kFirstSlots / 8).swap(seen_);
  std::vector<Slot>().swap(waiting_);
  far_lines_.clear();
}

// Four times the slots, and bits: every table made is memory touched anew,
// and growing by four touches a third less than by two. The tag names a
// line's first slot and bits, so no line is hashed again.
void WrittenLines::Grow() {
  const Slots old = std::exchange(slots_, NewSlots(slot_count_ * kGrowth));
  const size_t old_count = std::exchange(slot_count_, slot_count_ * kGrowth);
  std::vector<uint64_t>(slot_count_ / 8).swap(seen_);
  const size_t mask = slot_count_ - 1;
  for (const Slot& slot : std::span(old.get(), old_count)) {
    if (slot.tag == 0) continue;
    size_t i = slot.tag & mask;
    while (slots_[i].tag != 0) i = (i + 1) & mask;
    slots_[i] = slot;
    SeenWord(slot.tag) |= SeenBits(slot.tag);
  }
  for (const Slot& slot : waiting_) SeenWord(slot.tag) |= SeenBits(slot.tag);
}

}  // namespace tessivar
