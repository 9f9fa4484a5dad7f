#include "convert/town_area/town_kyoto_codes.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "KyotoCodesTable.inc"

namespace tessivar {

namespace {

enum Column { kPrefixCol, kCodeCol };
using GroupedCode = std::pair<TextView, TextView>;  // (group prefix, code)

// The shipped rows, sorted once for binary search.
const std::vector<GroupedCode>& SortedCodes() {
  static const std::vector<GroupedCode> sorted = [] {
    std::vector<GroupedCode> codes;
    codes.reserve(kKyotoCodesTable.size());
    for (const auto& row : kKyotoCodesTable) codes.emplace_back(row[kPrefixCol], row[kCodeCol]);
    std::sort(codes.begin(), codes.end());
    return codes;
  }();
  return sorted;
}

}  // namespace

bool F_IsKyotoCode(TextView code) {
  if (code.size() < 3) return false;
  const auto& codes = SortedCodes();
  return std::binary_search(codes.begin(), codes.end(), GroupedCode(code.substr(0, 3), code));
}

}  // namespace tessivar
