// The correction-table generator on bad tables: each is refused with its
// file, the line at fault and the reason, and nothing is written. Bad
// formats on tables of the test's own; bad values as slips made on real
// lines of the shipped tables.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string err;
};

// Runs the generator on the whole text of a table and collects what it says.
Result GenerateText(const std::string& kind, const std::string& name, const std::string& text) {
  const fs::path dir = fs::path(PROJECT_BINARY_DIR) / "correction_table_gen_test";
  fs::create_directories(dir);
  const fs::path input = dir / (name + ".tsv"), output = dir / (name + ".inc"), err = dir / (name + ".err");
  fs::remove(output);
  std::ofstream(input) << text;
  const std::string command = std::string(CORRECTION_TABLE_GEN) + " " + kind + " " + input.string() + " " +
                              output.string() + " Test 2>" + err.string();
  const int status = std::system(command.c_str());
  std::ifstream in(err);
  std::string said((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(fs::exists(output), status == 0) << name;
  return {status, said};
}

// The same for the lines after the header.
Result Generate(const std::string& kind, const std::string& name, const std::string& table) {
  return GenerateText(kind, name, "id\taction\tfield\tmatch\ttext\tto\tnote\n" + table);
}

// A sound town entry to build the bad ones from (lines 2 to 7).
const std::string kHead = "a\tkey\t新郵便番号\t\t0600070\na\tat\tA\n";
const std::string kMadeFor = "a\tmade_for\t町域名漢字\tequals\t本町\t\t札幌市中央区 本町\n";
const std::string kMain = "a\tset\tmain\t\t本\na\tset\tmain_kana\t\tﾎﾝ\n";
const std::string kEmitReturn = "a\temit\na\tend\treturn\n";

struct BadTable {
  const char* name;
  const char* kind;
  std::string lines;            // after the header, which is line 1
  std::string line_and_reason;  // what follows "<file>:"
};

TEST(CorrectionTableGen, SoundTableIsWritten) {
  Result r = Generate("town", "sound", kHead + kMadeFor + kMain + kEmitReturn);
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST(CorrectionTableGen, BadTablesFailWithFileLineAndReason) {
  const BadTable cases[] = {
      {"header", "town", "", ""},  // the header is replaced below
      {"cells", "town", kHead + "a\tmade_for\t町域名漢字\tequals\t本町\t\tnote\textra\n",
       "4: more than 7 cells"},
      {"action", "town", kHead + kMadeFor + "a\tdelete\tmain\n", "5: unknown action \"delete\""},
      {"field", "town", kHead + kMadeFor + "a\tset\tmian\t\t本\n", "5: unknown field \"mian\""},
      {"checkpoint", "town", "a\tkey\t新郵便番号\t\t0600070\na\tat\tG\n", "3: unknown checkpoint \"G\""},
      {"code", "town", "a\tkey\t新郵便番号\t\t060007\n", "2: 新郵便番号 must be 7 digits, found \"060007\""},
      {"old code", "town", kHead + "a\tkey\t旧郵便番号\t\t0287\n", "4: 旧郵便番号 must be 5 digits"},
      {"key after made_for", "town", kHead + kMadeFor + "a\tkey\t旧郵便番号\t\t02879\n",
       "5: key belongs before the entry's first made_for"},
      {"id twice", "town",
       kHead + kMadeFor + kMain + kEmitReturn + "b\tkey\t新郵便番号\t\t0600071\nb\tat\tA\n" +
           "b\tmade_for\t町域名漢字\tequals\t本町\t\tn\nb\tend\treturn\n" + kHead + kMadeFor +
           "a\tend\treturn\n",
       "13: entry a is already defined at line 2"},
      {"business code twice", "business",
       "a\tkey\t新郵便番号\t\t1000001\na\tmade_for\t会社名漢字\tcontains\tx\t\tn\na\tend\tgo_on\n"
       "b\tkey\t新郵便番号\t\t1000001\nb\tmade_for\t会社名漢字\tcontains\ty\t\tn\nb\tend\tgo_on\n",
       "5: code 1000001 already has its row at line 2"},
      {"alternative taken first", "town",
       kHead + "a\tmade_for\t町域名漢字\tcontains\t本\t\tn\n" + kMain + kEmitReturn +
           "a\tmade_for\t町域名漢字\tequals\t本町\t\tn\n" + kMain + kEmitReturn,
       "9: this alternative can never run: the alternative at line 4 runs first on every record it is made "
       "for"},
      {"step after the end", "town", kHead + kMadeFor + kMain + kEmitReturn + "a\temit\n",
       "9: emit can never run: it follows the end of its alternative"},
      {"emit outside an alternative", "town", kHead + "a\temit\n",
       "4: emit outside an alternative: a made_for line must come first"},
      {"missing end", "town", kHead + kMadeFor + kMain + "a\temit\n", "7: missing end"},
      {"missing end before an alternative", "town", kHead + kMadeFor + kMain + "a\temit\n" + kMadeFor,
       "8: missing end: the alternative before this made_for has no end line"},
      {"made_for without note", "town", kHead + "a\tmade_for\t町域名漢字\tequals\t本町\n",
       "4: made_for needs a note naming the record it was made for"},
      {"no made_for", "town", kHead + "a\twhen\t町域名漢字\tcontains\t本\na\temit\n",
       "5: the alternative needs its made_for line before its steps"},
      {"next_part outside the part loop", "town", kHead + kMadeFor + "a\tend\tnext_part\n",
       "5: next_part needs a checkpoint of the part loop"},
      {"number outside a series", "town", kHead + kMadeFor + "a\tset\tmain\t\t第{n}\n",
       "5: {n} stands only inside a series"},
      {"series backwards", "town", kHead + kMadeFor + "a\tseries\t\t\t5\t3\n",
       "5: a series must not run backwards"},
      {"series left open", "town", kHead + kMadeFor + "a\tseries\t\t\t1\t3\n" + kMain + kEmitReturn,
       "9: end inside an open series"},
      {"part before the parts exist", "town", kHead + kMadeFor + "a\tset\tpart2\t\t第\n",
       "5: a part is there from checkpoint C on"},
      {"stale main name", "town", kHead + kMadeFor + "a\tset\tsub\t\t東\n" + kEmitReturn,
       "6: at A and B the main name is not yet made"},
      {"comment left behind", "town",
       "a\tkey\t新郵便番号\t\t0600070\na\tat\tE\n" + kMadeFor + "a\tset\tcomment\t\t東\na\tend\tgo_on\n",
       "5: an alternative that goes on without emitting must not set comments or tails"},
      {"word-list row emits", "business_word_list",
       "a\tkey\t新郵便番号\t\t1000001\na\tmade_for\t会社名漢字\tcontains\tx\t\tn\na\temit\n",
       "4: the word-list rows do not emit"},
      {"business row returns", "business",
       "a\tkey\t新郵便番号\t\t1000001\na\tmade_for\t会社名漢字\tcontains\tx\t\tn\na\tend\treturn\n",
       "4: a business-office row ends with go_on"},
      {"business row with a checkpoint", "business", "a\tkey\t新郵便番号\t\t1000001\na\tat\tA\n",
       "3: business-office rows have no checkpoint"},
  };
  for (const BadTable& c : cases) {
    SCOPED_TRACE(c.name);
    std::string name = c.name;
    for (char& ch : name) ch = ch == ' ' ? '_' : ch;
    Result r;
    std::string expected;
    if (name == "header") {
      // A table whose header names other columns.
      const fs::path dir = fs::path(PROJECT_BINARY_DIR) / "correction_table_gen_test";
      fs::create_directories(dir);
      std::ofstream(dir / "header.tsv") << "# a comment\nid\taction\tfield\ttext\n";
      const std::string command = std::string(CORRECTION_TABLE_GEN) + " town " +
                                  (dir / "header.tsv").string() + " " + (dir / "header.inc").string() +
                                  " Test 2>" + (dir / "header.err").string();
      r.status = std::system(command.c_str());
      std::ifstream in(dir / "header.err");
      r.err.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      expected = "header.tsv:2: the header must name the columns";
    } else {
      r = Generate(c.kind, name, c.lines);
      expected = name + ".tsv:" + c.line_and_reason;
    }
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(expected), std::string::npos) << "expected: " << expected << "\nfound: " << r.err;
  }
}

// A slip in a value, made on a real line of a shipped table: the kinds that
// passed the build unseen before the generator looked at what values hold.
struct Slip {
  const char* name;
  const char* table;  // a file of src/convert/tables
  const char* kind;   // its kind for the generator
  std::string line;   // a whole line of the table ...
  std::string slip;   // ... as the slip writes it
  std::string at;     // the line the fault is reported at; empty: the slip's own
  std::string reason;
};

// The number (from 1) of the first line of text that is line; 0 when none is.
int LineNumber(const std::string& text, const std::string& line) {
  std::istringstream in(text);
  int number = 0;
  for (std::string l; std::getline(in, l);) {
    ++number;
    if (l == line) return number;
  }
  return 0;
}

TEST(CorrectionTableGen, SlipsOnShippedLinesAreRefused) {
  const char* town = "town_corrections.tsv";
  const Slip slips[] = {
      {"transposed kana digits", town, "town", "A-3812241\tset\tsub_kana\t\tｵﾂ956ﾊﾞﾝﾁ",
       "A-3812241\tset\tsub_kana\t\tｵﾂ965ﾊﾞﾝﾁ", "", "the kana value \"ｵﾂ965ﾊﾞﾝﾁ\" lacks the number 956"},
      {"a series one too far", town, "town", "B-0287903\tseries\t\t\t1\t2", "B-0287903\tseries\t\t\t1\t3", "",
       "the series runs into the record set at line"},
      {"a series past the record's range", town, "town", "B-0287903\tseries\t\t\t1\t2",
       "B-0287903\tseries\t\t\t1\t4", "", "the series runs from 1 to 4, past the range the record names"},
      {"kanji in a kana field", town, "town", "A-7614103\tset\tmain_kana\t\tｺｳｵｵｷﾄﾞ",
       "A-7614103\tset\tmain_kana\t\t甲ｵｵｷﾄﾞ", "", "main_kana is a kana field: \"甲\""},
      {"full-width digits in a kana field", town, "town", "A-3812241\tset\tsub_kana\t\tｵﾂ956ﾊﾞﾝﾁ",
       "A-3812241\tset\tsub_kana\t\tｵﾂ９５６ﾊﾞﾝﾁ", "", "sub_kana is a kana field: \"９\""},
      {"a reading in a kanji field", town, "town", "A-3812241\tset\tsub\t\t乙９５６番地",
       "A-3812241\tset\tsub\t\tｵﾂ956ﾊﾞﾝﾁ", "", "sub is a kanji field: \"ｵ\""},
      {"part7 of a 2-part list", town, "town", "E-9480011\tprefix\tpart2\t\t第",
       "E-9480011\tprefix\tpart7\t\t第", "",
       "part 7 is past the record's list: \"新座（第３、４）\" has 2 parts"},
      {"an entry under the wrong checkpoint", town, "town", "F2-1690052\tat\tF2", "F2-1690052\tat\tF3",
       "F2-1690052\tmade_for\t町域名漢字\tequals\t戸山（３丁目１８・２１番）\t\t1690052 新宿区 "
       "戸山（３丁目１８・２１番） "
       "(KEN_ALL 2026-05, 2025-08)",
       "checkpoint F3 is for a part with a range \"～\""},
      {"a condition its record does not meet", town, "town", "F2-9420083\twhen\tpart\tstarts_with\t４の２",
       "F2-9420083\twhen\tpart\tstarts_with\t４の３", "", "no record of the wording"},
      {"a series on one side only", town, "town", "F1-0802333\tset\tsub_kana\t\tﾆｼ{n}ｾﾝ",
       "F1-0802333\tset\tsub_kana\t\tﾆｼ5ｾﾝ", "", "the kana value takes other references"},
      {"a mistyped key", town, "town", "A-7614115\tkey\t新郵便番号\t\t7614115",
       "A-7614115\tkey\t新郵便番号\t\t7614151",
       "A-7614115\tmade_for\t町域名漢字\tequals\t甲、乙（小瀬）\t\t7614115 小豆郡土庄町 甲、乙（小瀬） "
       "(KEN_ALL 2026-05, 2025-08)",
       "the note names the record of 7614115, the key is 7614151"},
      {"a reading in full-width katakana", "business_fix_rows.tsv", "business",
       "9030215\tset\t会社名カタカナ\t\tﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ",
       "9030215\tset\t会社名カタカナ\t\tリュウキュウダイガク ｲｶﾞｸﾌﾞ", "",
       "会社名カタカナ is a kana field: \"リ\""},
  };
  for (const Slip& s : slips) {
    SCOPED_TRACE(s.name);
    std::ifstream in(fs::path(PROJECT_SOURCE_DIR) / "src/convert/tables" / s.table);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // The line stands once in the table, or the case no longer fits it.
    const auto at = text.find(s.line + "\n");
    ASSERT_NE(at, std::string::npos) << "not in " << s.table << ": " << s.line;
    ASSERT_EQ(text.find(s.line + "\n", at + 1), std::string::npos)
        << "twice in " << s.table << ": " << s.line;
    text.replace(at, s.line.size(), s.slip);
    const int reported = LineNumber(text, s.at.empty() ? s.slip : s.at);
    ASSERT_GT(reported, 0);
    std::string name = s.name;
    for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
    Result r = GenerateText(s.kind, name, text);
    const std::string expected = name + ".tsv:" + std::to_string(reported) + ": " + s.reason;
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.err.find(expected), std::string::npos) << "expected: " << expected << "\nfound: " << r.err;
  }
}

}  // namespace
