// Turns a rule table kept as TSV into a constexpr std::array of rows of
// u16string_view cells (a table may have no rows yet).
//
// The first non-comment line names the columns; every further row must have
// exactly that many cells. Lines starting with '#' and empty lines are skipped.
// A bad row stops the build with "file:line: ..." so a table can never be
// compiled half-read.
//
// usage: tsv_embed INPUT.tsv OUTPUT.inc ARRAY_NAME
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> cells;
  std::string::size_type start = 0;
  while (true) {
    auto tab = line.find('\t', start);
    cells.push_back(line.substr(start, tab - start));
    if (tab == std::string::npos) return cells;
    start = tab + 1;
  }
}

std::string CppLiteral(const std::string& cell) {
  std::string out = "u\"";
  for (char c : cell) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + '"';
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: tsv_embed INPUT.tsv OUTPUT.inc ARRAY_NAME\n";
    return 2;
  }
  const std::string input = argv[1];
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::cerr << input << ": cannot open\n";
    return 1;
  }
  std::vector<std::string> header;
  std::ostringstream rows;
  std::string line;
  int line_no = 0;
  int row_count = 0;
  while (std::getline(in, line)) {
    ++line_no;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    auto cells = SplitTabs(line);
    if (header.empty()) {
      header = cells;
      continue;
    }
    if (cells.size() != header.size()) {
      std::cerr << input << ":" << line_no << ": expected " << header.size() << " columns, found "
                << cells.size() << "\n";
      return 1;
    }
    rows << "  {{";
    for (size_t i = 0; i < cells.size(); ++i) rows << (i ? ", " : "") << CppLiteral(cells[i]);
    rows << "}},\n";
    ++row_count;
  }
  if (header.empty()) {
    std::cerr << input << ": no header line\n";
    return 1;
  }
  const std::string name = argv[3];
  std::ofstream out(argv[2], std::ios::binary);
  out << "// Generated from " << input.substr(input.find_last_of('/') + 1) << "; do not edit.\n"
      << "// Columns:";
  for (const auto& h : header) out << " " << h;
  out << "\n#include <array>\n#include <string_view>\n"
      << "inline constexpr std::array<std::array<std::u16string_view, " << header.size() << ">, " << row_count
      << "> " << name << "{{\n"
      << rows.str() << "}};\n";
  return out ? 0 : 1;
}
