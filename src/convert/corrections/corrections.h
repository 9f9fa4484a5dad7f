#pragma once
// A compiled correction table, ready to be consulted: finds the alternative
// that applies to a record (by checkpoint and code, then by its conditions
// and the wording it was made for) and can count how often each ran.
#include <array>
#include <bitset>
#include <vector>

#include "convert/context/correction_schema.h"
#include "convert/context/zip_record.h"

namespace tessivar {

class Corrections {
 public:
  explicit Corrections(const correction::Table& table);

  // The first alternative, in table order, of the checkpoint (business rows
  // all stand at A) and the record's code whose conditions hold and whose
  // made_for wording the record reads; null when there is none. part is the
  // kanji part at hand in the part loop.
  const correction::Alternative* Find(correction::Checkpoint at, const ZipRecord& rec,
                                      TextView part = {}) const {
    const TextView code = rec[kPostalCode];
    if (!filters_[static_cast<size_t>(at)].test(CodeHash(code) % kFilterBits)) return nullptr;
    return Search(at, code, rec, part);
  }

  const correction::Table& table() const { return table_; }
  // From now on every alternative Find returns is counted in counts, by its
  // index in the table (the review's report of what fires).
  void CountFirings(std::vector<long>* counts) { counts_ = counts; }

 private:
  static size_t CodeHash(TextView code) {
    size_t hash = 0;
    for (char16_t c : code) hash = hash * 31 + c;
    return hash;
  }
  // Find past the filter: the alternatives of the code, tried in order.
  const correction::Alternative* Search(correction::Checkpoint at, TextView code, const ZipRecord& rec,
                                        TextView part) const;
  bool Holds(const correction::Alternative& alt, const ZipRecord& rec, TextView part) const;

  const correction::Table& table_;
  // Per checkpoint, the range of table_.lookup that holds its codes, and a
  // filter of their hashes: nearly every record has no entry, and one bit
  // tells it faster than a search of the codes.
  std::array<std::pair<size_t, size_t>, correction::kCheckpointCount> ranges_{};
  static constexpr size_t kFilterBits = 4096;
  std::array<std::bitset<kFilterBits>, correction::kCheckpointCount> filters_{};
  std::vector<long>* counts_ = nullptr;
};

// Whether a text passes a condition or a made_for wording.
bool Passes(const correction::Guard& guard, TextView text);

}  // namespace tessivar
