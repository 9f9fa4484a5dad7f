// Every record of the real KEN_ALL.CSV through the reader and the town-area
// rules, for the word list and for the CSV text: no crash, and every failure
// the rules report is listed with the postal code of its record.
#include <gtest/gtest.h>

#include <iostream>
#include <map>

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

// Keeps each message with the code of the record being converted.
class CodeNamingDialogs : public Dialogs {
 public:
  void Message(std::string_view text) override {
    messages.emplace_back(ToUtf8((*record)[kPostalCode]), text);
  }
  bool Ask(std::string_view) override { return false; }
  const std::vector<Text>* record = nullptr;
  std::vector<std::pair<std::string, std::string>> messages;
};

struct CountryRun {
  long records = 0;
  std::vector<std::pair<std::string, std::string>> messages;
};

CountryRun ConvertCountry(Purpose purpose) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = false;
  options.prefecture_checked.fill(true);
  CodeNamingDialogs dialogs;
  CountingSink sink;
  ConvertContext ctx(options, InputFiles{}, dialogs);
  dialogs.record = &ctx.reader.ZipRec;
  ctx.run.output = &sink;
  ctx.run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  ctx.reader.G_InputIndex = kAllPrefecturesIndex;
  const std::unique_ptr<LineWriter> writer = LineWriterFor(ctx.run, ctx.reader.ZipRec);
  Emitter emitter(ctx.run, ctx.reader.ZipRec, ctx.last, writer.get());
  TextFileReader input;
  EXPECT_TRUE(input.Open(JAPANPOST_DIR "/KEN_ALL.CSV")) << input.error();
  F_ReadZipFile(ctx.run, ctx.reader, input, [&](ZipRecord&) { F_TownAreaEdit(ctx, emitter); });
  return {sink.count, dialogs.messages};
}

void Report(const char* purpose, const CountryRun& run) {
  std::map<std::pair<std::string, std::string>, int> counted;
  for (const auto& m : run.messages) ++counted[m];
  std::cout << purpose << ": " << run.records << " records written, " << run.messages.size() << " messages\n";
  for (const auto& [m, n] : counted) std::cout << "  " << m.first << " x" << n << ": " << m.second << "\n";
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
  // Both outputs meet the same irregular records.
  EXPECT_EQ(word_list.messages, csv.messages);
}

}  // namespace
}  // namespace tessivar::testing
