#pragma once
// Where the record being worked on comes from: its input file, the line it
// starts on and its postal code. The reader keeps it up to date; every
// failure the converter's traps report names it.
#include <string>

#include "text/strings.h"

namespace tessivar {

struct RecordOrigin {
  std::string file;        // the input file's name
  long line = 0;           // 0: no line yet
  text::Text postal_code;  // empty until the line is split
};

}  // namespace tessivar
