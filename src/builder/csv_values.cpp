#include "builder/csv_values.h"

namespace morvane {

bool SplitCsvLine(std::string_view line, std::vector<std::string_view>& values) {
  values.clear();
  size_t start = 0;
  while (true) {
    size_t end;
    if (start < line.size() && line[start] == '"') {
      // The closing quote is the first one followed by a comma or the end.
      size_t close = start + 1;
      while (true) {
        close = line.find('"', close);
        if (close == std::string_view::npos) return false;
        if (close + 1 == line.size() || line[close + 1] == ',') break;
        ++close;
      }
      end = close + 1;
    } else {
      end = line.find(',', start);
      if (end == std::string_view::npos) end = line.size();
    }
    values.push_back(line.substr(start, end - start));
    if (end >= line.size()) return true;
    start = end + 1;
  }
}

std::optional<std::string_view> CsvValue(std::string_view piece) {
  if (piece.empty() || piece == "\"\"") return std::nullopt;
  if (piece.front() == '"') return piece.substr(1, piece.size() >= 2 ? piece.size() - 2 : 0);
  return piece;
}

}  // namespace morvane
