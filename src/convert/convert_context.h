#pragma once
// All state of one conversion run. Members keep the names the rules are
// written with (ZipRec, G_CityKanji, G_SiblingsKanji, ...), so each rule in
// the code reads like the rule on paper. Nothing here is global: two runs can
// go on side by side, each with its own context.
#include <array>
#include <string>
#include <vector>

#include "convert/input_files.h"
#include "convert/run_options.h"
#include "convert/write_sink.h"
#include "convert/zip_record.h"
#include "dialogs/dialogs.h"

namespace tessivar {

struct ConvertContext {
  ConvertContext(const RunOptions& run_options, const InputFiles& input_files, Dialogs& dialog_port)
      : options(run_options), inputs(input_files), dialogs(dialog_port) {}

  // Reports a failure the way the program does (a message with the error
  // text, optionally behind a fixed prefix) and lets the caller go on.
  void Report(std::string_view prefix, std::string_view error) const {
    dialogs.Message(std::string(prefix) + std::string(error));
  }

  // --- Run environment -----------------------------------------------------
  RunOptions options;
  InputFiles inputs;
  Dialogs& dialogs;
  std::vector<Text> G_SelFields;  // selected output field list, index 0 is a marker
  std::string G_OutFileName;      // output file of the run, in G_OutFolder
  LineSink* output = nullptr;     // G_OutFileNo: the open output of the run

  // --- Reading ---------------------------------------------------------------
  int G_InputIndex = 0;
  long G_LineCount = 0;
  long G_RecordCount = 0;
  ZipRecord ZipRec = ZipRecord(kZipSlots);

  // --- Emission values, in the order the emitter takes them ----------------
  Text G_CityKanji, G_OutTownKanji, G_OutSubKanji, G_CommentKanji, G_CommentTailKanji;
  Text G_CityKana, G_OutTownKana, G_OutSubKana, G_CommentKana, G_CommentTailKana;

  // Last record written, kept by the emitter for the town-area rules.
  Text G_LastTownKanji, G_LastTownKana, G_LastCommentKanji, G_LastCommentKana;

  // --- Town-area rules -------------------------------------------------------
  Text G_TownKanji, G_TownKana;
  Text G_SiblingsKanji, G_SiblingsKana;
  std::vector<Text> G_PartsKanji, G_PartsKana;
  std::vector<Text> G_PartTailsKanji, G_PartTailsKana;
  std::array<bool, 3> G_DupSeen{};  // entries 1 and 2 are used
  long pK = 0;                      // position of "（" in G_TownKanji
  long pR = 0;                      // position of "(" in G_TownKana
};

// Runs one operation of a rule under the program's error trap: a failure is
// reported (behind prefix) and the caller goes on with its next operation.
template <typename Operation>
void Trap(const ConvertContext& ctx, Operation&& op, std::string_view prefix = {}) {
  try {
    op();
  } catch (const std::exception& e) {
    ctx.Report(prefix, e.what());
  }
}

}  // namespace tessivar
