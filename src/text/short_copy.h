#pragma once
// Copies of a few characters without a call to memcpy: the columns and
// fields of every record are a few characters each, and the call costs more
// than the copy.
#include <cstddef>
#include <cstring>

namespace text {

// Two copies of kChars characters, overlapping where size is less: as
// memcpy itself copies a few bytes. kChars <= size <= 2 * kChars.
template <size_t kChars>
void CopyOverlapping(char16_t* to, const char16_t* from, size_t size) {
  char first[kChars * sizeof(char16_t)];
  char last[kChars * sizeof(char16_t)];
  std::memcpy(first, from, sizeof first);
  std::memcpy(last, from + size - kChars, sizeof last);
  std::memcpy(to, first, sizeof first);
  std::memcpy(to + size - kChars, last, sizeof last);
}

// Copies size characters from from to to (not overlapping).
inline void CopyChars(char16_t* to, const char16_t* from, size_t size) {
  if (size > 16)
    std::memcpy(to, from, size * sizeof(char16_t));
  else if (size >= 8)
    CopyOverlapping<8>(to, from, size);
  else if (size >= 4)
    CopyOverlapping<4>(to, from, size);
  else if (size >= 2)
    CopyOverlapping<2>(to, from, size);
  else if (size == 1)
    *to = *from;
}

}  // namespace text
