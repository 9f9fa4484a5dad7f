// What changed since the previous output, on the installed program folder:
// two published months in sequence in one folder, checked against a
// comparison of the two outputs made here from their sorted lines; and, on a
// few records, every reason not to compare, a run that fails and a change
// file that cannot be written, in one folder run after run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <unordered_map>

#include "mozc_import_rules.h"
#include "program_folder.h"
#include "text/cp932.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (size_t from = 0; from < bytes.size();) {
    size_t end = bytes.find("\r\n", from);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(from, end - from));
    from = end + 2;
  }
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::string Utf8(const std::string& cp932) {
  std::u16string text;
  text::Cp932().Decode(cp932, text);
  return text::ToUtf8(text);
}

// The lines of `from` that `other` lacks, as multisets, in the order of `from`.
std::vector<std::string> Lacking(const std::vector<std::string>& from,
                                 const std::vector<std::string>& other) {
  std::unordered_map<std::string, int> left;
  for (const std::string& line : other) ++left[line];
  std::vector<std::string> lacking;
  for (const std::string& line : from) {
    if (left[line] > 0)
      --left[line];
    else
      lacking.push_back(line);
  }
  return lacking;
}

// "060-8554" from a line's code field: full-width or ASCII, quoted or not.
std::string AsciiCode(const std::string& field) {
  std::u16string code = text::FromUtf8(Utf8(field));
  std::string ascii;
  for (char16_t c : code) {
    if (c >= u'０' && c <= u'９') ascii += static_cast<char>('0' + (c - u'０'));
    if (c == u'－') ascii += '-';
    if ((c >= u'0' && c <= u'9') || c == u'-') ascii += static_cast<char>(c);
  }
  return ascii;
}

std::string Field(const std::string& line, char separator, int n) {
  size_t from = 0;
  for (; n > 0; --n) from = line.find(separator, from) + 1;
  return line.substr(from, line.find(separator, from) - from);
}

struct MonthCase {
  const char* name;
  const char* args;
  const char* output;
  const char* additions;
  const char* removals;
  int header_lines;
  char separator;  // between a line's fields
  int code_field;  // the field that is the postal code
  bool mozc;
};

class TwoMonths : public ::testing::TestWithParam<MonthCase> {};

void PutMonth(const fs::path& home, const fs::path& zips) {
  fs::remove_all(home / "CSV_IN");
  fs::create_directories(home / "CSV_IN");
  for (const char* zip : {"ken_all.zip", "jigyosyo.zip"}) fs::copy_file(zips / zip, home / "CSV_IN" / zip);
}

