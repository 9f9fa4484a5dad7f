#pragma once
// All state of one conversion run, split by concern. Members keep the names
// the rules are written with (ZipRec, G_CityKanji, G_SiblingsKanji, ...), so
// each rule in the code reads like the rule on paper. Nothing here is global:
// two runs can go on side by side, each with its own context.
#include "convert/context/emit_values.h"
#include "convert/context/read_state.h"
#include "convert/context/run_environment.h"
#include "convert/context/town_area_state.h"

namespace tessivar {

struct ConvertContext {
  ConvertContext(const RunOptions& run_options, const InputFiles& input_files, Dialogs& dialog_port)
      : run(run_options, input_files, dialog_port) {
    run.origin = &reader.origin;
  }
  // The run points into the reader's state: a context stays where it was made.
  ConvertContext(const ConvertContext&) = delete;
  ConvertContext& operator=(const ConvertContext&) = delete;

  RunEnvironment run;     // options, inputs, dialogs, output fields, output, record count
  ReaderState reader;     // the file being read and the record ZipRec
  EmissionValues values;  // the record being emitted
  LastRecord last;        // the record last written
  TownAreaState town;     // the town-area rules' working state
};

}  // namespace tessivar
