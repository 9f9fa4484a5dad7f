#include "convert/context/record_trap.h"

#include "text/cp932.h"

namespace tessivar {

std::string Where(const RecordOrigin& origin) {
  if (origin.line == 0) return {};
  std::string where = "（" + origin.file + " の " + std::to_string(origin.line) + " 行目";
  if (!origin.postal_code.empty()) where += "、郵便番号 " + text::ToUtf8(origin.postal_code);
  return where + "）";
}

void Report(const RunEnvironment& run, std::string_view text) {
  std::string message(text);
  if (run.origin) message += Where(*run.origin);
  run.notices.Say(message);
}

}  // namespace tessivar