TEST_P(TwoMonths, ChangeFilesHoldWhatTheOutputsDifferIn) {
  const MonthCase& c = GetParam();
  const fs::path home = FreshProgramFolder(std::string("changes_") + c.name);
  const fs::path out = home / "CSV_OUT";
  PutMonth(home, fs::path(JAPANPOST_ZIP_DIR) / "2025-08");
  ASSERT_EQ(RunTessivar(home, c.args).exit_code, 0);
  const std::vector<std::string> old_lines = Lines(ReadBytes(out / c.output));
  PutMonth(home, JAPANPOST_ZIP_DIR);
  const BatchRun run = RunTessivar(home, c.args);
  ASSERT_EQ(run.exit_code, 0) << run.err;
  const std::vector<std::string> new_lines = Lines(ReadBytes(out / c.output));

  // Independently: the sorted data lines of both, their differences.
  const auto header = static_cast<ptrdiff_t>(c.header_lines);
  const std::vector<std::string> old_data(old_lines.begin() + header, old_lines.end());
  const std::vector<std::string> new_data(new_lines.begin() + header, new_lines.end());
  std::vector<std::string> old_sorted = old_data, new_sorted = new_data, added, removed;
  std::sort(old_sorted.begin(), old_sorted.end());
  std::sort(new_sorted.begin(), new_sorted.end());
  std::set_difference(new_sorted.begin(), new_sorted.end(), old_sorted.begin(), old_sorted.end(),
                      std::back_inserter(added));
  std::set_difference(old_sorted.begin(), old_sorted.end(), new_sorted.begin(), new_sorted.end(),
                      std::back_inserter(removed));
  ASSERT_FALSE(added.empty() || removed.empty());
  EXPECT_NE(run.out.find("郵便番号データを " + std::to_string(new_data.size()) +
                         " 件 作成しました。 前回の出力から 追加 " + std::to_string(added.size()) +
                         " 件、削除 " + std::to_string(removed.size()) + " 件 です。\n"),
            std::string::npos)
      << run.out;
  std::cout << c.name << ": " << added.size() << " added, " << removed.size() << " removed of "
            << new_data.size() << " lines\n";

  // Each file: the new output's header, then its lines in the order of its output.
  const std::vector<std::string> head(new_lines.begin(), new_lines.begin() + header);
  std::vector<std::string> expected = head;
  for (const std::string& line : Lacking(new_data, old_data)) expected.push_back(line);
  EXPECT_TRUE(ReadBytes(out / c.additions) == Joined(expected));
  expected = head;
  for (const std::string& line : Lacking(old_data, new_data)) expected.push_back(line);
  EXPECT_TRUE(ReadBytes(out / c.removals) == Joined(expected));

  // 変更一覧.CSV: one row per code of a line added or removed, in code order,
  // its kind by which of the two it has.
  std::map<std::string, std::set<char>> sides;
  for (const std::string& line : added) sides[AsciiCode(Field(line, c.separator, c.code_field))].insert('+');
  for (const std::string& line : removed)
    sides[AsciiCode(Field(line, c.separator, c.code_field))].insert('-');
  const std::vector<std::string> rows = Lines(Utf8(ReadBytes(out / "変更一覧.CSV")));
  ASSERT_EQ(rows.size(), sides.size() + 1);
  EXPECT_EQ(rows[0],
            std::string("\"郵便番号\",\"種別\",\"前回の ") + c.output + "\",\"今回の " + c.output + "\"");
  size_t row = 1;
  for (const auto& [code, kinds] : sides) {
    const std::string kind = kinds.size() == 2 ? "変更" : kinds.count('+') ? "追加" : "削除";
    const std::string start = "\"" + code + "\",\"" + kind + "\",";
    EXPECT_EQ(rows[row++].substr(0, start.size()), start);
  }
  if (c.separator == '\t') {  // a word-list entry's words: the word, the comment in brackets
    EXPECT_NE(
        std::find(
            rows.begin(), rows.end(),
            "\"059-1374\",\"変更\",\"苫小牧市晴海町（１～４２番地）\",\"苫小牧市晴海町（４３番地を除く）\""),
        rows.end());
  }
  std::set<std::string> left;
  for (const auto& entry : fs::directory_iterator(out)) left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{c.output, c.additions, c.removals, "変更一覧.CSV",
                                         fs::path(c.output).stem().string() + "_作成条件.TXT"}));

  if (c.mozc) {  // the additions import into Mozc as the whole list does
    const MozcImport mozc = CheckMozcImport(Utf8(ReadBytes(out / c.additions)));
    EXPECT_EQ(mozc.entries, static_cast<long>(added.size()));
    EXPECT_TRUE(mozc.refused.empty()) << mozc.refused.front();
  }
  fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(
    RealData, TwoMonths,
    ::testing::Values(MonthCase{"word_list", "--purpose ime --yes", "ZIP.TXT", "ZIP_追加.TXT", "ZIP_削除.TXT",
                                7, '\t', 0, false},
                      MonthCase{"word_list_mozc", "--purpose ime --ime-target mozc --yes", "ZIP.TXT",
                                "ZIP_追加.TXT", "ZIP_削除.TXT", 7, '\t', 0, true},
                      MonthCase{"csv_text", "--purpose csv --column-names --yes", "ZIPDATA.CSV",
                                "ZIPDATA_追加.CSV", "ZIPDATA_削除.CSV", 1, ',', 2, false}),
    [](const auto& instance) { return std::string(instance.param.name); });

// Three records, and the month after: one gone, one renamed, one new.
const char kFirstMonth[] =
    "01101,\"064  "
    "\",\"0640941\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｱｻﾋｶﾞｵｶ\",\"北海道\",\"札幌市中央区\",\"旭ケ丘\","
    "0,0,1,0,0,0\n"
    "13101,\"102  "
    "\",\"1020072\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｲﾀﾞﾊﾞｼ\",\"東京都\",\"千代田区\",\"飯田橋\",0,0,1,0,0,0\n"
    "13101,\"102  "
    "\",\"1020082\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲﾁﾊﾞﾝﾁｮｳ\",\"東京都\",\"千代田区\",\"一番町\",0,0,0,0,0,0\n";
const char kSecondMonth[] =
    "13101,\"100  "
    "\",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0\n"
    "13101,\"102  "
    "\",\"1020072\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｲﾀﾞﾊﾞｼﾆｼ\",\"東京都\",\"千代田区\",\"飯田橋西\",0,0,1,0,0,0\n"
    "13101,\"102  "
    "\",\"1020082\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲﾁﾊﾞﾝﾁｮｳ\",\"東京都\",\"千代田区\",\"一番町\",0,0,0,0,0,0\n";

