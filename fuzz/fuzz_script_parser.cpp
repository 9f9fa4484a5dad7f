// The definition-script parser on any text: directives, statements joined
// over lines, their kinds, and CREATE TABLE statements turned into columns.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "builder/script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace morvane;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  StatementJoiner joiner;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string line = ReplaceTabs(text.substr(start, end - start));
    start = end + 1;
    if (IsIgnoredLine(line)) continue;
    ParseDirective(line);
    if (const auto statement = joiner.Add(line)) {
      if (ClassifyStatement(*statement) == StatementKind::kCreateTable) ParseCreateTable(*statement);
    }
    ColumnTypeOf(line);
  }
  return 0;
}
