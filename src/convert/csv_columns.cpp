#include "convert/csv_columns.h"

namespace tessivar {

namespace {

// The closing quote of a quoted field whose text begins at from; npos when
// the field runs on past the end of line.
size_t ClosingQuote(TextView line, size_t from) {
  while (true) {
    const size_t quote = line.find(u'"', from);
    if (quote == TextView::npos || quote + 1 == line.size() || line[quote + 1] != u'"') return quote;
    from = quote + 2;  // "" stands for one quote inside the field
  }
}

// The comma after the column that begins at from; npos when there is none,
// inside_quotes set when the column is a quoted field that runs on past the
// end of line.
size_t ColumnEnd(TextView line, size_t from, bool& inside_quotes) {
  inside_quotes = false;
  if (from < line.size() && line[from] == u'"') {
    const size_t closing = ClosingQuote(line, from + 1);
    if (closing == TextView::npos) {
      inside_quotes = true;
      return TextView::npos;
    }
    from = closing + 1;
  }
  return line.find(u',', from);
}

}  // namespace

size_t ColumnEnd(TextView line, size_t from) {
  bool inside_quotes = false;
  return ColumnEnd(line, from, inside_quotes);
}

void SplitColumns(TextView line, std::vector<Text>& cols) {
  size_t count = 0;
  size_t from = 0;
  while (true) {
    const size_t comma = ColumnEnd(line, from);
    const TextView piece = line.substr(from, comma == TextView::npos ? TextView::npos : comma - from);
    if (count < cols.size()) {
      cols[count].assign(piece);
    } else {
      cols.emplace_back(piece);
    }
    ++count;
    if (comma == TextView::npos) break;
    from = comma + 1;
  }
  cols.resize(count);
}

bool EndsInsideQuotes(TextView line, bool inside_at_start) {
  size_t from = 0;
  if (inside_at_start) {
    const size_t closing = ClosingQuote(line, 0);
    if (closing == TextView::npos) return true;
    const size_t comma = line.find(u',', closing + 1);
    if (comma == TextView::npos) return false;
    from = comma + 1;
  }
  while (true) {
    bool inside_quotes = false;
    const size_t comma = ColumnEnd(line, from, inside_quotes);
    if (comma == TextView::npos) return inside_quotes;
    from = comma + 1;
  }
}

}  // namespace tessivar
