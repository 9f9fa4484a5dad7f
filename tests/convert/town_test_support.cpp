#include "town_test_support.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

#include "text/cp932.h"

namespace tessivar::testing {

namespace {

Text Unquoted(const Text& field) { return field.size() >= 2 ? field.substr(1, field.size() - 2) : field; }

int Depth(TextView town) {
  int depth = 0;
  for (char16_t c : town) depth += (c == u'（') - (c == u'）');
  return depth;
}

void Continue(std::vector<Text>& record, std::u16string_view line) {
  std::vector<Text> columns = Split(line, u",");
  if (Concat(u"\"", record[kTownKana], u"\"") != columns[kTownKana])
    record[kTownKana] += Unquoted(columns[kTownKana]);
  record[kTownKanji] += Unquoted(columns[kTownKanji]);
}

const std::vector<std::u16string>& RealLines() {
  static const std::vector<std::u16string> lines = [] {
    std::ifstream in(JAPANPOST_DIR "/KEN_ALL.CSV", std::ios::binary);
    if (!in) throw std::runtime_error("KEN_ALL.CSV not found in " JAPANPOST_DIR);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::u16string text;
    Cp932().Decode(bytes, text);
    std::vector<std::u16string> all = Split(text, u"\r\n");
    if (!all.empty() && all.back().empty()) all.pop_back();
    return all;
  }();
  return lines;
}

}  // namespace

std::vector<Text> AddressRecord(std::u16string_view line) {
  std::vector<Text> record = Split(line, u",");
  record.resize(std::max<size_t>(record.size(), kZipSlots));
  for (int slot = kOldCode; slot <= kTownKanji; ++slot) record[slot] = Unquoted(record[slot]);
  return record;
}

std::vector<Text> JoinedRecord(std::initializer_list<std::u16string_view> lines) {
  auto line = lines.begin();
  std::vector<Text> record = AddressRecord(*line);
  for (++line; line != lines.end(); ++line) Continue(record, *line);
  return record;
}

std::vector<std::vector<Text>> RealRecords(std::u16string_view code) {
  std::vector<std::vector<Text>> records;
  const Text quoted = Concat(u"\"", code, u"\"");
  int depth = 0;
  for (const auto& line : RealLines()) {
    if (line.find(quoted) == Text::npos) continue;
    if (depth > 0) {
      Continue(records.back(), line);
    } else {
      records.push_back(AddressRecord(line));
    }
    depth = Depth(records.back()[kTownKanji]);
  }
  return records;
}

std::u16string SapporoLine(std::u16string_view code, std::u16string_view kana, std::u16string_view town) {
  return Concat(u"01101,\"060  \",\"", code, u"\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"", kana,
                u"\",\"北海道\",\"札幌市中央区\",\"", town, u"\",0,0,1,0,0,0");
}

namespace {
RunOptions Options(Purpose purpose, bool with_blank) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = false;
  options.with_blank = with_blank;
  return options;
}
// The field set of the CSV lines, set before the writer reads it.
RunEnvironment& WithFields(RunEnvironment& run) {
  run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  return run;
}
}  // namespace

TownHarness::TownHarness(Purpose purpose, bool with_blank)
    : ctx(Options(purpose, with_blank), InputFiles{}, dialogs),
      writer(LineWriterFor(WithFields(ctx.run), ctx.reader.ZipRec)),
      emitter(ctx.run, ctx.reader.ZipRec, ctx.last, writer.get()) {
  ctx.run.output = &sink;
}

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
