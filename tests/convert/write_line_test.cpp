// The word-list line and the CSV line: columns, comment rule, length cut,
// restored commas, code forms, and the comment variables the writers leave.
#include "convert/write/write_line.h"

#include <gtest/gtest.h>

#include "convert/emit_test_support.h"

namespace tessivar {
namespace {

using testing::EmitHarness;
using testing::U8;

std::u16string Repeat(std::u16string_view piece, int times) {
  std::u16string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

// --- Word list -------------------------------------------------------------

struct WordLineCase {
  const char* label;
  bool hyphen, with_prefecture, with_blank;
  std::u16string name;  // slot 16
  const char* expected;
};

TEST(WordListLineTest, ReadingWordAndPartOfSpeech) {
  const WordLineCase cases[] = {
      {"hyphen form", true, false, false, u"", "１００－０００５\t千代田区丸の内\t地名その他"},
      {"seven digits", false, false, false, u"", "１０００００５\t千代田区丸の内\t地名その他"},
      {"prefecture", true, true, false, u"", "１００－０００５\t東京都千代田区丸の内\t地名その他"},
      {"prefecture and blank", true, true, true, u"", "１００－０００５\t東京都　千代田区丸の内\t地名その他"},
      {"business office", true, false, false, u"株式会社　某",
       "１００－０００５\t千代田区丸の内\u3000株式会社　某\t地名その他"},
      {"business office, prefecture and blank", true, true, true, u"某",
       "１００－０００５\t東京都　千代田区丸の内　某\t地名その他"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(Purpose::kWordList);
    h.ctx.run.options.hyphen = c.hyphen;
    h.ctx.run.options.with_prefecture = c.with_prefecture;
    h.ctx.run.options.with_blank = c.with_blank;
    h.Address(u"1000005", u"東京都", u"千代田区", u"丸の内");
    h.ctx.reader.ZipRec[kCompanyKanji] = c.name;
    std::u16string word = u"千代田区丸の内", comment, tail;
    WordListBuffers buffers;
    F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
    ASSERT_EQ(h.lines().size(), 1u);
    EXPECT_EQ(U8(h.lines()[0]), c.expected);  // no fourth column, no trailing TAB
    EXPECT_EQ(h.ctx.run.G_RecordCount, 1);
  }
}

// The reading for each input method and code form; the other columns are the
// same for both.
TEST(WordListLineTest, ReadingByInputMethodAndCodeForm) {
  const struct {
    ImeTarget target;
    bool hyphen;
    const char* reading;
  } cases[] = {
      {ImeTarget::kMsIme, true, "０６０－８５５４"},
      {ImeTarget::kMsIme, false, "０６０８５５４"},
      {ImeTarget::kMozc, true, "060-8554"},
      {ImeTarget::kMozc, false, "0608554"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reading);
    EmitHarness h(Purpose::kWordList);
    h.ctx.run.options.ime_target = c.target;
    h.ctx.run.options.hyphen = c.hyphen;
    h.Address(u"0608554", u"北海道", u"札幌市中央区", u"北一条西");
    h.ctx.reader.ZipRec[kCompanyKanji] = u"某所";
    std::u16string word = u"札幌市中央区北一条西", comment = u"（６丁目）", tail;
    WordListBuffers buffers;
    F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
    ASSERT_EQ(h.lines().size(), 1u);
    EXPECT_EQ(U8(h.lines()[0]), std::string(c.reading) + "\t札幌市中央区北一条西　某所\t地名その他\t６丁目");
  }
}

// A list of several 番地 ranges gives its town with the whole list as the
// comment once per range (0920171 美富（１２７～１５１、１８３～５７９番地）):
// an entry identical to one written before in the run is not written again,
// nor counted, while the comment rule still applies to it.
TEST(WordListLineTest, AnEntryAlreadyWrittenIsNotWrittenAgain) {
  EmitHarness h(Purpose::kWordList);
  h.Address(u"0920171", u"北海道", u"網走郡美幌町", u"美富（１２７～１５１、１８３～５７９番地）");
  const struct {
    const char16_t* word;
    const char16_t* comment;
  } writes[] = {
      {u"網走郡美幌町美富", u"１２７～１５１、１８３～５７９番地"},
      {u"網走郡美幌町美富", u"１２７～１５１、１８３～５７９番地"},
      {u"網走郡美幌町美富", u"（１８３～５７９番地）"},  // another comment: another entry
      {u"網走郡美幌町美富", u"（１８３～５７９番地）"},
      {u"網走郡美幌町", u"１２７～１５１、１８３～５７９番地"},
  };
  std::vector<std::string> comments_after;
  for (const auto& w : writes) {
    std::u16string word = w.word, comment = w.comment, tail;
    WordListBuffers buffers;
    F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
    comments_after.push_back(U8(comment));
  }
  ASSERT_EQ(h.lines().size(), 3u);
  EXPECT_EQ(U8(h.lines()[1]), "０９２－０１７１\t網走郡美幌町美富\t地名その他\t１８３～５７９番地");
  EXPECT_EQ(U8(h.lines()[2]),
            "０９２－０１７１\t網走郡美幌町\t地名その他\t１２７～１５１、１８３～５７９番地");
  EXPECT_EQ(h.ctx.run.G_RecordCount, 3);
  EXPECT_EQ(comments_after[3], "１８３～５７９番地");
}

struct CommentCase {
  const char* label;
  std::u16string comment, tail;
  const char* written;        // fourth column
  const char* comment_after;  // the comment variable after the call
};

TEST(WordListLineTest, CommentRule) {
  const CommentCase cases[] = {
      {"bracket prefix stripped", u"（次のビルを除く）", u"", "次のビルを除く", "次のビルを除く"},
      {"keep marker", u"（次のビルを除く）", u"notCompless", "（次のビルを除く）", "（次のビルを除く）"},
      {"tail appended", u"（地階・階層不明）", u"を除く", "地階・階層不明を除く", "地階・階層不明"},
      {"every occurrence of the prefix", u"大通（１丁目）、大通（２丁目）", u"", "１丁目、２丁目",
       "１丁目、２丁目"},
      {"no opening bracket keeps closing ones", u"Ａ）Ｂ", u"", "Ａ）Ｂ", "Ａ）Ｂ"},
      {"commas restored", u"Ａ＠Ｂ", u"＠", "Ａ、Ｂ、", "Ａ、Ｂ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(Purpose::kWordList);
    h.Address(u"0600000", u"北海道", u"札幌市", u"大通");
    std::u16string word = u"札幌市大通", comment = c.comment, tail = c.tail;
    WordListBuffers buffers;
    F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
    ASSERT_EQ(h.lines().size(), 1u);
    auto columns = EmitHarness::Columns(h.lines()[0]);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(U8(columns[3]), c.written);
    EXPECT_EQ(U8(comment), c.comment_after);
  }
}

TEST(WordListLineTest, LongCommentIsNarrowedAndCut) {
  // 70 characters: 35 times "Ａ～"; narrowed, "~" becomes "ｶﾗ".
  const std::u16string comment70 = Repeat(u"Ａ～", 35);
  struct Case {
    const char* label;
    std::u16string comment, tail, expected;
  } cases[] = {
      {"no tail: 60 characters and \" 他\"", comment70, u"", Repeat(u"Aｶﾗ", 20) + u" 他"},
      {"tail: 56 characters, \" 他 \" and the tail", comment70, u"を除く",
       Repeat(u"Aｶﾗ", 18) + u"Aｶ 他 を除く"},
      {"64 in all: unchanged", Repeat(u"Ａ", 61), u"を除く", Repeat(u"Ａ", 61) + u"を除く"},
      {"65 in all, nothing to cut: marker still added", Repeat(u"Ａ", 50), Repeat(u"ｘ", 15),
       Repeat(u"A", 50) + u" 他 " + Repeat(u"ｘ", 15)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(Purpose::kWordList);
    h.Address(u"0600000", u"北海道", u"札幌市", u"大通");
    std::u16string word = u"札幌市大通", comment = c.comment, tail = c.tail;
    WordListBuffers buffers;
    F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
    ASSERT_EQ(h.lines().size(), 1u);
    EXPECT_EQ(U8(EmitHarness::Columns(h.lines()[0])[3]), U8(c.expected));
  }
}

TEST(WordListLineTest, OtherAreaRecordClearsItsCommentAfterWriting) {
  EmitHarness h(Purpose::kWordList);
  h.Address(u"0600000", u"北海道", u"札幌市", u"大通（その他）");
  std::u16string word = u"札幌市大通", comment = u"「大通」の地域", tail;
  WordListBuffers buffers;
  F_郵便番号SUB(h.ctx.run, h.ctx.reader.ZipRec, word, comment, tail, buffers);
  ASSERT_EQ(h.lines().size(), 1u);
  EXPECT_EQ(U8(EmitHarness::Columns(h.lines()[0])[3]), "「大通」の地域");
  EXPECT_TRUE(comment.empty());
}

TEST(WordListLineTest, LetsTheWindowsRepaintAfterEveryLine) {
  struct CountingDialogs : ScriptedDialogs {
    void ProcessEvents() override { ++yields; }
    int yields = 0;
  } dialogs;
  MemorySink sink;
  ConvertContext ctx(RunOptions{}, InputFiles{}, dialogs);
  ctx.run.output = &sink;
  ctx.reader.ZipRec[kPostalCode] = u"0600000";
  for (const char16_t* town : {u"大通東", u"大通西", u"大通南"}) {
    std::u16string word = town, comment, tail;
    WordListBuffers buffers;
    F_郵便番号SUB(ctx.run, ctx.reader.ZipRec, word, comment, tail, buffers);
  }
  EXPECT_EQ(dialogs.yields, 3);
  EXPECT_EQ(sink.lines.size(), 3u);
}

// --- CSV -------------------------------------------------------------------

// Writes one CSV line with the given field list for an address record.
struct CsvRun {
  explicit CsvRun(std::initializer_list<const char16_t*> fields, bool hyphen = true) : h(Purpose::kCsv) {
    h.ctx.run.options.hyphen = hyphen;
    h.Address(u"1000005", u"東京都", u"千代田区", u"丸の内");
    h.ctx.reader.ZipRec[kLocalCode] = u"13101";
    h.ctx.reader.ZipRec[kOldCode] = u"100  ";
    h.ctx.reader.ZipRec[kPrefKana] = u"ﾄｳｷｮｳﾄ";
    h.ctx.reader.ZipRec[kCityKana] = u"ﾁﾖﾀﾞｸ";
    h.ctx.reader.ZipRec[kTownKana] = u"ﾏﾙﾉｳﾁ";
    h.Fields(fields);
  }
  std::string Write() {
    F_WriteCsvLine(h.ctx.run, CsvItems(h.ctx.run.G_SelFields), h.ctx.reader.ZipRec, town, comment, tail,
                   town_kana, comment_kana, tail_kana, line);
    EXPECT_EQ(h.lines().size(), 1u);
    return h.lines().empty() ? std::string() : U8(h.lines().back());
  }
  EmitHarness h;
  std::u16string town = u"丸の内", comment, tail, town_kana = u"ﾏﾙﾉｳﾁ", comment_kana, tail_kana, line;
};

TEST(CsvLineTest, SeparatorsStandOnlyWhereTheSetPutsThem) {
  CsvRun run({u"3", u"26", u"9", u"26", u"24", u"-1"});
  EXPECT_EQ(run.Write(), "\"100-0005\",\"丸の内\",");  // nothing for the empty comment
  EXPECT_EQ(run.h.ctx.run.G_RecordCount, 1);
}

TEST(CsvLineTest, PostalCodesInBothForms) {
  struct Case {
    const char* label;
    std::u16string old_code;
    bool hyphen;
    const char* expected;
  } cases[] = {
      {"three-digit old code, hyphen form", u"100  ", true, "\"100\",\"100-0005\""},
      {"five-digit old code, hyphen form", u"06441", true, "\"064-41\",\"100-0005\""},
      {"three-digit old code, seven digits", u"100  ", false, "\"100  \",\"1000005\""},
      {"five-digit old code, seven digits", u"06441", false, "\"06441\",\"1000005\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    CsvRun run({u"2", u"26", u"3"}, c.hyphen);
    run.h.ctx.reader.ZipRec[kOldCode] = c.old_code;
    EXPECT_EQ(run.Write(), c.expected);
  }
}

TEST(CsvLineTest, EveryRecordItem) {
  CsvRun run({u"1",  u"28", u"4",  u"5",  u"6",  u"7",  u"8",  u"9",  u"27", u"10", u"11", u"12", u"13",
              u"14", u"15", u"16", u"17", u"18", u"19", u"20", u"21", u"22", u"23", u"29", u"30"});
  auto& rec = run.h.ctx.reader.ZipRec;
  rec[kFlag1] = u"1", rec[kFlag2] = u"2", rec[kFlag3] = u"3", rec[kFlag4] = u"4", rec[kUpdate] = u"5",
  rec[kReason] = u"6";
  rec[kCompanyKana] = u"ｶﾅ", rec[kCompanyKanji] = u"某社";
  run.town = u"丸の内Ｘ", run.town_kana = u"ﾏﾙﾉｳﾁX";
  EXPECT_EQ(run.Write(),
            "13101 \"ﾄｳｷｮｳﾄ\"\"ﾁﾖﾀﾞｸ\"\"ﾏﾙﾉｳﾁX\"\"東京都\"\"千代田区\"\"丸の内Ｘ\"　656344123456"
            "\"ﾏﾙﾉｳﾁ\"\"丸の内\"\"ｶﾅ\"\"某社\"");
}

TEST(CsvLineTest, ListEndsAtTheMarkerOrTheLastIndex) {
  struct Case {
    const char* label;
    std::initializer_list<const char16_t*> fields;
    const char* expected;
  } cases[] = {
      {"stops at -1", {u"7", u"-1", u"8"}, "\"東京都\""},
      {"no marker: to the last index", {u"7", u"26", u"8"}, "\"東京都\",\"千代田区\""},
      {"numbers outside the catalogue and non-numbers write nothing",
       {u"0", u"31", u"-5", u"x", u"", u"7"},
       "\"東京都\""},
      {"an unknown set: empty line", {}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    CsvRun run(c.fields);
    EXPECT_EQ(run.Write(), c.expected);
  }
}

TEST(CsvLineTest, ProtectedCommasAreRestoredInTheLineNotInTheRecord) {
  CsvRun run({u"9", u"26", u"23", u"26", u"6", u"26", u"22", u"26", u"24", u"26", u"25"});
  run.h.ctx.reader.ZipRec[kTownKanji] = u"大通（Ａ＠Ｂ）";
  run.h.ctx.reader.ZipRec[kTownKana] = u"ｵｵﾄﾞｵﾘ(A@B)";
  run.town = u"大通Ａ＠Ｂ", run.town_kana = u"ｵｵﾄﾞｵﾘA@B";
  run.comment = u"Ｃ＠Ｄ", run.comment_kana = u"C@D";
  EXPECT_EQ(run.Write(),
            "\"大通Ａ、Ｂ\",\"大通（Ａ、Ｂ）\",\"ｵｵﾄﾞｵﾘA､B\",\"ｵｵﾄﾞｵﾘ(A､B)\",\"Ｃ、Ｄ\",\"C､D\"");
  EXPECT_EQ(U8(run.h.ctx.reader.ZipRec[kTownKanji]), "大通（Ａ＠Ｂ）");
  EXPECT_EQ(U8(run.h.ctx.reader.ZipRec[kTownKana]), "ｵｵﾄﾞｵﾘ(A@B)");
}

TEST(CsvLineTest, CommentItemsStripAndKeep) {
  struct Case {
    const char* label;
    std::initializer_list<const char16_t*> fields;
    std::u16string tail, tail_kana;
    const char* expected;
  } cases[] = {
      {"stripped, tails appended",
       {u"24", u"26", u"25"},
       u"を除く",
       u"ｦﾉｿﾞｸ",
       "\"次のビルを除く\",\"ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ\""},
      {"kana kept, kana item last",
       {u"24", u"26", u"25"},
       u"notCompless",
       u"notCompless",
       "\"（次のビル）\",\"(ﾂｷﾞﾉﾋﾞﾙ)\""},
      {"kana kept, kana item first",
       {u"25", u"26", u"24"},
       u"notCompless",
       u"notCompless",
       "\"(ﾂｷﾞﾉﾋﾞﾙ)\",\"（次のビル）\""},
      // The second item sees the values the first one left: the marker is
      // gone, so the comment is stripped this time.
      {"item twice", {u"24", u"26", u"24"}, u"notCompless", u"", "\"（次のビル）\",\"次のビル\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    CsvRun run(c.fields);
    run.comment = u"（次のビル）", run.comment_kana = u"(ﾂｷﾞﾉﾋﾞﾙ)";
    run.tail = c.tail, run.tail_kana = c.tail_kana;
    EXPECT_EQ(run.Write(), c.expected);
  }
}

TEST(CsvLineTest, ClosingBracketsGoEvenWithoutAnOpeningOne) {
  CsvRun run({u"24"});
  run.comment = u"Ａ）Ｂ";
  EXPECT_EQ(run.Write(), "\"ＡＢ\"");
}

TEST(CsvLineTest, OtherAreaRecordClearsBothComments) {
  CsvRun run({u"24", u"26", u"25"});
  run.h.ctx.reader.ZipRec[kTownKanji] = u"大通（その他）";
  run.comment = u"Ａ", run.comment_kana = u"A";
  EXPECT_EQ(run.Write(), "\"Ａ\",\"A\"");
  EXPECT_TRUE(run.comment.empty());
  EXPECT_TRUE(run.comment_kana.empty());
}

}  // namespace
}  // namespace tessivar
