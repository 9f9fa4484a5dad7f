#pragma once
// The reader's state: the kind of file being read, the lines accepted so far
// and the postal record it lends to the stages after it, one at a time.
#include "convert/zip_record.h"

namespace tessivar {

struct ReaderState {
  int G_InputIndex = 0;  // 0 the all-prefecture file, 1 to 47 a prefecture's, 48 the business file
  long G_LineCount = 0;  // accepted input lines of the run
  ZipRecord ZipRec = ZipRecord(kZipSlots);
};

}  // namespace tessivar
