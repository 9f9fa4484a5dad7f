#include "town_test_support.h"

#include <stdexcept>

#include "reader_test_support.h"
#include "text/text_file.h"

namespace tessivar::testing {

namespace {

// The records the reader hands on from input; a message fails the test's set-up.
std::vector<std::vector<Text>> Records(text::LineSource& input, std::u16string_view code = {}) {
  std::vector<std::vector<Text>> records;
  const auto messages = ReadRecords(input, kAllPrefecturesIndex, [&](ZipRecord& record) {
    if (code.empty() || record[kPostalCode] == code) records.push_back(record);
  });
  if (!messages.empty()) throw std::runtime_error(messages.front());
  return records;
}

}  // namespace

std::vector<Text> AddressRecord(std::u16string_view line) {
  MemoryLines input({std::u16string(line)});
  auto records = Records(input);
  if (records.size() != 1) throw std::runtime_error("not one record: " + ToUtf8(line));
  return records.front();
}

std::vector<std::vector<Text>> RealRecords(std::u16string_view code) {
  TextFileReader input;
  if (!input.Open(JAPANPOST_DIR "/KEN_ALL.CSV")) throw std::runtime_error(input.error());
  return Records(input, code);
}

std::u16string SapporoLine(std::u16string_view code, std::u16string_view kana, std::u16string_view town) {
  return Concat(u"01101,\"060  \",\"", code, u"\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"", kana,
                u"\",\"北海道\",\"札幌市中央区\",\"", town, u"\",0,0,1,0,0,0");
}

std::string Csv(const std::string& code, const std::string& town, const std::string& kana,
                const std::string& comment, const std::string& comment_kana) {
  auto quoted = [](const std::string& s) { return s.empty() ? s : "\"" + s + "\""; };
  return "\"" + code + "\",\"" + town + "\",\"" + kana + "\"," + quoted(comment) + "," + quoted(comment_kana);
}

namespace {
RunOptions Options(Purpose purpose, bool with_blank) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = false;
  options.with_blank = with_blank;
  options.prefecture_checked.fill(true);
  return options;
}
// The field set of the CSV lines, set before the writer reads it.
ConvertContext& WithFields(ConvertContext& ctx) {
  ctx.run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  return ctx;
}
}  // namespace

TownHarness::TownHarness(Purpose purpose, bool with_blank, const Corrections& corrections)
    : ctx(Options(purpose, with_blank), InputFiles{}, dialogs),
      stages(WithFields(ctx), &sink, RuleTables{.town = &corrections}) {}

void TownHarness::Run(std::u16string_view line) {
  MemoryLines input({std::u16string(line)});
  stages.Convert(kAllPrefecturesIndex, input);
}

void TownHarness::Run(std::vector<Text> record) {
  ctx.reader.G_InputIndex = kAllPrefecturesIndex;
  ctx.reader.ZipRec = std::move(record);
  stages.ConvertRecord();
}

std::vector<std::string> TownHarness::Take() {
  std::vector<std::string> lines;
  for (const auto& line : sink.lines) lines.push_back(ToUtf8(line));
  sink.lines.clear();
  return lines;
}

}  // namespace tessivar::testing
