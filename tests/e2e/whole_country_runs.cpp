#include "whole_country_runs.h"

#include <gtest/gtest.h>

#include <fstream>
#include <vector>

namespace tessivar::e2e {

namespace fs = std::filesystem;

namespace {

// One run: the files put into CSV_IN, unpacked (from the build's data folder)
// or zipped as Japan Post publishes them, and the batch mode's arguments.
struct RunCase {
  const char* name;
  std::vector<const char*> unpacked;
  std::vector<const char*> zips;
  const char* args;
};

void PrintTo(const RunCase& c, std::ostream* out) { *out << c.name; }

const std::vector<const char*> kBothFiles = {"KEN_ALL.CSV", "JIGYOSYO.CSV"};

// The database runs keep the default poll: the wait ends when the builder
// does, and its time limit is never short, also for a build under the
// sanitizers.
const RunCase kRuns[] = {
    {"word_list", kBothFiles, {}, "--purpose ime --yes"},
    {"word_list_mozc", kBothFiles, {}, "--purpose ime --ime-target mozc --yes"},
    {"word_list_mozc_no_hyphen", kBothFiles, {}, "--purpose ime --ime-target mozc --no-hyphen --yes"},
    {"csv_text", kBothFiles, {}, "--purpose csv --column-names --yes"},
    {"database", kBothFiles, {}, "--purpose mdb --yes"},
    {"database_utf8_zip", {}, {"utf_ken_all.zip", "jigyosyo.zip"}, "--purpose mdb --yes"},
};

fs::path KeptFolder(const std::string& name) {
  return fs::path(PROJECT_BINARY_DIR) / "tests" / "whole_country" / name;
}

// What the batch mode said, beside the folder.
fs::path SaidFile(const std::string& name, const char* what) {
  return KeptFolder(name).string() + "." + what + ".txt";
}

class WholeCountryRuns : public ::testing::TestWithParam<RunCase> {};

TEST_P(WholeCountryRuns, Made) {
  const RunCase& c = GetParam();
  for (const char* what : {"exit", "out", "err"}) fs::remove(SaidFile(c.name, what));
  const fs::path home = ProgramFolderAt(KeptFolder(c.name));
  fs::create_directories(home / "CSV_IN");
  for (const char* file : c.unpacked) fs::copy_file(fs::path(JAPANPOST_DIR) / file, home / "CSV_IN" / file);
  for (const char* file : c.zips) fs::copy_file(fs::path(JAPANPOST_ZIP_DIR) / file, home / "CSV_IN" / file);
  const BatchRun run = RunTessivar(home, c.args);
  fs::remove_all(home / "CSV_IN");
  std::ofstream(SaidFile(c.name, "out"), std::ios::binary) << run.out;
  std::ofstream(SaidFile(c.name, "err"), std::ios::binary) << run.err;
  // Written last: a run without it was not made whole.
  std::ofstream(SaidFile(c.name, "exit")) << run.exit_code;
}

INSTANTIATE_TEST_SUITE_P(RealDataOutputs, WholeCountryRuns, ::testing::ValuesIn(kRuns),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace

KeptRun WholeCountryRun(const std::string& name) {
  KeptRun kept{{}, KeptFolder(name)};
  if (!fs::exists(SaidFile(name, "exit"))) {
    ADD_FAILURE() << "the whole-country run " << name << " has not been made: ctest runs it first, as "
                  << "e2e.RealDataOutputs/WholeCountryRuns.Made/" << name;
    return kept;
  }
  kept.run.exit_code = std::stoi(ReadBytes(SaidFile(name, "exit")));
  kept.run.out = ReadBytes(SaidFile(name, "out"));
  kept.run.err = ReadBytes(SaidFile(name, "err"));
  return kept;
}

}  // namespace tessivar::e2e