const char kHeader[] =
    "!Microsoft IME Dictionary Tool 98\n!Version:1.0\n!Format:WORDLIST\n!User Dictionary Name:\n"
    "!Output File Name:\n!DateTime:<date>\n\n";

struct Step {
  const char* what;
  std::function<void(const fs::path& out)> arrange;
  const char* args;
  int exit_code;
  const char* second_line;                           // after the count message; "" for none
  std::set<std::string> files;                       // CSV_OUT afterwards
  std::map<std::string, std::string> contents = {};  // UTF-8, "<date>" for the run's date
};

const std::set<std::string> kOutputAndRecord = {"ZIP.TXT", "ZIP_作成条件.TXT"};
const std::set<std::string> kCompared = {"ZIP.TXT", "ZIP_作成条件.TXT", "ZIP_追加.TXT", "ZIP_削除.TXT",
                                         "変更一覧.CSV"};

void Month(const fs::path& out, const char* records) {
  WriteCp932(out.parent_path() / "CSV_IN" / "KEN_ALL.CSV", records);
}

std::string WithDate(std::string utf8, const std::string& cp932_output) {
  const std::string output = Utf8(cp932_output);
  const size_t at = output.find("!DateTime:");
  if (at != std::string::npos) {
    const size_t from = at + 10;
    const std::string date = output.substr(from, output.find('\r', from) - from);
    for (size_t p = utf8.find("<date>"); p != std::string::npos; p = utf8.find("<date>"))
      utf8.replace(p, 6, date);
  }
  return utf8;
}

const Step kSteps[] = {
    {"first run", [](const fs::path& out) { Month(out, kFirstMonth); }, "--purpose ime --yes", 0,
     "前回の出力がないため、比較しませんでした。", kOutputAndRecord},
    {"next month",
     [](const fs::path& out) { Month(out, kSecondMonth); },
     "--purpose ime --yes",
     0,
     "前回の出力から 追加 2 件、削除 2 件 です。",
     kCompared,
     {{"ZIP_追加.TXT", std::string(kHeader) + "１００－０００１\t千代田区千代田\t地名その他\n"
                                              "１０２－００７２\t千代田区飯田橋西\t地名その他\n"},
      {"ZIP_削除.TXT", std::string(kHeader) + "０６４－０９４１\t札幌市中央区旭ケ丘\t地名その他\n"
                                              "１０２－００７２\t千代田区飯田橋\t地名その他\n"},
      {"変更一覧.CSV",
       "\"郵便番号\",\"種別\",\"前回の ZIP.TXT\",\"今回の ZIP.TXT\"\n"
       "\"064-0941\",\"削除\",\"札幌市中央区旭ケ丘\",\"\"\n"
       "\"100-0001\",\"追加\",\"\",\"千代田区千代田\"\n"
       "\"102-0072\",\"変更\",\"千代田区飯田橋\",\"千代田区飯田橋西\"\n"}}},
    {"the same month again",
     [](const fs::path&) {},
     "--purpose ime --yes",
     0,
     "前回の出力と同じです。",
     kCompared,
     {{"ZIP_追加.TXT", kHeader},
      {"ZIP_削除.TXT", kHeader},
      {"変更一覧.CSV", "\"郵便番号\",\"種別\",\"前回の ZIP.TXT\",\"今回の ZIP.TXT\"\n"}}},
    {"a run that fails leaves everything as it was",
     [](const fs::path& out) {
       std::ofstream(out.parent_path() / "CSV_IN" / "KEN_ALL.CSV", std::ios::trunc);
     },
     "--purpose ime --yes", 1, "", kCompared},
    {"other options", [](const fs::path& out) { Month(out, kFirstMonth); },
     "--purpose ime --ime-target mozc --yes", 0, "前回の出力は作成条件が異なるため、比較しませんでした。",
     kOutputAndRecord},
    {"same options again", [](const fs::path& out) { Month(out, kSecondMonth); },
     "--purpose ime --ime-target mozc --yes", 0, "前回の出力から 追加 2 件、削除 2 件 です。", kCompared},
    {"the output edited since",
     [](const fs::path& out) { std::ofstream(out / "ZIP.TXT", std::ios::app | std::ios::binary) << "x\r\n"; },
     "--purpose ime --ime-target mozc --yes", 0,
     "前回の出力は作成後に書き換えられているため、比較しませんでした。", kOutputAndRecord},
    {"a damaged record",
     [](const fs::path& out) {
       std::ofstream(out / "ZIP_作成条件.TXT", std::ios::binary) << "output=ZIP.TXT\r\n";
     },
     "--purpose ime --ime-target mozc --yes", 0,
     "前回の出力の作成条件が記録されていないため、比較しませんでした。", kOutputAndRecord},
    {"no comparison wanted, a second name left by a killed run",
     [](const fs::path& out) { std::ofstream(out / "ZIP.TXT.前回-99999") << "old"; },
     "--purpose ime --ime-target mozc --no-changes --yes", 0, "", kOutputAndRecord},
    {"a change file that cannot be put in place",
     [](const fs::path& out) {
       Month(out, kFirstMonth);
       fs::create_directories(out / "ZIP_追加.TXT" / "kept");
     },
     "--purpose ime --ime-target mozc --yes",
     0,
     "<out>/ZIP_追加.TXT: Is a directory を作成できません。 前回の出力との比較ファイルは作成しませんでした。"
     "ZIP_追加.TXT はファイルではないため、削除できません。",
     {"ZIP.TXT", "ZIP_作成条件.TXT", "ZIP_追加.TXT"}},
    {"no old output",
     [](const fs::path& out) {
       fs::remove_all(out / "ZIP_追加.TXT");
       fs::remove(out / "ZIP.TXT");
     },
     "--purpose ime --ime-target mozc --yes", 0, "前回の出力がないため、比較しませんでした。",
     kOutputAndRecord},
};

