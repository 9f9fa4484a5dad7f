#pragma once
// What the output file holds before its first record: the word list's
// header, or the column-name line of the CSV text and the database data file.
#include "convert/context/run_environment.h"

namespace tessivar {

// F_WriteImeHeader: the seven header lines of the word list, dated now.
void F_WriteImeHeader(RunEnvironment& run);
// F_WriteColumnNames: the column-name line of the selected output fields.
void F_WriteColumnNames(RunEnvironment& run);

}  // namespace tessivar
