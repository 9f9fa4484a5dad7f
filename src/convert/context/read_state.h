#pragma once
// The reader's state: the kind of file being read, the lines accepted so far,
// the postal record it lends to the stages after it, one at a time, and where
// that record comes from.
#include "convert/context/record_origin.h"
#include "convert/context/zip_record.h"

namespace tessivar {

struct ReaderState {
  int G_InputIndex = 0;  // 0 the all-prefecture file, 1 to 47 a prefecture's, 48 the business file
  long G_LineCount = 0;  // accepted input lines of the run
  ZipRecord ZipRec = ZipRecord(kZipSlots);
  RecordOrigin origin;  // of ZipRec while it is handed on; of the line being read before
};

}  // namespace tessivar
