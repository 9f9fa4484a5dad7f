// The correction-table generator on bad tables: each is refused with its
// file, the line at fault and the reason, and nothing is written.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Result {
  int status;
  std::string err;
};

// Runs the generator on table (the lines after the header) and collects
// what it says.
Result Generate(const std::string& kind, const std::string& name, const std::string& table) {
  const fs::path dir = fs::path(PROJECT_BINARY_DIR) / "correction_table_gen_test";
  fs::create_directories(dir);
  const fs::path input = dir / (name + ".tsv"), output = dir / (name + ".inc"), err = dir / (name + ".err");
  fs::remove(output);
  std::ofstream(input) << "id\taction\tfield\tmatch\ttext\tto\tnote\n" << table;
  const std::string command = std::string(CORRECTION_TABLE_GEN) + " " + kind + " " + input.string() + " " +
                              output.string() + " Test 2>" + err.string();
  const int status = std::system(command.c_str());
  std::ifstream in(err);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(fs::exists(output), status == 0) << name;
  return {status, text};
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

}  // namespace
