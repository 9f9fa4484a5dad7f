// The town-area steps before the part loop: duplicate suppression, city
// name, whole-area notes, plain towns, the old-code area "02955", siblings.
#include <gtest/gtest.h>

#include "text/cp932.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

// Word-list columns 2 and 4 (word and comment) of each written line.
std::vector<std::string> Words(TownHarness& harness) {
  std::vector<std::string> words;
  for (const auto& line : harness.sink.lines) {
    auto columns = Split(line, u"\t");
    std::string word = ToUtf8(columns.at(1));
    if (columns.size() > 3) word += " / " + ToUtf8(columns[3]);
    words.push_back(word);
  }
  harness.sink.lines.clear();
  return words;
}

TEST(TownDuplicates, OnlyTheFirstOfAPairReachesTheWordList) {
  const std::u16string yagi =
      u"27212,\"581  \",\"5810027\",\"ｵｵｻｶﾌ\",\"ﾔｵｼ\",\"ﾔｵｷﾞ\",\"大阪府\",\"八尾市\",\"八尾木\",0,0,1,1,0,0";
  const std::u16string yogi =
      u"27212,\"581  \",\"5810027\",\"ｵｵｻｶﾌ\",\"ﾔｵｼ\",\"ﾖｵｷﾞ\",\"大阪府\",\"八尾市\",\"八尾木\",0,0,0,1,0,0";
  const std::u16string kanigasaka =
      u"28203,\"673  "
      u"\",\"6730012\",\"ﾋｮｳｺﾞｹﾝ\",\"ｱｶｼｼ\",\"ｶﾆｶﾞｻｶ\",\"兵庫県\",\"明石市\",\"和坂\",0,0,0,1,0,0";
  const std::u16string wasaka =
      u"28203,\"673  \",\"6730012\",\"ﾋｮｳｺﾞｹﾝ\",\"ｱｶｼｼ\",\"ﾜｻｶ\",\"兵庫県\",\"明石市\",\"和坂\",0,0,1,1,0,0";
  TownHarness word_list(Purpose::kWordList);
  TownHarness csv(Purpose::kCsv);
  for (auto* harness : {&word_list, &csv}) {
    for (const auto& line : {yagi, yogi, kanigasaka, wasaka}) harness->Run(line);
  }
  EXPECT_EQ(Words(word_list), (std::vector<std::string>{"八尾市八尾木", "明石市和坂"}));
  EXPECT_EQ(csv.Take().size(), 4u);
}

// The kana is compared as read: the real 5810027 records carry their
// parenthesised notes in the kana and are both written.
TEST(RealDataTownDuplicates, KanaComparedAsRead) {
  TownHarness harness(Purpose::kWordList);
  for (const auto& record : RealRecords(u"5810027")) harness.Run(record);
  EXPECT_EQ(Words(harness), (std::vector<std::string>{"八尾市八尾木 / 丁目", "八尾市八尾木 / 大字"}));
}

TEST(TownCityName, SplitAfterCityOrDistrictWithTheBlankOption) {
  struct Case {
    std::u16string city;
    std::string word;
  } cases[] = {
      {u"札幌市中央区", "札幌市　中央区旭ケ丘"},
      {u"和賀郡西和賀町", "和賀郡　西和賀町旭ケ丘"},
      {u"八尾市", "八尾市　旭ケ丘"},
      {u"千代田区", "千代田区　旭ケ丘"},  // no 市 at position 2 or later
  };
  for (const auto& c : cases) {
    TownHarness harness(Purpose::kWordList, /*with_blank=*/true);
    auto record = AddressRecord(SapporoLine(u"0640941", u"ｱｻﾋｶﾞｵｶ", u"旭ケ丘"));
    record[kCityKanji] = c.city;
    harness.Run(record);
    EXPECT_EQ(Words(harness), std::vector<std::string>{c.word}) << ToUtf8(c.city);
  }
}

TEST(TownWholeAreaNotes, TheNoteIsTheComment) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600000", u"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ", u"以下に掲載がない場合"));
  harness.Run(SapporoLine(u"0482331", u"ｵﾀｼﾉｲﾁｴﾝ", u"忍路一円"));
  harness.Run(SapporoLine(u"0600090", u"ｶｸﾁﾉﾂｷﾞﾆﾊﾞﾝﾁｶﾞｸﾙﾊﾞｱｲ", u"各地の次に番地がくる場合"));
  harness.Run(SapporoLine(u"0600091", u"ｶｸﾁﾉﾂｷﾞﾆ1-9ﾊﾞﾝﾁｶﾞｸﾙﾊﾞｱｲ", u"各地の次に１～９番地がくる場合"));
  EXPECT_EQ(harness.Take(),
            (std::vector<std::string>{
                "\"0600000\",\"\",\"\",\"以下に掲載がない場合\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\"",
                "\"0482331\",\"\",\"\",\"忍路一円\",\"ｵﾀｼﾉｲﾁｴﾝ\"",
                "\"0600090\",\"\",\"\",\"各地の次に番地がくる場合\",\"ｶｸﾁﾉﾂｷﾞﾆﾊﾞﾝﾁｶﾞｸﾙﾊﾞｱｲ\"",
                "\"0600091\",\"\",\"\",\"各地の次に１～９番地がくる場合\",\"ｶｸﾁﾉﾂｷﾞﾆ1-9ﾊﾞﾝﾁｶﾞｸﾙﾊﾞｱｲ\""}));
  // The comment does not leak into the next record.
  harness.Run(SapporoLine(u"0600041", u"ｵｵﾄﾞｵﾘﾋｶﾞｼ", u"大通東"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{"\"0600041\",\"大通東\",\"ｵｵﾄﾞｵﾘﾋｶﾞｼ\",,"});
}

