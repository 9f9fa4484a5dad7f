#pragma once
// The whole-country runs of the installed program that the real-data tests
// read. Each is made once per ctest run by its own test,
// RealDataOutputs/WholeCountryRuns.Made/<name>, which CTest runs before the
// tests that read it (a fixture: also when one test is picked with -R), into
// a program folder kept in the build tree.
#include <filesystem>
#include <string>

#include "program_folder.h"

namespace tessivar::e2e {

// A kept run: what the batch mode said, and the program folder it ran in
// (CSV_IN emptied).
struct KeptRun {
  BatchRun run;
  std::filesystem::path home;
};

// The run of that name; a test failure when it has not been made.
KeptRun WholeCountryRun(const std::string& name);

}  // namespace tessivar::e2e
