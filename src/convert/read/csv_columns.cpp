#include "convert/read/csv_columns.h"

#include <algorithm>

namespace tessivar {

namespace {

// The closing quote of a quoted field whose text begins at from; end when
// the field runs on past it.
const char16_t* ClosingQuoteIn(const char16_t* from, const char16_t* end) {
  while (true) {
    while (from < end && *from != u'"') ++from;
    if (from == end || from + 1 == end || from[1] != u'"') return from;
    from += 2;  // "" stands for one quote inside the field
  }
}

// The end of the column that begins at from: its comma, or end. Sets
// inside_quotes when the column is a quoted field that runs on past end. One
// pass over the characters: the whole country is split here.
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
  while (from < end && *from != u',') ++from;
  return from;
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
  const char16_t* from = line.data();
  const char16_t* const end = from + line.size();
  bool inside_quotes = false;
  while (true) {
    const char16_t* comma = ColumnEndIn(from, end, inside_quotes);
    cols.emplace_back(from, static_cast<size_t>(comma - from));
    if (comma == end) break;
    from = comma + 1;
  }
  return !inside_quotes;
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
