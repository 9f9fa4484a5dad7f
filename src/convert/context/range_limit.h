#pragma once
// The most places one number range of a town text may stand for. Real ranges
// stay under a hundred; a wider one is a faulty record: reported and not
// expanded, rather than written as millions of records.
#include <string>

#include "text/vb_error.h"

namespace tessivar {

inline constexpr long kMaxRangePlaces = 9999;

// Throws, naming the range, when first..last stands for more places.
inline void CheckRangePlaces(long first, long last) {
  if (last - first + 1 > kMaxRangePlaces) {
    throw text::RuleError("範囲 " + std::to_string(first) + "～" + std::to_string(last) + " は " +
                          std::to_string(kMaxRangePlaces) + " か所を超えるため展開しません。");
  }
}

}  // namespace tessivar
