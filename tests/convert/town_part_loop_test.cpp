// The part loop, case by case, on hand-made lines (CSV text with the fields
// code, town, town kana, comment, comment kana).
#include <gtest/gtest.h>

#include "text/cp932.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

struct PartCase {
  const char* name;
  std::u16string code, kana, town;
  std::vector<std::string> expected;
};

class PartLoopCases : public ::testing::TestWithParam<PartCase> {};

TEST_P(PartLoopCases, WritesTheRecordsOfTheCase) {
  const PartCase& c = GetParam();
  TownHarness harness;
  harness.Run(SapporoLine(c.code, c.kana, c.town));
  EXPECT_EQ(harness.Take(), c.expected);
  EXPECT_TRUE(harness.messages().empty()) << harness.messages().front();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PartLoopCases,
    ::testing::Values(
        // 2. a list that is a note as a whole
        PartCase{"NoteList",
                 u"0600001",
                 u"ｴｰﾋﾞｰﾋﾞﾙ(ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ)",
                 u"ＡＢビル（次のビルを除く）",
                 {Csv("0600001", "ＡＢビル", "ｴｰﾋﾞｰﾋﾞﾙ", "次のビルを除く", "ﾂｷﾞﾉﾋﾞﾙｦﾉｿﾞｸ")}},
        // 4. a range of 丁目: full-width kanji numbers, half-width kana numbers
        PartCase{
            "ChomeRange",
            u"0600042",
            u"ｵｵﾄﾞｵﾘﾆｼ(1-3ﾁｮｳﾒ)",
            u"大通西（１～３丁目）",
            {Csv("0600042", "大通西１丁目", "ｵｵﾄﾞｵﾘﾆｼ1ﾁｮｳﾒ"), Csv("0600042", "大通西２丁目", "ｵｵﾄﾞｵﾘﾆｼ2ﾁｮｳﾒ"),
             Csv("0600042", "大通西３丁目", "ｵｵﾄﾞｵﾘﾆｼ3ﾁｮｳﾒ")}},
        // 4. 号 without a range; the prefix "１番" is not lent past a part ending in 号
        PartCase{"GoParts",
                 u"0600003",
                 u"ﾁｭｳｵｳ(1ﾊﾞﾝ5ｺﾞｳ､7ｺﾞｳ)",
                 u"中央（１番５号、７号）",
                 {Csv("0600003", "中央１番５号", "ﾁｭｳｵｳ1ﾊﾞﾝ5ｺﾞｳ"), Csv("0600003", "中央７号", "ﾁｭｳｵｳ7ｺﾞｳ")}},
        // 4. 線 ranges with two-digit bounds
        PartCase{"SenRange",
                 u"0600004",
                 u"ｷﾀ(9-11ｾﾝ)",
                 u"北（９～１１線）",
                 {Csv("0600004", "北９線", "ｷﾀ9ｾﾝ"), Csv("0600004", "北１０線", "ｷﾀ10ｾﾝ"),
                  Csv("0600004", "北１１線", "ｷﾀ11ｾﾝ")}},
        // 5. a "・" list, piece by piece
        PartCase{"DottedList",
                 u"0600005",
                 u"ﾎﾝﾏﾁ(ﾋｶﾞｼ･ﾆｼ)",
                 u"本町（東・西）",
                 {Csv("0600005", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ"), Csv("0600005", "本町西", "ﾎﾝﾏﾁﾆｼ")}},
        // 5. "地階・階層不明": two records
        PartCase{"BasementUnknownFloor",
                 u"0600006",
                 u"ｴｰﾋﾞｰﾀﾜｰ(ﾁｶｲ･ｶｲｿｳﾌﾒｲ)",
                 u"ＡＢタワー（地階・階層不明）",
                 {Csv("0600006", "ＡＢタワー", "ｴｰﾋﾞｰﾀﾜｰ", "階層不明", "ｶｲｿｳﾌﾒｲ"),
                  Csv("0600006", "ＡＢタワー（地階）", "ｴｰﾋﾞｰﾀﾜｰ(ﾁｶｲ)")}},
        // 6. the one part is a 番地 range: the list is the comment
        PartCase{"SingleBanchiRange",
                 u"0600007",
                 u"ﾎﾝﾏﾁ(1-5ﾊﾞﾝﾁ)",
                 u"本町（１～５番地）",
                 {Csv("0600007", "本町", "ﾎﾝﾏﾁ", "１～５番地", "1-5ﾊﾞﾝﾁ")}},
        // 7. 番地 parts receive the tail of the last one
        PartCase{"BanchiTails",
                 u"0600008",
                 u"ﾁｭｳｵｳ(1､3､5ﾊﾞﾝﾁ)",
                 u"中央（１、３、５番地）",
                 {Csv("0600008", "中央１番地", "ﾁｭｳｵｳ1ﾊﾞﾝﾁ"), Csv("0600008", "中央３番地", "ﾁｭｳｵｳ3ﾊﾞﾝﾁ"),
                  Csv("0600008", "中央５番地", "ﾁｭｳｵｳ5ﾊﾞﾝﾁ")}},
        // an exclusion list is one note of the main name, not a word per part
        PartCase{"ExclusionList",
                 u"0600010",
                 u"ﾆｼｼﾞｭｸ(110-2､110-7､110-10ﾊﾞﾝﾁｦﾉｿﾞｸ)",
                 u"西宿（１１０－２、１１０－７、１１０－１０番地を除く）",
                 {Csv("0600010", "西宿", "ﾆｼｼﾞｭｸ", "１１０－２、１１０－７、１１０－１０番地を除く",
                      "110-2､110-7､110-10ﾊﾞﾝﾁｦﾉｿﾞｸ")}},
        PartCase{"OneExcludedNumber",
                 u"0600014",
                 u"ﾌｸﾀﾞ(376-10ｦﾉｿﾞｸ)",
                 u"福田（３７６－１０を除く）",
                 {Csv("0600014", "福田", "ﾌｸﾀﾞ", "３７６－１０を除く", "376-10ｦﾉｿﾞｸ")}},
        // 11. "以上" after 丁目: the sub-area stops at 丁目, the part is the comment
        PartCase{"AtLeastWithChome",
                 u"0600011",
                 u"ﾎﾝﾏﾁ(3ﾁｮｳﾒ1ﾊﾞﾝｲｼﾞｮｳ)",
                 u"本町（３丁目１番以上）",
                 {Csv("0600011", "本町３丁目", "ﾎﾝﾏﾁ3ﾁｮｳﾒ", "３丁目１番以上", "3ﾁｮｳﾒ1ﾊﾞﾝｲｼﾞｮｳ")}},
        PartCase{"AtLeastWithoutChome",
                 u"0600012",
                 u"ﾆｼﾓｳﾈ(200ﾊﾞﾝｲｼﾞｮｳ)",
                 u"西舞根（２００番以上）",
                 {Csv("0600012", "西舞根２００番以上", "ﾆｼﾓｳﾈ200ﾊﾞﾝｲｼﾞｮｳ")}},
        // 13. a floor stays in the main name
        PartCase{"Floor",
                 u"0600013",
                 u"ｴｰﾋﾞｰﾀﾜｰ(1ｶｲ)",
                 u"ＡＢタワー（１階）",
                 {Csv("0600013", "ＡＢタワー（１階）", "ｴｰﾋﾞｰﾀﾜｰ(1ｶｲ)")}},
        // 15. prefix propagation: "２丁目１～３" lends "２丁目" to "５"
        PartCase{"PrefixParts",
                 u"0600015",
                 u"ﾁｭｳｵｳ(2ﾁｮｳﾒ1-3､5)",
                 u"中央（２丁目１～３、５）",
                 {Csv("0600015", "中央２丁目１～３", "ﾁｭｳｵｳ2ﾁｮｳﾒ1-3"),
                  Csv("0600015", "中央２丁目５", "ﾁｭｳｵｳ2ﾁｮｳﾒ5")}},
        // 15. a Kyoto code: the sub-area first; the same text with another code
        PartCase{
            "KyotoSwapped", u"6008022", u"ｴｰﾁｮｳ(ﾋﾞｰ)", u"Ａ町（Ｂ）", {Csv("6008022", "ＢＡ町", "ﾋﾞｰｴｰﾁｮｳ")}},
        PartCase{
            "NotKyoto", u"6008017", u"ｴｰﾁｮｳ(ﾋﾞｰ)", u"Ａ町（Ｂ）", {Csv("6008017", "Ａ町Ｂ", "ｴｰﾁｮｳﾋﾞｰ")}},
        // a quoted list stays one part, its note the comment; an unclosed quote does not protect
        PartCase{"QuotedList",
                 u"0600020",
                 u"ﾎﾝﾏﾁ(ﾋｶﾞｼ<ｺｳ､ｵﾂ>)",
                 u"本町（東「甲、乙」）",
                 {Csv("0600020", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ", "「甲、乙」", "<ｺｳ､ｵﾂ>")}},
        PartCase{"UnclosedQuote",
                 u"0600021",
                 u"ﾎﾝﾏﾁ(ﾋｶﾞｼ<ｺｳ､ｵﾂ)",
                 u"本町（東「甲、乙）",
                 {Csv("0600021", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ", "「甲", "<ｺｳ"), Csv("0600021", "本町乙", "ﾎﾝﾏﾁｵﾂ")}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// A comment stays with its record: the next record of the main name starts
// without it.
TEST(PartLoopComments, StayWithTheirRecord) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600034", u"ﾐﾂｷﾞ(ｵｵｱｻﾞ)", u"三ツ木（大字）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{Csv("0600034", "三ツ木", "ﾐﾂｷﾞ", "大字", "ｵｵｱｻﾞ")});
  harness.Run(SapporoLine(u"0600035", u"ﾐﾂｷﾞ(1-2ﾁｮｳﾒ)", u"三ツ木（１～２丁目）"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{Csv("0600035", "三ツ木１丁目", "ﾐﾂｷﾞ1ﾁｮｳﾒ"),
                                                      Csv("0600035", "三ツ木２丁目", "ﾐﾂｷﾞ2ﾁｮｳﾒ")}));
  harness.Run(SapporoLine(u"0600036", u"ｼﾏｳﾁ(1-9819ﾊﾞﾝﾁ､9831-9863ﾊﾞﾝﾁ)",
                          u"島内（１～９８１９、９８３１～９８６３番地）"));
  EXPECT_EQ(harness.Take().size(), 2u);
  harness.Run(SapporoLine(u"0600037", u"ｼﾏｳﾁ(9820ﾊﾞﾝﾁ)", u"島内（９８２０番地）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{Csv("0600037", "島内９８２０番地", "ｼﾏｳﾁ9820ﾊﾞﾝﾁ")});
}

// 3. "その他" names the siblings written before it, with the tail "を除く".
TEST(PartLoopOthers, ExcludesTheSiblingsWrittenBefore) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600031", u"ｷﾀﾏﾁ(1-3ﾁｮｳﾒ)", u"北町（１～３丁目）"));
  EXPECT_EQ(harness.Take().size(), 3u);
  harness.Run(SapporoLine(u"0600032", u"ｷﾀﾏﾁ(ｿﾉﾀ)", u"北町（その他）"));
  EXPECT_EQ(harness.Take(),
            std::vector<std::string>{Csv("0600032", "北町", "ｷﾀﾏﾁ", "１～３丁目を除く", "1-3ﾁｮｳﾒｦﾉｿﾞｸ")});
  // The siblings are used up: the next "その他" of another town names itself.
  harness.Run(SapporoLine(u"0600033", u"ﾐﾅﾐﾏﾁ(ｿﾉﾀ)", u"南町（その他）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{Csv("0600033", "南町", "ﾐﾅﾐﾏﾁ",
                                                         "郵便番号が指定されている 「南町」の地域を除く",
                                                         "郵便番号が指定されている <ﾐﾅﾐﾏﾁ> の地域ｦﾉｿﾞｸ")});
}

TEST(PartLoopOthers, WithoutSiblingsNamesTheTown) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600034", u"ｷﾀﾏﾁ(ｿﾉﾀ)", u"北町（その他）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{Csv("0600034", "北町", "ｷﾀﾏﾁ",
                                                         "郵便番号が指定されている 「北町」の地域を除く",
                                                         "郵便番号が指定されている <ｷﾀﾏﾁ> の地域ｦﾉｿﾞｸ")});
}

// 3. With the same main name as the last record written and no siblings,
// the last record's comment is repeated.
TEST(PartLoopOthers, SameTownAsTheLastRecordTakesItsComment) {
  TownHarness harness;
  harness.ctx.last.G_LastTownKanji = u"北町";
  harness.ctx.last.G_LastCommentKanji = u"（旧）";
  harness.ctx.last.G_LastCommentKana = u"(ｷｭｳ)";
  harness.Run(SapporoLine(u"0600035", u"ｷﾀﾏﾁ(ｿﾉﾀ)", u"北町（その他）"));
  EXPECT_EQ(harness.Take(), std::vector<std::string>{Csv("0600035", "北町", "ｷﾀﾏﾁ", "旧を除く", "ｷｭｳｦﾉｿﾞｸ")});
}

// 5. A kana list without "･" is split at ".".
TEST(PartLoopDotted, KanaSplitAtFullStopWhenItHasNoMiddleDot) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600036", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ.ﾆｼ)", u"本町（東・西）"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{Csv("0600036", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ"),
                                                      Csv("0600036", "本町西", "ﾎﾝﾏﾁﾆｼ")}));
}

// When pR is 0 the sub-area kana stays empty, also where a kana part exists.
TEST(PartLoopKana, NoKanaParenthesisLeavesTheSubKanaEmpty) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600037", u"ﾎﾝﾏﾁ", u"本町（東、西）"));
  EXPECT_EQ(harness.Take(),
            (std::vector<std::string>{Csv("0600037", "本町東", "ﾎﾝﾏﾁ"), Csv("0600037", "本町西", "ﾎﾝﾏﾁ")}));
  EXPECT_TRUE(harness.messages().empty());
}

// A shorter kana list: cases 4 and 15 use its last part without a failure;
// case 7 reads the missing part, reports it and keeps the kana read before.
TEST(PartLoopKana, ShorterKanaList) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600038", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東、西）"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{Csv("0600038", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ"),
                                                      Csv("0600038", "本町西", "ﾎﾝﾏﾁﾋｶﾞｼ")}));
  EXPECT_TRUE(harness.messages().empty());

  harness.Run(SapporoLine(u"0600039", u"ﾎﾝﾏﾁ(1ﾊﾞﾝﾁ)", u"本町（１番地、２番地）"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{Csv("0600039", "本町１番地", "ﾎﾝﾏﾁ1ﾊﾞﾝﾁ"),
                                                      Csv("0600039", "本町２番地", "ﾎﾝﾏﾁ1ﾊﾞﾝﾁ")}));
  EXPECT_EQ(harness.messages(),
            std::vector<std::string>{
                "インデックスが有効範囲にありません。（KEN_ALL.CSV の 1 行目、郵便番号 0600039）"});
}

// A range whose start is not a number is reported and skipped; the record
// and the run go on.
TEST(PartLoopFailures, RangeWithoutLeadingNumber) {
  TownHarness harness;
  harness.Run(SapporoLine(u"0600040", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ1-2ﾁｮｳﾒ)", u"本町（東１～２丁目）"));
  EXPECT_EQ(harness.messages(),
            std::vector<std::string>{"型が一致しません。（KEN_ALL.CSV の 1 行目、郵便番号 0600040）"});
  harness.Run(SapporoLine(u"0600041", u"ｵｵﾄﾞｵﾘﾋｶﾞｼ", u"大通東"));
  auto lines = harness.Take();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), Csv("0600041", "大通東", "ｵｵﾄﾞｵﾘﾋｶﾞｼ"));
}

}  // namespace
}  // namespace tessivar::testing
