// correction_table_gen: checks a correction table (TSV, documented in
// src/convert/tables/README.md) and turns it into typed C++. A fault stops
// the build with "file:line: reason"; nothing is written then.
//
// usage: correction_table_gen town|business|business_word_list INPUT.tsv OUTPUT.inc NAME
#include <fstream>
#include <iostream>
#include <sstream>

#include "table_model.h"

int main(int argc, char** argv) {
  using namespace correction_gen;
  if (argc != 5) {
    std::cerr << "usage: correction_table_gen town|business|business_word_list INPUT.tsv OUTPUT.inc NAME\n";
    return 2;
  }
  const std::string kind_name = argv[1], input = argv[2], output = argv[3], name = argv[4];
  TableKind kind;
  if (kind_name == "town") {
    kind = TableKind::kTown;
  } else if (kind_name == "business") {
    kind = TableKind::kBusiness;
  } else if (kind_name == "business_word_list") {
    kind = TableKind::kBusinessWordList;
  } else {
    std::cerr << "unknown table kind " << kind_name << "\n";
    return 2;
  }
  std::ifstream in(input, std::ios::binary);
  if (!in) {
    std::cerr << input << ": cannot open\n";
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const std::string file = input.substr(input.find_last_of('/') + 1);
  std::string cpp;
  try {
    TableModel table = ReadTable(text.str(), kind);
    CheckTable(table);
    CheckValues(table);
    cpp = WriteCpp(table, name, file);
  } catch (const TableError& e) {
    std::cerr << input << ":" << e.line << ": " << e.what() << "\n";
    return 1;
  }
  std::ofstream out(output, std::ios::binary);
  out << cpp;
  return out ? 0 : 1;
}
