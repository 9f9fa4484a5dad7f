#pragma once
// Files dropped onto the main window (the zips or CSV files as downloaded):
// put into CSV_IN with the checks start-up makes there, then CSV_IN is
// looked at again, so that the prefectures offered follow.
#include <filesystem>
#include <vector>

#include "shell/application.h"

namespace tessivar {

// Copies the dropped files that may take an input role into CSV_IN, each
// whole or not at all, and says why any other is left where it is: no
// regular file, a name start-up leaves aside, a zip it could not read, one
// already in CSV_IN. A file of the same name in CSV_IN is replaced only
// when the user agrees. Nothing is copied when the files would give CSV_IN
// the all-prefecture file and per-prefecture files together. Returns true
// when CSV_IN changed (and was looked at again).
bool AddInputFiles(Application& app, const std::vector<std::filesystem::path>& dropped);

}  // namespace tessivar
