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

bool OldOutputLines::NextIs(std::string_view line, uint64_t hash, LinePlace& place) {
  uint64_t offset = 0;
  if (counter_.in_header() || !file_.NextIs(line, offset)) return false;
  counter_.Counted(line, hash);
  place = {offset, static_cast<uint32_t>(line.size())};
  return true;
}

}  // namespace changes
