// Every record of the real KEN_ALL.CSV of both bundled months through the
// reader and the town-area rules, for the word list and for the CSV text: no
// crash, no failure (each is listed with the postal code of its record), and
// no word of the word list that still holds a bracket, a quoted note, a list
// mark or an exclusion.
#include <gtest/gtest.h>

#include <iostream>
#include <map>

#include "convert/pipeline.h"
#include "text/cp932.h"
#include "text/text_file.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

// A building's floor at the end of a word, "（１階）", "（地階・階層不明）" or
// narrowed "(1階)", is part of its name.
bool EndsWithFloor(std::u16string_view word) {
  for (std::u16string_view floor :
       {u"（地階）", u"（地階・階層不明）", u"(地階)", u"(地階・階層不明)", u"(地階･階層不明)"})
    if (word.ends_with(floor)) return true;
  const bool narrow = word.ends_with(u"階)");
  if (!narrow && !word.ends_with(u"階）")) return false;
  size_t at = word.size() - 2, digits = 0;
  while (at > 0 && IsDigit(word[at - 1])) --at, ++digits;
  return digits > 0 && at > 0 && word[at - 1] == (narrow ? u'(' : u'（');
}

// A word that still holds a bracket, a quoted note, a list mark or an
// exclusion, in either width ("@" stands for "、" in a narrowed word).
bool IsMalformed(std::u16string_view word) {
  for (std::u16string_view mark : {u"（", u"）", u"「", u"」", u"、", u"｢", u"｣", u"､", u"(", u")", u"@",
                                   u"以外", u"を除く", u"その他", u"の次に"})
    if (word.find(mark) != std::u16string_view::npos) return !EndsWithFloor(word);
  return false;
}

// Counts the lines and keeps those whose word (the second column of a
// word-list line) is malformed.
class CheckingSink : public MemorySink {
 public:
  void WriteLine(std::u16string_view line) override {
    MemorySink::WriteLine(line);  // the word list looks there for lines written before
    ++count;
    const size_t tab = line.find(u'\t');
    if (tab == std::u16string_view::npos) return;
    if (IsMalformed(line.substr(tab + 1, line.find(u'\t', tab + 1) - tab - 1)))
      malformed.push_back(ToUtf8(line));
  }
  long count = 0;
  std::vector<std::string> malformed;
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
  std::vector<std::string> malformed;
};

CountryRun ConvertCountry(const std::string& ken_all, Purpose purpose) {
  RunOptions options;
  options.purpose = purpose;
  options.hyphen = false;
  options.prefecture_checked.fill(true);
  CodeNamingDialogs dialogs;
  CheckingSink sink;
  ConvertContext ctx(options, InputFiles{}, dialogs);
  dialogs.record = &ctx.reader.ZipRec;
  ctx.run.G_SelFields = {u"0", u"3", u"26", u"9", u"26", u"6", u"26", u"24", u"26", u"25", u"-1"};
  Pipeline stages(ctx, &sink);
  TextFileReader input;
  EXPECT_TRUE(input.Open(ken_all)) << input.error();
  stages.Convert(kAllPrefecturesIndex, input);
  return {sink.count, dialogs.messages,
          purpose == Purpose::kWordList ? sink.malformed : std::vector<std::string>{}};
}

void Report(const char* purpose, const CountryRun& run) {
  std::map<std::pair<std::string, std::string>, int> counted;
  for (const auto& m : run.messages) ++counted[m];
  std::cout << purpose << ": " << run.records << " records written, " << run.messages.size() << " messages\n";
  for (const auto& [m, n] : counted) std::cout << "  " << m.first << " x" << n << ": " << m.second << "\n";
}

struct Month {
  const char* name;
  const char* ken_all;
  long repeated;  // word-list entries written once for several records
};

class TownWholeCountry : public ::testing::TestWithParam<Month> {};

TEST_P(TownWholeCountry, WordListAndCsv) {
  const Month& month = GetParam();
  CountryRun word_list = ConvertCountry(month.ken_all, Purpose::kWordList);
  CountryRun csv = ConvertCountry(month.ken_all, Purpose::kCsv);
  Report("word list", word_list);
  Report("CSV", csv);
  // Every address line becomes at least one record.
  EXPECT_GT(word_list.records, 124000);
  // The second 6730012 record is kept out of the word list, and so are the
  // copies of an entry that a list of several 番地 ranges gives once per
  // range (0920171 美富（１２７～１５１、１８３～５７９番地） among them).
  EXPECT_EQ(csv.records - word_list.records, month.repeated);
  EXPECT_TRUE(word_list.messages.empty());
  EXPECT_TRUE(csv.messages.empty());
  for (const std::string& line : word_list.malformed) ADD_FAILURE() << "malformed word: " << line;
}

INSTANTIATE_TEST_SUITE_P(RealData, TownWholeCountry,
                         ::testing::Values(Month{"m2026_05", JAPANPOST_DIR "/KEN_ALL.CSV", 1 + 13},
                                           Month{"m2025_08", JAPANPOST_DIR "/2025-08/KEN_ALL.CSV", 1 + 14}),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::testing
