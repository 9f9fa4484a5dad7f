// The full real Japan Post data through the installed program, for the word
// list and for the CSV text: no message but the question and the count.
// No word-list entry is written twice; the word list for Mozc passes Mozc's
// importer rules and differs from the Microsoft IME one in the readings only.
// The same files as Japan Post publishes them (zipped, and the address file
// in UTF-8, unpacked or zipped) give byte for byte the same output.
#include <gtest/gtest.h>

#include <regex>
#include <span>
#include <unordered_set>

#include "mozc_import_rules.h"
#include "program_folder.h"
#include "text/cp932.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;

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

// The output without the word list's "!DateTime:" line, which names the
// minute of the run.
std::string WithoutDateLine(std::string bytes) {
  const size_t at = bytes.find("!DateTime:");
  if (at != std::string::npos) bytes.erase(at, bytes.find("\r\n", at) - at);
  return bytes;
}

// The input files of one published form: from the unpacked data folder, or
// the bundled zips.
struct InputForm {
  const char* name;
  std::vector<const char*> unpacked;
  std::vector<const char*> zips;
};

const InputForm kCodePage932Files{"code_page_932", {"KEN_ALL.CSV", "JIGYOSYO.CSV"}, {}};
const InputForm kOtherForms[] = {
    {"utf8", {"utf_ken_all.csv", "JIGYOSYO.CSV"}, {}},
    {"zips", {}, {"ken_all.zip", "jigyosyo.zip"}},
    {"utf8_zip", {}, {"utf_ken_all.zip", "jigyosyo.zip"}},
};

struct Converted {
  BatchRun run;
  std::string output;
};

// Runs the batch mode with args on the files of form and takes the output
// file of that name; the program folder goes afterwards.
Converted Convert(const std::string& test, const InputForm& form, const char* args, const char* output) {
  const fs::path home = FreshProgramFolder(test + "_" + form.name);
  fs::create_directories(home / "CSV_IN");
  for (const char* file : form.unpacked)
    fs::copy_file(fs::path(JAPANPOST_DIR) / file, home / "CSV_IN" / file);
  for (const char* file : form.zips)
    fs::copy_file(fs::path(JAPANPOST_ZIP_DIR) / file, home / "CSV_IN" / file);
  Converted converted{RunTessivar(home, args), ReadBytes(home / "CSV_OUT" / output)};
  fs::remove_all(home);
  return converted;
}

struct WholeCountryCase {
  const char* name;
  const char* args;
  const char* question;
  const char* output;
  long header_lines;
  bool mozc;  // the word list for Mozc
};

class WholeCountry : public ::testing::TestWithParam<WholeCountryCase> {};

TEST_P(WholeCountry, EveryPublishedFormConvertsAlikeWithoutAFailure) {
  const auto& c = GetParam();
  const std::string test = std::string("whole_country_") + c.name;
  const auto [run, output] = Convert(test, kCodePage932Files, c.args, c.output);
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

  // The Mozc cases differ from the first only in the readings.
  for (const InputForm& form : c.mozc ? std::span<const InputForm>{} : kOtherForms) {
    const Converted other = Convert(test, form, c.args, c.output);
    EXPECT_EQ(other.run.exit_code, 0) << form.name << ": " << other.run.err;
    EXPECT_EQ(WithoutInputLines(other.run.out), WithoutInputLines(run.out)) << form.name;
    EXPECT_TRUE(WithoutDateLine(other.output) == WithoutDateLine(output)) << form.name;
  }
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
        WholeCountryCase{"word_list", "--purpose ime --yes",
                         "MS-IME ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？",
                         "ZIP.TXT", 7, false},
        WholeCountryCase{"word_list_mozc", "--purpose ime --ime-target mozc --yes",
                         "Mozc ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？", "ZIP.TXT",
                         7, true},
        WholeCountryCase{"word_list_mozc_no_hyphen", "--purpose ime --ime-target mozc --no-hyphen --yes",
                         "Mozc ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？", "ZIP.TXT",
                         7, true},
        WholeCountryCase{"csv_text", "--purpose csv --column-names --yes",
                         "CSVテキスト作成 （非辞書用）を 作成します。よろしいですか？", "ZIPDATA.CSV", 1,
                         false}),
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
TEST(WholeCountryWordList, MozcTargetDiffersInTheReadingOnly) {
  std::vector<std::string> lists[2];
  const char* const targets[2] = {"ms-ime", "mozc"};
  for (int i = 0; i < 2; ++i) {
    const fs::path home = FreshProgramFolder(std::string("whole_country_target_") + targets[i]);
    fs::create_directories(home / "CSV_IN");
    for (const char* file : {"KEN_ALL.CSV", "JIGYOSYO.CSV"}) {
      fs::copy_file(fs::path(JAPANPOST_DIR) / file, home / "CSV_IN" / file);
    }
    ASSERT_EQ(RunTessivar(home, std::string("--purpose ime --yes --ime-target ") + targets[i]).exit_code, 0);
    lists[i] = Entries(DecodedText(ReadBytes(home / "CSV_OUT" / "ZIP.TXT")));
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