// One folder, run after run: the change files are only ever beside the
// output they describe, and are made only from an old output known to have
// been made with the same options.
TEST(ChangeFiles, OnlyBesideTheOutputTheyDescribe) {
  const fs::path home = FreshProgramFolder("changes_run_after_run");
  const fs::path out = home / "CSV_OUT";
  fs::create_directories(out);
  for (const Step& step : kSteps) {
    SCOPED_TRACE(step.what);
    std::map<std::string, std::string> before;
    for (const auto& entry : fs::directory_iterator(out)) {
      if (entry.is_regular_file()) before[entry.path().filename().string()] = ReadBytes(entry.path());
    }
    step.arrange(out);
    const BatchRun run = RunTessivar(home, step.args);
    EXPECT_EQ(run.exit_code, step.exit_code) << run.out << run.err;
    std::set<std::string> files;
    for (const auto& entry : fs::directory_iterator(out)) files.insert(entry.path().filename().string());
    EXPECT_EQ(files, step.files);
    if (step.exit_code != 0) {
      for (const auto& [name, bytes] : before) EXPECT_TRUE(ReadBytes(out / name) == bytes) << name;
      continue;
    }
    std::string second_line = step.second_line;
    for (size_t p = second_line.find("<out>"); p != std::string::npos; p = second_line.find("<out>"))
      second_line.replace(p, 5, out.string());
    const std::string counted = " 件 作成しました。";
    const size_t count = run.out.find(counted);
    ASSERT_NE(count, std::string::npos) << run.out;
    const size_t after = count + counted.size();
    EXPECT_EQ(run.out.substr(after, run.out.find('\n', after) - after),
              second_line.empty() ? "" : " " + second_line);
    const std::string output = ReadBytes(out / "ZIP.TXT");
    for (const auto& [name, utf8] : step.contents) {
      EXPECT_EQ(Utf8(ReadBytes(out / name)), Utf8(Cp932Bytes(WithDate(utf8, output)))) << name;
    }
  }
  // A CSV field set without the postal code as a column of its own gives
  // the two files of lines, and no 変更一覧.CSV.
  std::ofstream(home / "Tessivar.ini", std::ios::app | std::ios::binary) << Cp932Bytes("<町域>\n0,9,-1\n");
  Month(out, kSecondMonth);
  ASSERT_EQ(RunTessivar(home, "--purpose csv --field-set 町域 --yes").exit_code, 0);
  Month(out, kFirstMonth);
  const BatchRun csv = RunTessivar(home, "--purpose csv --field-set 町域 --yes");
  EXPECT_NE(csv.out.find(" 前回の出力から 追加 2 件、削除 2 件 です。\n"), std::string::npos) << csv.out;
  EXPECT_EQ(Utf8(ReadBytes(out / "ZIPDATA_追加.CSV")), "\"旭ケ丘\"\r\n\"飯田橋\"\r\n");
  EXPECT_EQ(Utf8(ReadBytes(out / "ZIPDATA_削除.CSV")), "\"千代田\"\r\n\"飯田橋西\"\r\n");
  EXPECT_FALSE(fs::exists(out / "変更一覧.CSV"));
  EXPECT_TRUE(fs::exists(out / "ZIP_作成条件.TXT"));  // the word list's own files stay
}

}  // namespace
}  // namespace tessivar::e2e
