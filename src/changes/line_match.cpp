#include "changes/line_match.h"

#include <algorithm>

namespace changes {

void LineMatch::AddNew(uint64_t hash) {
  const uint64_t number = new_lines_++;
  const size_t end = std::min(old_.size(), next_old_ + kLookAhead);
  const auto found = std::find(old_.begin() + static_cast<ptrdiff_t>(next_old_),
                               old_.begin() + static_cast<ptrdiff_t>(end), hash);
  if (found == old_.begin() + static_cast<ptrdiff_t>(end)) {
    new_left_.push_back({number, hash});
    return;
  }
  // The old lines passed over are gone, or moved elsewhere.
  const auto match = static_cast<size_t>(found - old_.begin());
  old_left_.insert(old_left_.end(), old_.begin() + static_cast<ptrdiff_t>(next_old_), found);
  next_old_ = match + 1;
}

void LineMatch::Finish() {
  old_left_.insert(old_left_.end(), old_.begin() + static_cast<ptrdiff_t>(next_old_), old_.end());
  std::vector<uint64_t>().swap(old_);
  next_old_ = 0;
  removed_ = LineCounts(old_left_.size());
  for (uint64_t hash : old_left_) removed_.Add(hash);
  std::vector<uint64_t>().swap(old_left_);
  for (const NewLine& line : new_left_) {
    if (!removed_.Take(line.hash)) added_.push_back(line.number);
  }
  std::vector<NewLine>().swap(new_left_);
}

}  // namespace changes
