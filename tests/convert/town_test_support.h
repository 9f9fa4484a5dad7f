#pragma once
// Address records for the town-area tests: hand-made lines in the layout of
// KEN_ALL.CSV, records of the real file as the reader hands them on, and a
// run's stages that collect the written lines.
#include <string>
#include <vector>

#include "convert/context/convert_context.h"
#include "convert/output/write_sink.h"
#include "convert/pipeline.h"
#include "dialogs/scripted_dialogs.h"

namespace tessivar::testing {

// The postal record the reader makes of one address line.
std::vector<Text> AddressRecord(std::u16string_view line);
// Every record of the real KEN_ALL.CSV with this postal code, read (and
// joined over its lines) by the reader.
std::vector<std::vector<Text>> RealRecords(std::u16string_view code);

// A hand-made line: Sapporo's columns around the given code, kana and town.
std::u16string SapporoLine(std::u16string_view code, std::u16string_view kana, std::u16string_view town);

// A line of the harness's CSV text; an empty comment stands unquoted.
std::string Csv(const std::string& code, const std::string& town, const std::string& kana,
                const std::string& comment = "", const std::string& comment_kana = "");

struct TownHarness {
  // CSV text with the fields code, town, town kana, comment, comment kana;
  // the 7-digit code form.
  explicit TownHarness(Purpose purpose = Purpose::kCsv, bool with_blank = false,
                       const Corrections& corrections = ShippedTownCorrections());

  // One line of the address file through the reader and the stages after it.
  void Run(std::u16string_view line);
  // A record as the reader hands it on through the stages after the reader.
  void Run(std::vector<Text> record);
  // Written lines (UTF-8, readable in failure output); taken lines are cleared.
  std::vector<std::string> Take();
  std::vector<std::string> messages() const { return dialogs.messages(); }

  ScriptedDialogs dialogs;
  MemorySink sink;
  ConvertContext ctx;
  Pipeline stages;
};

}  // namespace tessivar::testing