// "02955": a town without parentheses is still a list, with an empty main name.
TEST(TownOldCodeArea02955, WrappedIntoAList) {
  auto line = [](std::u16string code, std::u16string kana, std::u16string town) {
    return Concat(u"03366,\"02955\",\"", code, u"\",\"ｲﾜﾃｹﾝ\",\"ﾜｶﾞｸﾞﾝﾆｼﾜｶﾞﾏﾁ\",\"", kana,
                  u"\",\"岩手県\",\"和賀郡西和賀町\",\"", town, u"\",0,0,0,1,0,0");
  };
  TownHarness harness;
  harness.Run(line(u"0295511", u"ｳｴﾉﾉ39ﾁﾜﾘ", u"上野々３９地割"));
  harness.Run(line(u"0295503", u"ｱﾅｱｹ22ﾁﾜﾘ､ｱﾅｱｹ23ﾁﾜﾘ", u"穴明２２地割、穴明２３地割"));
  harness.Run(line(u"0295523", u"ｴｯﾁｭｳﾊﾀ64ﾁﾜﾘ-ｴｯﾁｭｳﾊﾀ66ﾁﾜﾘ", u"越中畑６４地割～越中畑６６地割"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{
                                "\"0295511\",\"上野々３９地割\",\"ｳｴﾉﾉ39ﾁﾜﾘ\",,",
                                "\"0295503\",\"穴明２２地割\",\"ｱﾅｱｹ22ﾁﾜﾘ\",,",
                                "\"0295503\",\"穴明２３地割\",\"ｱﾅｱｹ23ﾁﾜﾘ\",,",
                                "\"0295523\",\"越中畑６４地割\",\"ｴｯﾁｭｳﾊﾀ64ﾁﾜﾘ\",,",
                                "\"0295523\",\"越中畑６５地割\",\"ｴｯﾁｭｳﾊﾀ65ﾁﾜﾘ\",,",
                                "\"0295523\",\"越中畑６６地割\",\"ｴｯﾁｭｳﾊﾀ66ﾁﾜﾘ\",,",
                            }));
  EXPECT_TRUE(harness.messages().empty());
}

// Siblings grow while the main name stays and restart when it changes.
TEST(TownSiblings, GrowWhileTheMainNameStays) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600051", u"ｷﾀﾏﾁ(1ﾁｮｳﾒ)", u"北町（１丁目）"));
  harness.Run(SapporoLine(u"0600052", u"ｷﾀﾏﾁ(2ﾁｮｳﾒ)", u"北町（２丁目）"));
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_SiblingsKanji), "北町（１丁目）、北町（２丁目）");
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_SiblingsKana), "ｷﾀﾏﾁ(1ﾁｮｳﾒ)､ｷﾀﾏﾁ(2ﾁｮｳﾒ)");
  harness.Run(SapporoLine(u"0600053", u"ﾐﾅﾐﾏﾁ(1ﾁｮｳﾒ)", u"南町（１丁目）"));
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_SiblingsKanji), "南町（１丁目）");
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_SiblingsKana), "ﾐﾅﾐﾏﾁ(1ﾁｮｳﾒ)");
}

// A reading that merely ends in "ｶｲ)" is no floor: its main reading is cut at
// "(" like its kanji. A real floor keeps both whole.
TEST(TownMainNames, OnlyAFloorKeepsTheWholeReading) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0210054", u"ﾔﾏﾉﾒ(ｻｶｲ)", u"山目（境）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{"\"0210054\",\"山目境\",\"ﾔﾏﾉﾒｻｶｲ\",,"});
  harness.Run(SapporoLine(u"1630013", u"ｴｰﾋﾞｰﾀﾜｰ(1ｶｲ)", u"ＡＢタワー（１階）"));
  EXPECT_EQ(harness.Take(),
            std::vector<std::string>{"\"1630013\",\"ＡＢタワー（１階）\",\"ｴｰﾋﾞｰﾀﾜｰ(1ｶｲ)\",,"});
}

// The numbers of a 地割 range come from the kanji: a reading without digits
// is no failure.
TEST(TownChiwariRanges, ReadingWithoutDigitsIsNoFailure) {
  TownHarness harness;
  harness.Run(
      u"03202,\"02824\",\"0282402\",\"ｲﾜﾃｹﾝ\",\"ﾐﾔｺｼ\",\"ｶﾜｲ(ﾀﾞｲｷｭｳﾁﾜﾘ-ﾀﾞｲｼﾞｭｳｲﾁﾁﾜﾘ)\",\"岩手県\","
      u"\"宮古市\",\"川井（第９地割～第１１地割）\",0,0,0,0,0,0");
  EXPECT_EQ(harness.Take().size(), 3u);
  EXPECT_TRUE(harness.messages().empty());
}

// A town ending in an open range "～）" becomes the sibling list and is cut
// before its first number; with no bracket left, the record goes on with the
// cut town as its one part, and nothing fails.
TEST(TownSiblings, OpenRangeEndCutsTheTown) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600054", u"ｵｵﾏｴ(ﾎｿﾊﾗ2259-)", u"大前（細原２２５９～）"));
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_SiblingsKanji), "大前（細原２２５９～）");
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_TownKanji), "大前");
  EXPECT_EQ(ToUtf8(harness.ctx.town.G_TownKana), "ｵｵﾏｴ");
  EXPECT_TRUE(harness.messages().empty());
  EXPECT_EQ(harness.Take(), std::vector<std::string>{"\"0600054\",\"大前大前\",\"ｵｵﾏｴｵｵﾏｴ\",,"});
}

}  // namespace
}  // namespace tessivar::testing
