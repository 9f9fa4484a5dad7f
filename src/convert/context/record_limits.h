#pragma once
// The most one record of the input may stand for. Japan Post's records stay
// far below (in 2025-08 and 2026-05 at most 49 output records from one record,
// and town names of at most 303 characters joined); a record beyond is faulty
// or hostile, and is cut short or skipped with a message rather than filling
// the disk or the memory.
#include <cstddef>

namespace tessivar {

// Output records (lines of the output) made from one input record.
inline constexpr long kMaxRecordEntries = 1000;
// Characters of a town name (kanji or reading), all its lines joined.
inline constexpr size_t kMaxTownLength = 3000;

}  // namespace tessivar
