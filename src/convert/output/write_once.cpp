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

// The table is mapped memory of its own, zero as the system gives it, and
// made at once (MADV_POPULATE_WRITE): the table is looked into at random,
// so every page of it is soon touched, and each page touched anew costs the
// system more alone (on this virtual machine, some 10 µs a page; made at
// once, half as much). Slots of whole huge pages are given them, where the
// system has them (Linux's transparent huge pages, on fresh memory): with
// small pages nearly every look also misses the processor's cache of page
// addresses, and a huge page is made at about half the cost of as many
// small ones.
WrittenLines::Table WrittenLines::NewTable(size_t count) {
  const size_t slot_bytes = count * sizeof(Slot);
  const size_t bytes = slot_bytes + count;  // and a byte of bits a slot
  const bool huge = slot_bytes % kHugePage == 0;
  // Huge pages start at a multiple of their size: room to move there.
  const size_t length = bytes + (huge ? kHugePage : 0);
  void* mapping = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) throw std::bad_alloc();
  Table table{std::unique_ptr<void, Unmap>(mapping, Unmap{length}), nullptr, nullptr, count};
  auto address = reinterpret_cast<uintptr_t>(mapping);
  if (huge) {
    address = (address + kHugePage - 1) / kHugePage * kHugePage;
#ifdef MADV_HUGEPAGE
    ::madvise(reinterpret_cast<void*>(address), slot_bytes, MADV_HUGEPAGE);  // only advice
#endif
  }
#ifdef MADV_POPULATE_WRITE
  ::madvise(reinterpret_cast<void*>(address), bytes, MADV_POPULATE_WRITE);  // only advice
#endif
  table.slots = reinterpret_cast<Slot*>(address);
  table.seen = reinterpret_cast<uint64_t*>(address + slot_bytes);
  return table;
}

void WrittenLines::Unmap::operator()(void* mapping) const { ::munmap(mapping, length); }

uint64_t WrittenLines::SeenBits(uint32_t tag) {
  const uint64_t mixed = tag * 0x9E3779B97F4A7C15u;
  return (uint64_t{1} << (mixed & 63)) | (uint64_t{1} << ((mixed >> 6) & 63));
}

uint64_t& WrittenLines::SeenWord(uint32_t tag) {
  const uint64_t mixed = tag * 0x9E3779B97F4A7C15u;
  return table_.seen[(mixed >> 32) & (table_.count / 8 - 1)];
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
  const size_t mask = table_.count - 1;
  for (size_t i = tag & mask; table_.slots[i].tag != 0; i = (i + 1) & mask) {
    if (table_.slots[i].tag == tag && output.Holds(table_.slots[i].place, line)) return false;
  }
  if (place > UINT32_MAX) return far_lines_.emplace(line).second;
  SeenWord(tag) |= bits;
  Insert({tag, static_cast<uint32_t>(place)});
  return true;
}

void WrittenLines::Insert(Slot slot) {
  if ((used_ + 1) * 3 > table_.count * 2) Grow();
  const size_t mask = table_.count - 1;
  size_t i = slot.tag & mask;
  while (table_.slots[i].tag != 0) i = (i + 1) & mask;
  table_.slots[i] = slot;
  ++used_;
}

// One after another, without waiting for each: the processor looks for the
// slots of several at once.
void WrittenLines::InsertWaiting() {
  for (const Slot& slot : waiting_) Insert(slot);
  waiting_.clear();
}

void WrittenLines::Clear() {
  table_ = NewTable(kFirstSlots);  // its memory goes back
  used_ = 0;
  std::vector<Slot>().swap(waiting_);
  far_lines_.clear();
}

// Four times the slots, and bits: every table made is memory touched anew,
// and growing by four touches a third less than by two. The tag names a
// line's first slot and bits, so no line is hashed again.
void WrittenLines::Grow() {
  const Table old = std::exchange(table_, NewTable(table_.count * kGrowth));
  const size_t mask = table_.count - 1;
  for (const Slot& slot : std::span(old.slots, old.count)) {
    if (slot.tag == 0) continue;
    size_t i = slot.tag & mask;
    while (table_.slots[i].tag != 0) i = (i + 1) & mask;
    table_.slots[i] = slot;
    SeenWord(slot.tag) |= SeenBits(slot.tag);
  }
  for (const Slot& slot : waiting_) SeenWord(slot.tag) |= SeenBits(slot.tag);
}

}  // namespace tessivar
