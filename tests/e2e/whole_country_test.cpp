// The full real Japan Post data through the installed program, for the word
// list and for the CSV text: no message but the question and the count.
// No word-list entry is written twice; the word list for Mozc passes Mozc's
// importer rules and differs from the Microsoft IME one in the readings only.
// (That every form in which Japan Post publishes the files gives the same
// records is checked on the reader, convert/read_input_forms_test.cpp.)
#include <gtest/gtest.h>

#include <regex>
#include <unordered_set>

#include "mozc_import_rules.h"
#include "text/cp932.h"
#include "whole_country_runs.h"

namespace tessivar::e2e {
namespace {

std::string DecodedText(const std::string& cp932_bytes) {
  std::u16string text;
  text::Cp932().Decode(cp932_bytes, text);
  return text::ToUtf8(text);
}

// The lines of a word list after its header (the header ends with an empty line).
std::vector<std::string> Entries(const std::string& utf8_text) {
  std::vector<std::string> entries;
  size_t from = utf8_text.find("\r\n\r\n");
  if (from == std::string::npos) return entries;
  for (from += 4; from < utf8_text.size();) {
    size_t end = utf8_text.find("\r\n", from);
    if (end == std::string::npos) end = utf8_text.size();
    entries.push_back(utf8_text.substr(from, end - from));
    from = end + 2;
  }
  return entries;
}

long CountLines(const std::string& bytes) {
  long lines = 0;
  for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lines;
  return lines;
}

struct WholeCountryCase {
  const char* name;  // of the kept run
  const char* question;
  const char* output;
  long header_lines;
  bool mozc;  // the word list for Mozc
};

class WholeCountry : public ::testing::TestWithParam<WholeCountryCase> {};

TEST_P(WholeCountry, ConvertsWithoutAFailure) {
  const auto& c = GetParam();
  const KeptRun kept = WholeCountryRun(c.name);
  const BatchRun& run = kept.run;
  const std::string output = ReadBytes(kept.home / "CSV_OUT" / c.output);
  EXPECT_EQ(run.exit_code, 0) << run.err;

  std::smatch m;
  static const std::regex kExpected(
      "^([^\n]*)\n郵便番号データを (\\d+) 件 作成しました。 前回の出力がないため、比較しませんでした。\n$");
  ASSERT_TRUE(std::regex_match(run.out, m, kExpected)) << run.out.substr(0, 4000);
  EXPECT_EQ(m[1].str(), c.question);
  const long records = std::stol(m[2].str());
  EXPECT_GT(records, 147000);
  EXPECT_EQ(CountLines(output), records + c.header_lines);
  std::cout << c.name << ": " << records << " records written\n";

  if (std::string(c.output) != "ZIP.TXT") return;

  const std::string text = DecodedText(output);
  std::unordered_set<std::string> seen;
  for (const std::string& entry : Entries(text)) EXPECT_TRUE(seen.insert(entry).second) << "twice: " << entry;
  if (!c.mozc) return;
  const MozcImport mozc = CheckMozcImport(text);
  EXPECT_EQ(mozc.entries, records);
  EXPECT_TRUE(mozc.refused.empty()) << mozc.refused.size() << " refused, first: " << mozc.refused.front();
  std::cout << c.name << ": Mozc would take " << mozc.entries - mozc.merged << " entries, " << mozc.merged
            << " merged with an entry that differs in the comment only\n";
}

INSTANTIATE_TEST_SUITE_P(
    RealData, WholeCountry,
    ::testing::Values(
        WholeCountryCase{"word_list",
                         "MS-IME ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？",
                         "ZIP.TXT", 7, false},
        WholeCountryCase{"word_list_mozc",
                         "Mozc ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？", "ZIP.TXT",
                         7, true},
        WholeCountryCase{"word_list_mozc_no_hyphen",
                         "Mozc ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？", "ZIP.TXT",
                         7, true},
        WholeCountryCase{"csv_text", "CSVテキスト作成 （非辞書用）を 作成します。よろしいですか？",
                         "ZIPDATA.CSV", 1, false}),
    [](const auto& instance) { return std::string(instance.param.name); });

// "０６０－８５５４" as Mozc's reading: "060-8554".
std::string AsciiReading(const std::string& full_width) {
  std::u16string reading = text::FromUtf8(full_width);
  for (char16_t& c : reading) {
    if (c >= u'０' && c <= u'９') c = static_cast<char16_t>(u'0' + (c - u'０'));
    if (c == u'－') c = u'-';
  }
  return text::ToUtf8(reading);
}

// Both word lists, entry by entry: the same words, parts of speech and
// comments in the same order; the readings in ASCII for Mozc.
TEST(RealDataWordLists, MozcTargetDiffersInTheReadingOnly) {
  std::vector<std::string> lists[2];
  const char* const runs[2] = {"word_list", "word_list_mozc"};
  for (int i = 0; i < 2; ++i) {
    lists[i] = Entries(DecodedText(ReadBytes(WholeCountryRun(runs[i]).home / "CSV_OUT" / "ZIP.TXT")));
  }
  ASSERT_EQ(lists[0].size(), lists[1].size());
  for (size_t n = 0; n < lists[0].size(); ++n) {
    const std::string& ms_ime = lists[0][n];
    const size_t tab = ms_ime.find('\t');
    ASSERT_EQ(lists[1][n], AsciiReading(ms_ime.substr(0, tab)) + ms_ime.substr(tab)) << "entry " << n;
  }
}

}  // namespace
}  // namespace tessivar::e2e
