// The record emitter: the last corrections before writing, the word length,
// the purposes, the last-record memory and the failure of a bad code.
#include "convert/emit/emit_record.h"

#include <gtest/gtest.h>

#include "convert/emit_test_support.h"

namespace tessivar {
namespace {

using testing::EmitHarness;
using testing::U8;

void SetTown(ConvertContext& ctx, std::u16string city, std::u16string town, std::u16string sub) {
  ctx.values.G_CityKanji = std::move(city);
  ctx.values.G_OutTownKanji = std::move(town);
  ctx.values.G_OutSubKanji = std::move(sub);
}

TEST(EmitterTest, AQuotedNoteOfASubAreaMovesIntoTheComment) {
  for (const char16_t* code : {u"9960301", u"9996652"}) {
    SCOPED_TRACE(U8(code));
    EmitHarness h(Purpose::kCsv);
    h.Address(code, u"山形県", u"市", u"町");
    h.Fields({u"9", u"26", u"24", u"26", u"25"});
    SetTown(h.ctx, u"", u"大字Ａ", u"Ｂ「Ｃを含む」");
    h.ctx.values.G_OutSubKana = u"B<C>";
    h.emitter().F_EmitRecord(h.ctx.values);
    EXPECT_EQ(U8(h.lines().at(0)), "\"大字ＡＢ\",\"「Ｃを含む」\",\"<C>\"");
    // The note stays with its own record: the next part of the list has none.
    SetTown(h.ctx, u"", u"大字Ａ", u"Ｄ");
    h.ctx.values.G_OutSubKana = u"D";
    h.emitter().F_EmitRecord(h.ctx.values);
    EXPECT_EQ(U8(h.lines().at(1)), "\"大字ＡＤ\",,");
  }
  // An office's sub-area is its street address, kept whole.
  EmitHarness office(Purpose::kCsv);
  office.Business(u"8188501", u"太宰府市", u"宰府「Ｃ」", u"事務所");
  office.Fields({u"9", u"26", u"24"});
  SetTown(office.ctx, u"", u"", u"宰府「Ｃ」");
  office.emitter().F_EmitRecord(office.ctx.values);
  EXPECT_EQ(U8(office.lines().at(0)), "\"宰府「Ｃ」\",");
}

// The floors a correction marks (narrow_floor) get half-width floor numbers
// in the word list.
TEST(EmitterTest, FloorNumbersOfMarkedRecordsAreNarrowed) {
  struct Case {
    const char* label;
    bool marked;
    Purpose purpose;
    std::u16string town;
    const char* expected_town;
  } cases[] = {
      {"marked", true, Purpose::kWordList, u"丸の内ビル（１０階）", "丸の内ビル（10階）"},
      {"not marked", false, Purpose::kWordList, u"丸の内ビル（９階）", "丸の内ビル（９階）"},
      {"CSV text", true, Purpose::kCsv, u"丸の内ビル（１５階）", "丸の内ビル（１５階）"},
      {"no floor mark: written unchanged", true, Purpose::kWordList, u"丸の内ビル（地階）",
       "丸の内ビル（地階）"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(c.purpose);
    h.Address(u"1006210", u"東京都", u"千代田区", u"丸の内");
    h.Fields({u"9"});
    SetTown(h.ctx, u"", c.town, u"");
    h.ctx.values.narrow_floor_number = c.marked;
    h.emitter().F_EmitRecord(h.ctx.values);
    ASSERT_EQ(h.lines().size(), 1u);
    EXPECT_EQ(U8(h.ctx.last.G_LastTownKanji), c.expected_town);
  }
}

TEST(EmitterTest, MarkedFloorsSkipTheShortening) {
  EmitHarness h(Purpose::kWordList, /*has_jigyosyo=*/true);
  h.Address(u"1006215", u"東京都", u"千代田区", u"丸の内");
  SetTown(h.ctx, u"千代田区", u"丸の内ビル（１５階）", u"（Ａ私書箱）");
  h.ctx.values.narrow_floor_number = true;
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_EQ(U8(EmitHarness::Columns(h.lines().at(0))[1]), "千代田区丸の内ビル（15階）（Ａ私書箱）");
}

TEST(EmitterTest, WordLongerThanThirtyIsNarrowed) {
  // L = city 2 + town 10 + sub-area + name + the blank before the name.
  const std::string wide_town = "ＡＢＣＤＥＦＧＨＩＪ", narrow_town = "ABCDEFGHIJ";
  auto repeat = [](const std::string& piece, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += piece;
    return out;
  };
  struct Case {
    const char* label;
    int sub_length;
    std::u16string name;
    std::string word;
  } cases[] = {
      {"30 in all: unchanged", 17, u"", "港区" + wide_town + repeat("Ａ", 17)},
      {"31 in all: narrowed", 18, u"", "港区" + narrow_town + repeat("A", 18)},
      {"the name counts", 12, u"６ＡＢＣＤＥ", "港区" + narrow_town + repeat("A", 12) + "　6ABCDE"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(Purpose::kWordList);
    h.Address(u"1050000", u"東京都", u"港区", u"");
    h.ctx.reader.ZipRec[kCompanyKanji] = c.name;
    SetTown(h.ctx, u"港区", FromUtf8(wide_town), std::u16string(c.sub_length, u'Ａ'));
    h.emitter().F_EmitRecord(h.ctx.values);
    EXPECT_EQ(U8(EmitHarness::Columns(h.lines().at(0))[1]), c.word);
  }
}

TEST(EmitterTest, ThirtyCharacterAddressPlusTheBlankIsNarrowed) {
  // City, town and sub-area of 30 characters with no name: 31 counts.
  EmitHarness h(Purpose::kWordList);
  h.Address(u"1050000", u"東京都", u"港区", u"");
  SetTown(h.ctx, std::u16string(10, u'Ａ'), std::u16string(10, u'Ｂ'), std::u16string(10, u'Ｃ'));
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_EQ(U8(EmitHarness::Columns(h.lines().at(0))[1]), "AAAAAAAAAABBBBBBBBBBCCCCCCCCCC");
  EXPECT_EQ(U8(h.ctx.values.G_CityKanji), "AAAAAAAAAA");  // the narrowed values stay
}

TEST(EmitterTest, WordIsTrimmedOfBothBlanks) {
  EmitHarness h(Purpose::kWordList);
  h.Address(u"1050000", u"東京都", u"港区", u"");
  SetTown(h.ctx, u"", u"　 芝公園", u" 　");
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_EQ(U8(EmitHarness::Columns(h.lines().at(0))[1]), "芝公園");
}

TEST(EmitterTest, ShorteningRunsOnlyForTheWordListWithTheBusinessFile) {
  struct Case {
    const char* label;
    Purpose purpose;
    bool has_jigyosyo;
    const char* last_town_comment;
  } cases[] = {
      {"word list with the business file", Purpose::kWordList, true, "太宰府支店私書箱第４号"},
      {"word list without it", Purpose::kWordList, false, ""},
      {"CSV text", Purpose::kCsv, true, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    EmitHarness h(c.purpose, c.has_jigyosyo);
    h.Address(u"8180000", u"福岡県", u"太宰府市", u"");
    h.Fields({u"9"});
    SetTown(h.ctx, u"太宰府市", u"観世音寺", u"１（太宰府支店私書箱第４号）");
    h.emitter().F_EmitRecord(h.ctx.values);
    ASSERT_EQ(h.lines().size(), 1u);
    EXPECT_EQ(U8(h.ctx.last.G_LastCommentKanji), c.last_town_comment);
  }
}

TEST(EmitterTest, LastRecordMemoryTakesWhatTheWriterWrote) {
  EmitHarness h(Purpose::kWordList);
  h.Address(u"0600000", u"北海道", u"札幌市", u"大通");
  SetTown(h.ctx, u"札幌市", u"大通", u"西");
  h.ctx.values.G_CommentKanji = u"（Ａを除く）";
  h.ctx.values.G_OutTownKana = u"ｵｵﾄﾞｵﾘ";
  h.ctx.values.G_CommentKana = u"(A)";
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_EQ(U8(h.ctx.last.G_LastTownKanji), "大通");
  EXPECT_EQ(U8(h.ctx.last.G_LastCommentKanji), "Ａを除く");
  EXPECT_EQ(U8(h.ctx.last.G_LastTownKana), "ｵｵﾄﾞｵﾘ");
  EXPECT_EQ(U8(h.ctx.last.G_LastCommentKana), "(A)");
  // The record's later lines start from the comment as this one wrote it.
  EXPECT_EQ(U8(h.ctx.values.G_CommentKanji), "Ａを除く");

  // A "その他" record hands on an empty comment.
  h.ctx.reader.ZipRec[kTownKanji] = u"大通（その他）";
  h.ctx.values.G_CommentKanji = u"「大通」の地域";
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_EQ(h.lines().size(), 2u);
  EXPECT_TRUE(h.ctx.last.G_LastCommentKanji.empty());
}

TEST(EmitterTest, NoPurposeWritesNothingButRemembers) {
  EmitHarness h(Purpose::kNone);
  h.Address(u"0600000", u"北海道", u"札幌市", u"大通");
  SetTown(h.ctx, u"札幌市", u"大通", u"");
  h.emitter().F_EmitRecord(h.ctx.values);
  EXPECT_TRUE(h.lines().empty());
  EXPECT_EQ(h.ctx.run.G_RecordCount, 0);
  EXPECT_EQ(U8(h.ctx.last.G_LastTownKanji), "大通");
}

TEST(EmitterTest, CodeThatIsNoNumberFailsTheRecord) {
  EmitHarness h(Purpose::kWordList);
  h.Address(u"06０0A00", u"北海道", u"札幌市", u"大通");
  SetTown(h.ctx, u"札幌市", u"大通", u"");
  EXPECT_THROW(h.emitter().F_EmitRecord(h.ctx.values), RuleError);
  EXPECT_TRUE(h.lines().empty());
  EXPECT_TRUE(h.ctx.last.G_LastTownKanji.empty());
}

TEST(EmitterTest, SwappedCallPutsTheSubAreaFirst) {
  EmitHarness h(Purpose::kCsv);
  h.Address(u"6040000", u"京都府", u"京都市中京区", u"");
  h.Fields({u"9", u"26", u"6"});
  SetTown(h.ctx, u"", u"東洞院通", u"石屋町");
  h.ctx.values.G_OutTownKana = u"ﾋｶﾞｼﾉﾄｳｲﾝﾄﾞｵﾘ";
  h.ctx.values.G_OutSubKana = u"ｲｼﾔﾁﾖｳ";
  h.emitter().F_EmitRecord(h.ctx.values, EmitOrder::kSubFirst);
  EXPECT_EQ(U8(h.lines().at(0)), "\"石屋町東洞院通\",\"ｲｼﾔﾁﾖｳﾋｶﾞｼﾉﾄｳｲﾝﾄﾞｵﾘ\"");
  // The remembered main name is the main name, not the sub-area written first.
  EXPECT_EQ(U8(h.ctx.last.G_LastTownKanji), "東洞院通");
  EXPECT_EQ(U8(h.ctx.last.G_LastTownKana), "ﾋｶﾞｼﾉﾄｳｲﾝﾄﾞｵﾘ");
}

}  // namespace
}  // namespace tessivar
