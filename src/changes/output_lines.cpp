#include "changes/output_lines.h"

namespace changes {

bool OldOutputLines::Next(uint64_t& hash, LinePlace& place) {
  std::string_view line;
  uint64_t offset = 0;
  while (file_.Next(line, offset)) {
    if (!counter_.Count(line, hash)) {
      place = {offset, static_cast<uint32_t>(line.size())};
      return true;
    }
  }
  return false;
}

}  // namespace changes
