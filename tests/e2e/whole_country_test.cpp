// The full real Japan Post data through the installed program, for the word
// list and for the CSV text: no message but the question, the count, and the
// known failures of irregular records that the correction table is to mend.
// The same files as Japan Post publishes them (zipped, and the address file
// in UTF-8, unpacked or zipped) give byte for byte the same output.
#include <gtest/gtest.h>

#include <regex>

#include "program_folder.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;

// 3771512 大前（細原２２５９～） and 9380274 宇奈月町音澤（１０００～）: the
// town is cut before its first number, leaving no bracketed text to take (one
// failure for the kanji, one for the kana, each). The correction table
// rewrites both records.
constexpr int kKnownRuleFailures = 4;
constexpr char kRuleFailure[] = "プロシージャの呼び出し、または引数が不正です。";

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
};

class WholeCountry : public ::testing::TestWithParam<WholeCountryCase> {};

TEST_P(WholeCountry, EveryPublishedFormConvertsAlikeWithOnlyTheKnownIrregularRecordsReported) {
  const auto& c = GetParam();
  const std::string test = std::string("whole_country_") + c.name;
  const auto [run, output] = Convert(test, kCodePage932Files, c.args, c.output);
  EXPECT_EQ(run.exit_code, 0) << run.err;

  std::smatch m;
  static const std::regex kExpected("^([^\n]*)\n((?:[^\n]*\n)*)郵便番号データを (\\d+) 件 作成しました。\n$");
  ASSERT_TRUE(std::regex_match(run.out, m, kExpected)) << run.out.substr(0, 4000);
  EXPECT_EQ(m[1].str(), c.question);
  std::string known;
  for (int i = 0; i < kKnownRuleFailures; ++i) known += std::string(kRuleFailure) + "\n";
  EXPECT_EQ(m[2].str(), known);
  const long records = std::stol(m[3].str());
  EXPECT_GT(records, 147000);
  EXPECT_EQ(CountLines(output), records + c.header_lines);
  std::cout << c.name << ": " << records << " records written\n";

  for (const InputForm& form : kOtherForms) {
    const Converted other = Convert(test, form, c.args, c.output);
    EXPECT_EQ(other.run.exit_code, 0) << form.name << ": " << other.run.err;
    EXPECT_EQ(other.run.out, run.out) << form.name;
    EXPECT_TRUE(WithoutDateLine(other.output) == WithoutDateLine(output)) << form.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    RealData, WholeCountry,
    ::testing::Values(
        WholeCountryCase{"word_list", "--purpose ime --yes",
                         "MS-IME ユーザー辞書用 郵便番号テキスト作成を 作成します。よろしいですか？",
                         "ZIP.TXT", 7},
        WholeCountryCase{"csv_text", "--purpose csv --column-names --yes",
                         "CSVテキスト作成 （非辞書用）を 作成します。よろしいですか？", "ZIPDATA.CSV", 1}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::e2e
