#pragma once
// Which Japan Post file of the input folder takes which input role, as they
// are published: unpacked or as the zip they come in, the all-prefecture file
// in code page 932 (KEN_ALL.CSV) or in UTF-8 (utf_ken_all.csv).
#include <filesystem>
#include <string>
#include <vector>

#include "convert/context/input_files.h"
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

// The input role (G_InputIndex) a file of CSV_IN takes by its name, or -1
// for a name start-up leaves aside (any name not ending in ".csv" or ".zip"
// among them).
int InputRoleOfName(const std::string& name);

// For a file about to be put into CSV_IN, the check start-up makes of a zip
// there: that it can be read and holds the file its name stands for. True
// for a file that is no zip; false after saying why not.
bool CheckZipToAdd(const std::filesystem::path& path, Dialogs& dialogs);

}  // namespace tessivar
