#include "town_test_support.h"

#include <stdexcept>

#include "convert/read_zip_file.h"
#include "text/text_file.h"

namespace tessivar::testing {

namespace {

Text Unquoted(const Text& field) { return field.size() >= 2 ? field.substr(1, field.size() - 2) : field; }

}  // namespace

std::vector<Text> AddressRecord(std::u16string_view line) {
  std::vector<Text> record = Split(line, u",");
  record.resize(std::max<size_t>(record.size(), kZipSlots));
  for (int slot = kOldCode; slot <= kTownKanji; ++slot) record[slot] = Unquoted(record[slot]);
  return record;
}

std::vector<std::vector<Text>> RealRecords(std::u16string_view code) {
  RunOptions options;
  options.prefecture_checked.fill(true);
  ScriptedDialogs dialogs;
  RunEnvironment run(options, InputFiles{}, dialogs);
  ReaderState state;
  state.G_InputIndex = kAllPrefecturesIndex;
  TextFileReader input;
  if (!input.Open(JAPANPOST_DIR "/KEN_ALL.CSV")) throw std::runtime_error(input.error());
  std::vector<std::vector<Text>> records;
  F_ReadZipFile(run, state, input, [&](ZipRecord& record) {
    if (record[kPostalCode] == code) records.push_back(record);
  });
  if (!dialogs.messages().empty()) throw std::runtime_error(dialogs.messages().front());
  return records;
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
  return options;
}
// The field set of the CSV lines and the output, set before the writer is made.
RunEnvironment& WithFields(RunEnvironment& run, LineSink& sink) {
  run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  run.output = &sink;
  return run;
}
}  // namespace

TownHarness::TownHarness(Purpose purpose, bool with_blank)
    : ctx(Options(purpose, with_blank), InputFiles{}, dialogs),
      writer(LineWriterFor(WithFields(ctx.run, sink), ctx.reader.ZipRec)),
      emitter(ctx.run, ctx.reader.ZipRec, ctx.last, *writer) {}

void TownHarness::Run(std::vector<Text> record) {
  ctx.reader.ZipRec = std::move(record);
  F_TownAreaEdit(ctx, emitter, *corrections);
}

std::vector<std::string> TownHarness::Take() {
  std::vector<std::string> lines;
  for (const auto& line : sink.lines) lines.push_back(ToUtf8(line));
  sink.lines.clear();
  return lines;
}

}  // namespace tessivar::testing
