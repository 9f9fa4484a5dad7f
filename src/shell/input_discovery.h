#pragma once
// Which Japan Post file of the input folder takes which input role, as they
// are published: unpacked or as the zip they come in, the all-prefecture file
// in code page 932 (KEN_ALL.CSV) or in UTF-8 (utf_ken_all.csv).
#include <string>
#include <vector>

#include "convert/input_files.h"
#include "dialogs/dialogs.h"

namespace tessivar {

// Classifies listing (names in in.in_folder, in listing order) into in.files
// and the three kinds, and returns how many all-prefecture files were found.
// A zip that cannot be read, or does not hold the file its name promises, is
// reported and left aside. When one role has files of several forms, one is
// read, preferred in this order: unpacked, zipped; code page 932, UTF-8; the
// others are named in one message. Of two files of the same form and role,
// the later in listing order is read.
int ClassifyInputFiles(InputFiles& in, const std::vector<std::string>& listing, Dialogs& dialogs);

}  // namespace tessivar
