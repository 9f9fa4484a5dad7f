#include "changes/line_match.h"

#include <algorithm>

namespace changes {

void LineMatch::Search(uint64_t hash, LinePlace place) {
  const auto from = ahead_.begin() + static_cast<ptrdiff_t>(next_);
  const auto found = std::find_if(from, ahead_.end(), [hash](const Line& line) { return line.hash == hash; });
  if (found == ahead_.end()) {
    new_left_.push_back({hash, Pack(place)});
    return;
  }
  // The old lines passed over are gone, or moved elsewhere.
  old_left_.insert(old_left_.end(), from, found);
  next_ = static_cast<size_t>(found - ahead_.begin()) + 1;
}

void LineMatch::DropPassed() {
  ahead_.erase(ahead_.begin(), ahead_.begin() + static_cast<ptrdiff_t>(next_));
  next_ = 0;
}

void LineMatch::Finish() {
  old_left_.insert(old_left_.end(), ahead_.begin() + static_cast<ptrdiff_t>(next_), ahead_.end());
  std::vector<Line>().swap(ahead_);
  next_ = 0;
  // The lines left on both sides by hash, each side's in file order; lines
  // of one hash are paired first with first, and what is not paired stays.
  const auto by_hash = [](const Line& a, const Line& b) {
    return a.hash != b.hash ? a.hash < b.hash : a.place < b.place;
  };
  std::sort(old_left_.begin(), old_left_.end(), by_hash);
  std::sort(new_left_.begin(), new_left_.end(), by_hash);
  std::vector<Line> only_old, only_new;
  auto o = old_left_.begin(), n = new_left_.begin();
  while (o != old_left_.end() || n != new_left_.end()) {
    if (n == new_left_.end() || (o != old_left_.end() && o->hash < n->hash)) {
      only_old.push_back(*o++);
    } else if (o == old_left_.end() || n->hash < o->hash) {
      only_new.push_back(*n++);
    } else {
      ++o, ++n;
    }
  }
  std::vector<Line>().swap(old_left_);
  std::vector<Line>().swap(new_left_);
  const auto in_file_order = [](const Line& a, const Line& b) { return a.place < b.place; };
  std::sort(only_old.begin(), only_old.end(), in_file_order);
  std::sort(only_new.begin(), only_new.end(), in_file_order);
  for (const Line& line : only_old) removed_.push_back(Unpack(line.place));
  for (const Line& line : only_new) added_.push_back(Unpack(line.place));
}

}  // namespace changes
