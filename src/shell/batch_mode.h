#pragma once
// The command line, and the batch mode: the same start-up and start-button
// run as the windows, with the options taken from the command line and every
// message printed.
//
//   Tessivar [--home DIR]                  opens the windows
//   Tessivar --version
//   Tessivar --batch [--home DIR] --purpose ime|mdb|csv
//            [--hyphen | --no-hyphen] [--with-prefecture] [--with-blank]
//            [--ime-target ms-ime|mozc] [--column-names] [--field-set NAME]
//            [--prefectures all | CODE[,CODE...]] [--no-changes] [--yes] [--poll-ms N]
//
// Exit status: 0 when the run reached its count or result message, 1 when
// start-up stopped, the run was refused (another run in progress included),
// an input could not be read, an output could not be written whole, or the
// database build failed or was refused for want of records; 2 for unusable
// arguments.
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "convert/context/run_options.h"
#include "handoff/handoff.h"
#include "places/program_files.h"

namespace tessivar {

struct BatchArguments {
  bool windows = false;  // no --batch: open the windows (only --home applies)
  std::filesystem::path home;
  int purpose = -1;
  std::optional<bool> hyphen;
  bool with_prefecture = false;
  bool with_blank = false;
  std::optional<ImeTarget> ime_target;
  bool column_names = false;
  std::optional<std::string> field_set;
  std::optional<std::vector<int>> prefectures;  // empty vector: all
  bool no_changes = false;
  int threads = 1;  // 2 or more: a second thread reads ahead
  bool yes = false;
  int poll_ms = kDefaultPollMs;
  bool help = false;
  bool version = false;
};

// Parses the arguments after the program name. On failure returns nullopt
// and sets error.
std::optional<BatchArguments> ParseBatchArguments(const std::vector<std::string>& args, std::string& error);

// The run in args.home with the program's files (the builder, and what a
// home other than the program folder is made from).
int RunBatch(const BatchArguments& args, const places::ProgramFiles& files, std::ostream& out,
             std::ostream& err);

extern const char kBatchUsage[];

}  // namespace tessivar
