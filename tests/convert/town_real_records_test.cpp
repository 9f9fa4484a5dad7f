// Records of the real KEN_ALL.CSV, joined over their lines as the reader
// joins them, come out as one record per part.
#include <gtest/gtest.h>

#include "text/cp932.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

std::vector<std::string> Converted(std::u16string_view code) {
  auto records = RealRecords(code);
  EXPECT_EQ(records.size(), 1u);
  TownHarness harness;
  for (const auto& record : records) harness.Run(record);
  EXPECT_TRUE(harness.messages().empty()) << harness.messages().front();
  return harness.Take();
}

// Two lines; "２丁目" and "３丁目" are lent forward, "番地" backward, and
// across the line break.
TEST(RealDataTownRecords, ContinuedListWithPrefixesAndTails) {
  auto written = Converted(u"0482331");
  ASSERT_EQ(written.size(), 11u);
  EXPECT_EQ(written[0], Csv("0482331", "大江２丁目６５１番地", "ｵｵｴ2ﾁｮｳﾒ651ﾊﾞﾝﾁ"));
  EXPECT_EQ(written[2], Csv("0482331", "大江２丁目６６８番地", "ｵｵｴ2ﾁｮｳﾒ668ﾊﾞﾝﾁ"));
  EXPECT_EQ(written[3], Csv("0482331", "大江３丁目１０３番地", "ｵｵｴ3ﾁｮｳﾒ103ﾊﾞﾝﾁ"));
  EXPECT_EQ(written[5], Csv("0482331", "大江３丁目２１０番地", "ｵｵｴ3ﾁｮｳﾒ210ﾊﾞﾝﾁ"));
  EXPECT_EQ(written[10], Csv("0482331", "大江３丁目４６９番地", "ｵｵｴ3ﾁｮｳﾒ469ﾊﾞﾝﾁ"));
}

// Bare numbers and ranges without a tail are sub-areas as they stand.
TEST(RealDataTownRecords, ContinuedNumberList) {
  EXPECT_EQ(Converted(u"3250304"),
            (std::vector<std::string>{
                Csv("3250304", "高久甲２８８８", "ﾀｶｸｺｳ2888"), Csv("3250304", "高久甲４５９５", "ﾀｶｸｺｳ4595"),
                Csv("3250304", "高久甲５２３５～６０１９", "ﾀｶｸｺｳ5235-6019"),
                Csv("3250304", "高久甲６０２１～６１１２", "ﾀｶｸｺｳ6021-6112"),
                Csv("3250304", "高久甲６１１４～６１４１", "ﾀｶｸｺｳ6114-6141"),
                Csv("3250304", "高久甲６３２８", "ﾀｶｸｺｳ6328"), Csv("3250304", "高久甲６４３７", "ﾀｶｸｺｳ6437"),
                Csv("3250304", "高久甲６４３８", "ﾀｶｸｺｳ6438")}));
}

// A Kyoto list over two lines whose kana ("ｶﾀﾀﾞﾁｮｳ", no parenthesis) stands
// on both lines: the kana is not doubled, every street comes first, and with
// no kana parenthesis the sub-area kana is empty.
TEST(RealDataTownRecords, KyotoListWithKanaOnEveryLine) {
  auto records = RealRecords(u"6008067");
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(ToUtf8(records[0][kTownKana]), "ｶﾀﾀﾞﾁｮｳ");
  EXPECT_EQ(Converted(u"6008067"),
            (std::vector<std::string>{Csv("6008067", "万寿寺通堺町東入堅田町", "ｶﾀﾀﾞﾁｮｳ"),
                                      Csv("6008067", "万寿寺通富小路西入堅田町", "ｶﾀﾀﾞﾁｮｳ"),
                                      Csv("6008067", "万寿寺通柳馬場西入堅田町", "ｶﾀﾀﾞﾁｮｳ"),
                                      Csv("6008067", "万寿寺通柳馬場東入堅田町", "ｶﾀﾀﾞﾁｮｳ"),
                                      Csv("6008067", "柳馬場通万寿寺上る堅田町", "ｶﾀﾀﾞﾁｮｳ")}));
}

// "地階・" ends one line, "階層不明）" begins the next.
TEST(RealDataTownRecords, BasementAndUnknownFloorOverTwoLines) {
  const std::string tower = "桜丘町渋谷サクラステージＳＨＩＢＵＹＡサイドＳＨＩＢＵＹＡタワー";
  const std::string tower_kana = "ｻｸﾗｶﾞｵｶﾁｮｳｼﾌﾞﾔｻｸﾗｽﾃｰｼﾞｼﾌﾞﾔｻｲﾄﾞｼﾌﾞﾔﾀﾜｰ";
  EXPECT_EQ(Converted(u"1506290"),
            (std::vector<std::string>{
                "\"1506290\",\"" + tower + "\",\"" + tower_kana + "\",\"階層不明\",\"ｶｲｿｳﾌﾒｲ\"",
                Csv("1506290", tower + "（地階）", tower_kana + "(ﾁｶｲ)")}));
}

// 6060067's "その他" keeps the whole town as its comment, unstripped.
TEST(RealDataTownRecords, OthersOf6060067KeepTheWholeTown) {
  EXPECT_EQ(Converted(u"6060067"), std::vector<std::string>{"\"6060067\",\"上高野東山\",\"ｶﾐﾀｶﾉﾋｶﾞｼﾔﾏ\","
                                                            "\"上高野東山（その他）\",\"ｶﾐﾀｶﾉﾋｶﾞｼﾔﾏ(ｿﾉﾀ)\""});
}

// The 地割 range of 葛巻 takes the place name in front, and the quoted
// exclusion becomes the comment of the first record only.
TEST(RealDataTownRecords, ChiwariRangeWithPlaceName) {
  auto written = Converted(u"0285102");
  ASSERT_EQ(written.size(), 6u);
  EXPECT_EQ(written[0],
            "\"0285102\",\"葛巻第４０地割\",\"ｸｽﾞﾏｷﾀﾞｲ40ﾁﾜﾘ\",\"５７番地１２５、１７６を除く\","
            "\"57ﾊﾞﾝﾁ125､176ｦﾉｿﾞｸ\"");
  EXPECT_EQ(written[1], Csv("0285102", "葛巻第４１地割", "ｸｽﾞﾏｷﾀﾞｲ41ﾁﾜﾘ"));
  EXPECT_EQ(written[5], Csv("0285102", "葛巻第４５地割", "ｸｽﾞﾏｷﾀﾞｲ45ﾁﾜﾘ"));
  EXPECT_EQ(Converted(u"0282402"),
            (std::vector<std::string>{Csv("0282402", "川井第９地割", "ｶﾜｲﾀﾞｲ9ﾁﾜﾘ"),
                                      Csv("0282402", "川井第１０地割", "ｶﾜｲﾀﾞｲ10ﾁﾜﾘ"),
                                      Csv("0282402", "川井第１１地割", "ｶﾜｲﾀﾞｲ11ﾁﾜﾘ")}));
}

}  // namespace
}  // namespace tessivar::testing
