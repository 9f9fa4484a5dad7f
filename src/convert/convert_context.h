#pragma once
// All state of one conversion run. Members keep the names the rules are
// written with (ZipRec, G_CityKanji, G_SiblingsKanji, ...), so each rule in
// the code reads like the rule on paper. Nothing here is global: two runs can
// go on side by side, each with its own context.
#include <array>
#include <string>
#include <vector>

#include "convert/input_files.h"
#include "convert/line_sink.h"
#include "convert/run_options.h"
#include "dialogs/dialogs.h"
#include "text/strings.h"

namespace tessivar {

// Slots of the postal record ZipRec, named after the output field catalogue.
enum ZipSlot {
  kLocalCode = 0,   // 地方自治体コード
  kOldCode = 1,     // 旧郵便番号
  kPostalCode = 2,  // 新郵便番号
  kPrefKana = 3,    // 都道府県名カタカナ
  kCityKana = 4,    // 市区町村名カタカナ
  kTownKana = 5,    // 町域名カタカナ
  kPrefKanji = 6,   // 都道府県名漢字
  kCityKanji = 7,   // 市区町村名漢字
  kTownKanji = 8,   // 町域名漢字
  kFlag1 = 9,  // 一町域が二以上の郵便番号で表される場合の表示 (business: handling office)
  kFlag2 = 10,         // 小字毎に番地が起番されている町域の表示
  kFlag3 = 11,         // 丁目を有する町域の場合の表示
  kFlag4 = 12,         // 一つの郵便番号で二以上の町域を表す場合の表示
  kUpdate = 13,        // 更新の表示
  kReason = 14,        // 変更理由
  kCompanyKana = 15,   // 会社名カタカナ
  kCompanyKanji = 16,  // 会社名漢字
};
inline constexpr int kZipSlots = 17;

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
  std::vector<Text> ZipRec = std::vector<Text>(kZipSlots);

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
