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

bool SplitColumns(TextView line, std::vector<Text>& cols) {
  size_t count = 0;
  size_t from = 0;
  bool inside_quotes = false;
  while (true) {
    const size_t comma = ColumnEnd(line, from, inside_quotes);
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
  return !inside_quotes;
}

bool EndsInsideQuotes(TextView continued_line) {
  const size_t closing = ClosingQuote(continued_line, 0);
  if (closing == TextView::npos) return true;
  size_t from = continued_line.find(u',', closing + 1);
  while (from != TextView::npos) {
    bool inside_quotes = false;
    from = ColumnEnd(continued_line, from + 1, inside_quotes);
    if (inside_quotes) return true;
  }
  return false;
}

}  // namespace tessivar
