// Every record of the real KEN_ALL.CSV through the reader and the town-area
// rules, for the word list and for the CSV text: no crash, and every failure
// the rules report names the file, the line and the postal code of its record.
#include <gtest/gtest.h>

#include <iostream>

#include "convert/read_zip_file.h"
#include "text/cp932.h"
#include "text/text_file.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

class CountingSink : public LineSink {
 public:
  void WriteLine(std::u16string_view) override { ++count; }
  long count = 0;
};

struct CountryRun {
  long records = 0;
  std::vector<std::string> messages;
};

CountryRun ConvertCountry(Purpose purpose) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = false;
  options.prefecture_checked.fill(true);
  ScriptedDialogs dialogs;
  CountingSink sink;
  ConvertContext ctx(options, InputFiles{}, dialogs);
  ctx.run.output = &sink;
  ctx.run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  ctx.reader.G_InputIndex = kAllPrefecturesIndex;
  const std::unique_ptr<LineWriter> writer = LineWriterFor(ctx.run, ctx.reader.ZipRec);
  Emitter emitter(ctx.run, ctx.reader.ZipRec, ctx.last, writer.get());
  TextFileReader input;
  EXPECT_TRUE(input.Open(JAPANPOST_DIR "/KEN_ALL.CSV")) << input.error();
  F_ReadZipFile(ctx.run, ctx.reader, input, [&](ZipRecord&) { F_TownAreaEdit(ctx, emitter); });
  return {sink.count, dialogs.messages()};
}

void Report(const char* purpose, const CountryRun& run) {
  std::cout << purpose << ": " << run.records << " records written, " << run.messages.size() << " messages\n";
  for (const auto& m : run.messages) std::cout << "  " << m << "\n";
}

TEST(TownWholeCountry, WordListAndCsv) {
  CountryRun word_list = ConvertCountry(Purpose::kWordList);
  CountryRun csv = ConvertCountry(Purpose::kCsv);
  Report("word list", word_list);
  Report("CSV", csv);
  // Every address line becomes at least one record.
  EXPECT_GT(word_list.records, 124000);
  // Only the second 6730012 record is kept out of the word list, and the 23
  // copies of an entry that a list of several 番地 ranges gives once per range
  // (16 records, 0920171 美富（１２７～１５１、１８３～５７９番地） among them).
  EXPECT_EQ(csv.records - word_list.records, 1 + 23);
  // Both outputs meet the same irregular records: 3771512 大前（細原２２５９～）
  // and 9380274 宇奈月町音澤（１０００～）, cut before their first number, leave
  // no bracketed text to take (one failure for the kanji, one for the kana).
  const std::string kFailure = "プロシージャの呼び出し、または引数が不正です。";
  const std::vector<std::string> known = {kFailure + "（KEN_ALL.CSV の 30291 行目、郵便番号 3771512）",
                                          kFailure + "（KEN_ALL.CSV の 30291 行目、郵便番号 3771512）",
                                          kFailure + "（KEN_ALL.CSV の 51022 行目、郵便番号 9380274）",
                                          kFailure + "（KEN_ALL.CSV の 51022 行目、郵便番号 9380274）"};
  EXPECT_EQ(word_list.messages, known);
  EXPECT_EQ(csv.messages, known);
}

}  // namespace
}  // namespace tessivar::testing
