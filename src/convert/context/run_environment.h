#pragma once
// What one run works in: the options and input files it was started with,
// the dialogs it reports through (with where the record being worked on came
// from, and its notices kept in bounds), the selected output fields, the
// output and the count of records written. Set up before the run; of all the stages only the line writers
// change it (they write to the output, count, and remember the word-list
// lines written).
#include <string>
#include <vector>

#include "convert/context/input_files.h"
#include "convert/context/record_origin.h"
#include "convert/context/run_options.h"
#include "convert/context/zip_record.h"
#include "convert/output/write_once.h"
#include "convert/output/write_sink.h"
#include "dialogs/dialogs.h"
#include "dialogs/notices.h"

namespace tessivar {

struct RunEnvironment {
  RunEnvironment(const RunOptions& run_options, const InputFiles& input_files, Dialogs& dialog_port)
      : options(run_options), inputs(input_files), dialogs(dialog_port), notices(dialog_port) {}

  RunOptions options;
  InputFiles inputs;
  Dialogs& dialogs;
  // The messages about single lines and records; saying one changes nothing
  // of the run, so every stage may, also one that only reads the run.
  mutable Notices notices;
  const RecordOrigin* origin = nullptr;  // the reader's, named by every trapped failure
  std::vector<Text> G_SelFields;         // selected output field list, index 0 is a marker
  std::string G_OutFileName;             // output file of the run, in G_OutFolder
  LineSink* output = nullptr;            // G_OutFileNo: the open output of the run
  long G_RecordCount = 0;                // records written, counted by the line writers

  WrittenLines written_entries;  // the word-list lines written so far: none is written twice
};

}  // namespace tessivar
