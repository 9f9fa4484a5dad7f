#include "convert/csv_columns.h"

#include <algorithm>
#include <cstdint>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace tessivar {

namespace {

// The first c in [from, end), or end: eight characters at a time, as the
// whole country is split here.
const char16_t* Find(const char16_t* from, const char16_t* end, char16_t c) {
#ifdef __SSE2__
  const __m128i wanted = _mm_set1_epi16(static_cast<short>(c));
  for (; end - from >= 8; from += 8) {
    const int found =
        _mm_movemask_epi8(_mm_cmpeq_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(from)), wanted));
    if (found != 0) return from + __builtin_ctz(static_cast<unsigned>(found)) / 2;
  }
#endif
  while (from < end && *from != c) ++from;
  return from;
}

// The closing quote of a quoted field whose text begins at from; end when
// the field runs on past it.
const char16_t* ClosingQuoteIn(const char16_t* from, const char16_t* end) {
  while (true) {
    from = Find(from, end, u'"');
    if (end - from < 2 || from[1] != u'"') return from;
    from += 2;  // "" stands for one quote inside the field
  }
}

// The end of the column that begins at from: its comma, or end. Sets
// inside_quotes when the column is a quoted field that runs on past end.
const char16_t* ColumnEndIn(const char16_t* from, const char16_t* end, bool& inside_quotes) {
  inside_quotes = false;
  if (from < end && *from == u'"') {
    from = ClosingQuoteIn(from + 1, end);
    if (from == end) {
      inside_quotes = true;
      return end;
    }
    ++from;
  }
  return Find(from, end, u',');
}

size_t ColumnEnd(TextView line, size_t from, bool& inside_quotes) {
  const char16_t* end = line.data() + line.size();
  const char16_t* at = ColumnEndIn(line.data() + std::min(from, line.size()), end, inside_quotes);
  return at == end ? TextView::npos : static_cast<size_t>(at - line.data());
}

}  // namespace

size_t ColumnEnd(TextView line, size_t from) {
  bool inside_quotes = false;
  return ColumnEnd(line, from, inside_quotes);
}

bool SplitColumns(TextView line, std::vector<TextView>& cols) {
  cols.clear();
  const char16_t* at = line.data();
  const char16_t* const end = at + line.size();
  while (true) {
    const char16_t* const column = at;
    if (at < end && *at == u'"') {
      // A quoted field: its closing quote, where "" stands for one quote
      // inside it.
      at = ClosingQuoteIn(at + 1, end);
      if (at == end) {
        cols.emplace_back(column, static_cast<size_t>(end - column));
        return false;
      }
      ++at;
    }
    at = Find(at, end, u',');
    cols.emplace_back(column, static_cast<size_t>(at - column));
    if (at == end) return true;
    ++at;
  }
}

bool EndsInsideQuotes(TextView continued_line) {
  const char16_t* end = continued_line.data() + continued_line.size();
  const char16_t* closing = ClosingQuoteIn(continued_line.data(), end);
  if (closing == end) return true;
  size_t from = continued_line.find(u',', static_cast<size_t>(closing - continued_line.data()) + 1);
  while (from != TextView::npos) {
    bool inside_quotes = false;
    from = ColumnEnd(continued_line, from + 1, inside_quotes);
    if (inside_quotes) return true;
  }
  return false;
}

}  // namespace tessivar
