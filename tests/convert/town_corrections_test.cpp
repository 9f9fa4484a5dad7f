// The correction table: rows decoded from data, matched by key and
// condition, consulted at every checkpoint, ending the record as they say.
#include <gtest/gtest.h>

#include <algorithm>

#include "text/cp932.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

TownCorrectionRow Row(std::u16string_view checkpoint, std::u16string_view code, std::u16string_view values,
                      std::u16string_view ends, std::u16string_view subject = u"",
                      std::u16string_view match = u"", std::u16string_view text = u"",
                      std::u16string_view old_code = u"", std::u16string_view action = u"fixed_records") {
  return {checkpoint, code, old_code, subject, match, text, action, values, ends};
}

// Lines written for record with a table of the given rows.
std::vector<std::string> Written(std::vector<TownCorrectionRow> rows, const std::vector<Text>& record) {
  TownCorrections table(rows);
  TownHarness harness;
  harness.corrections = &table;
  harness.Run(record);
  EXPECT_TRUE(harness.messages().empty()) << harness.messages().front();
  return harness.Take();
}

const std::u16string kMarker = u"main=ＸＸ;main_kana=ｴｯｸｽ";
const std::string kMarkerLine = "\"0600070\",\"ＸＸ\",\"ｴｯｸｽ\",,";

TEST(TownCorrectionFixedRecords, TwoRecordsOfCode3812241) {
  auto records = RealRecords(u"3812241");
  ASSERT_EQ(records.size(), 1u);
  auto written =
      Written({Row(u"A", u"3812241",
                   u"main=青木島町青木島;sub=乙９５６番地;main_kana=ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏ;sub_kana=ｵﾂ956ﾊﾞﾝﾁ"
                   u"|main=青木島町青木島乙;sub=;comment=乙９５６番地;tail=を除く;main_kana=ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏｵﾂ;"
                   u"sub_kana=;"
                   u"comment_kana=ｵﾂ956ﾊﾞﾝﾁ;tail_kana=ｦﾉｿﾞｸ",
                   u"return")},
              records[0]);
  EXPECT_EQ(
      written,
      (std::vector<std::string>{
          "\"3812241\",\"青木島町青木島乙９５６番地\",\"ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏｵﾂ956ﾊﾞﾝﾁ\",,",
          "\"3812241\",\"青木島町青木島乙\",\"ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏｵﾂ\",\"乙９５６番地を除く\",\"ｵﾂ956ﾊﾞﾝﾁｦﾉｿﾞｸ\"",
      }));
}

// Unset fields keep the record before; the first starts from cleared
// comments and sub-areas, whatever the record before left in them.
TEST(TownCorrectionFixedRecords, UnsetFieldsKeepTheRecordBefore) {
  TownCorrections table(std::vector<TownCorrectionRow>{
      Row(u"A", u"7614101", u"main=甲;comment=その他;main_kana=ｺｳ;comment_kana=ｿﾉﾀ|main=乙;main_kana=ｵﾂ",
          u"return")});
  TownHarness harness;
  harness.corrections = &table;
  harness.ctx.values.G_OutSubKanji = u"残り";
  harness.ctx.values.G_CommentTailKanji = u"を除く";
  harness.Run(SapporoLine(u"7614101", u"ｺｳｵﾂ", u"甲乙"));
  EXPECT_EQ(harness.Take(), (std::vector<std::string>{"\"7614101\",\"甲\",\"ｺｳ\",\"その他\",\"ｿﾉﾀ\"",
                                                      "\"7614101\",\"乙\",\"ｵﾂ\",\"その他\",\"ｿﾉﾀ\""}));
}

TEST(TownCorrectionNumberSeries, RangeThenFixedRecords) {
  auto records = RealRecords(u"0287915");
  ASSERT_EQ(records.size(), 1u);
  auto written =
      Written({Row(u"B", u"0287915",
                   u"into=main;from=15;to=17;prefix=種市第;suffix=地割;prefix_kana=ﾀﾞｲ;suffix_kana=ﾁﾜﾘ"
                   u"|main=種市第２１地割鹿糠;main_kana=ﾀﾞｲ21ﾁﾜﾘ ｶﾇｶ",
                   u"return", u"", u"", u"", u"02879", u"number_series")},
              records[0]);
  EXPECT_EQ(written, (std::vector<std::string>{
                         "\"0287915\",\"種市第１５地割\",\"ﾀﾞｲ15ﾁﾜﾘ\",,",
                         "\"0287915\",\"種市第１６地割\",\"ﾀﾞｲ16ﾁﾜﾘ\",,",
                         "\"0287915\",\"種市第１７地割\",\"ﾀﾞｲ17ﾁﾜﾘ\",,",
                         "\"0287915\",\"種市第２１地割鹿糠\",\"ﾀﾞｲ21ﾁﾜﾘ ｶﾇｶ\",,",
                     }));
}

// The 地割 table needs the old code as well as the code.
TEST(TownCorrectionKeys, OldCodeMustMatchToo) {
  auto record = AddressRecord(SapporoLine(u"0600070", u"ﾎﾝﾏﾁ", u"本町"));
  EXPECT_EQ(Written({Row(u"A", u"0600070", kMarker, u"return", u"", u"", u"", u"02879")}, record),
            std::vector<std::string>{"\"0600070\",\"本町\",\"ﾎﾝﾏﾁ\",,"});
  record[kOldCode] = u"02879";
  EXPECT_EQ(Written({Row(u"A", u"0600070", kMarker, u"return", u"", u"", u"", u"02879")}, record),
            std::vector<std::string>{kMarkerLine});
}

struct ConditionCase {
  const char* name;
  std::u16string checkpoint, subject, match, text;
  bool matches;
};

class TownCorrectionConditions : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(TownCorrectionConditions, Match) {
  const ConditionCase& c = GetParam();
  auto record = AddressRecord(SapporoLine(u"0600070", u"ﾀｶｼﾁｮｳ(ｷﾀﾊﾗ1､2)", u"高師町（北原１、２）"));
  auto written =
      Written({Row(c.checkpoint, u"0600070", kMarker, u"return", c.subject, c.match, c.text)}, record);
  bool marker_written = std::find(written.begin(), written.end(), kMarkerLine) != written.end();
  EXPECT_EQ(marker_written, c.matches) << ::testing::PrintToString(written);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TownCorrectionConditions,
    ::testing::Values(ConditionCase{"TownContains", u"A", u"town", u"contains", u"北原１", true},
                      ConditionCase{"TownContainsNot", u"A", u"town", u"contains", u"新所・", false},
                      ConditionCase{"TownStartsWith", u"E", u"town", u"starts_with", u"高師町（北原１", true},
                      ConditionCase{"TownStartsWithNot", u"E", u"town", u"starts_with", u"北原１", false},
                      ConditionCase{"TownEquals", u"C", u"town", u"equals", u"高師町（北原１、２）", true},
                      ConditionCase{"TownEqualsNot", u"C", u"town", u"equals", u"高師町（北原１", false},
                      ConditionCase{"AfterCommaEquals", u"D", u"town_after_comma", u"equals", u"２）", true},
                      ConditionCase{"AfterCommaEqualsNot", u"D", u"town_after_comma", u"equals", u"２",
                                    false},
                      // The parts seen in the part loop: "北原１", then "２".
                      ConditionCase{"PartEquals", u"F1", u"part", u"equals", u"２", true},
                      ConditionCase{"PartContains", u"F1", u"part", u"contains", u"原", true},
                      ConditionCase{"PartStartsWithNot", u"F1", u"part", u"starts_with", u"北原２", false}),
    [](const auto& instance) { return std::string(instance.param.name); });

// Each checkpoint is consulted where its record arrives; the row's end
// decides what follows.
struct CheckpointCase {
  const char* name;
  std::u16string checkpoint, kana, town, ends;
  std::vector<std::string> expected;  // "*" stands for the marker record
};

class TownCorrectionCheckpoints : public ::testing::TestWithParam<CheckpointCase> {};

TEST_P(TownCorrectionCheckpoints, ConsultedAndEnded) {
  const CheckpointCase& c = GetParam();
  auto written = Written({Row(c.checkpoint, u"0600070", kMarker, c.ends)},
                         AddressRecord(SapporoLine(u"0600070", c.kana, c.town)));
  std::vector<std::string> expected;
  for (const auto& line : c.expected) expected.push_back(line == "*" ? kMarkerLine : line);
  EXPECT_EQ(written, expected);
}

std::string Line(std::string town, std::string kana) {
  return "\"0600070\",\"" + town + "\",\"" + kana + "\",,";
}

INSTANTIATE_TEST_SUITE_P(
    Every, TownCorrectionCheckpoints,
    ::testing::Values(
        CheckpointCase{"A", u"A", u"ﾎﾝﾏﾁ", u"本町", u"return", {"*"}},
        CheckpointCase{"AGoesOn", u"A", u"ﾎﾝﾏﾁ", u"本町", u"go_on", {"*", Line("本町", "ﾎﾝﾏﾁ")}},
        CheckpointCase{"BNotForPlainTowns", u"B", u"ﾎﾝﾏﾁ", u"本町", u"return", {Line("本町", "ﾎﾝﾏﾁ")}},
        CheckpointCase{"B", u"B", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"return", {"*"}},
        CheckpointCase{"C", u"C", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"return", {"*"}},
        CheckpointCase{"D", u"D", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"return", {"*"}},
        CheckpointCase{"E", u"E", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"return", {"*"}},
        CheckpointCase{
            "EGoesOn", u"E", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"go_on", {"*", Line("ＸＸ東", "ｴｯｸｽﾋｶﾞｼ")}},
        CheckpointCase{"F1NextPart", u"F1", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西）", u"next_part", {"*", "*"}},
        CheckpointCase{"F1Return", u"F1", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西）", u"return", {"*"}},
        CheckpointCase{
            "F1GoesOn", u"F1", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"go_on", {"*", Line("ＸＸ東", "ｴｯｸｽﾋｶﾞｼ")}},
        CheckpointCase{"F2", u"F2", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ･ﾆｼ)", u"本町（東・西）", u"next_part", {"*"}},
        CheckpointCase{"F3",
                       u"F3",
                       u"ﾎﾝﾏﾁ(1-3ﾊﾞﾝﾁ､5ﾊﾞﾝﾁ)",
                       u"本町（１～３番地、５番地）",
                       u"next_part",
                       {"*", Line("ＸＸ５番地", "ｴｯｸｽ5ﾊﾞﾝﾁ")}},
        CheckpointCase{"F4", u"F4", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"next_part", {"*"}},
        CheckpointCase{"F5", u"F5", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"next_part", {"*"}},
        CheckpointCase{"F6", u"F6", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", u"next_part", {"*"}},
        CheckpointCase{"Case4AfterTheRange",
                       u"case4",
                       u"ﾎﾝﾏﾁ(1-2ﾁｮｳﾒ)",
                       u"本町（１～２丁目）",
                       u"return",
                       {Line("本町１丁目", "ﾎﾝﾏﾁ1ﾁｮｳﾒ"), Line("本町２丁目", "ﾎﾝﾏﾁ2ﾁｮｳﾒ"), "*"}},
        CheckpointCase{
            "Case11", u"case11", u"ﾎﾝﾏﾁ(200ﾊﾞﾝｲｼﾞｮｳ)", u"本町（２００番以上）", u"next_part", {"*"}},
        CheckpointCase{
            "Case12", u"case12", u"ﾎﾝﾏﾁ(1400-1717ﾊﾞﾝ)", u"本町（１４００～１７１７番）", u"next_part", {"*"}},
        CheckpointCase{"Case12NotForOtherEndings",
                       u"case12",
                       u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)",
                       u"本町（東）",
                       u"next_part",
                       {Line("本町東", "ﾎﾝﾏﾁﾋｶﾞｼ")}}),
    [](const auto& instance) { return std::string(instance.param.name); });

TEST(TownCorrectionRows, FirstMatchingRowOfTheCheckpointWins) {
  auto record = AddressRecord(SapporoLine(u"0600070", u"ﾎﾝﾏﾁ", u"本町"));
  auto written =
      Written({Row(u"A", u"0600070", u"main=一;main_kana=ｲﾁ", u"return", u"town", u"contains", u"東"),
               Row(u"A", u"0600070", u"main=二;main_kana=ﾆ", u"return"),
               Row(u"A", u"0600070", u"main=三;main_kana=ｻﾝ", u"return")},
              record);
  EXPECT_EQ(written, std::vector<std::string>{"\"0600070\",\"二\",\"ﾆ\",,"});
}

TEST(TownCorrectionRows, BadRowsAreRefusedWithTheirKey) {
  const std::vector<TownCorrectionRow> bad[] = {
      {Row(u"G", u"0600070", kMarker, u"return")},
      {Row(u"A", u"060007", kMarker, u"return")},
      {Row(u"A", u"0600070", kMarker, u"return", u"", u"", u"", u"0287")},
      {Row(u"A", u"0600070", kMarker, u"return", u"slot", u"contains", u"東")},
      {Row(u"A", u"0600070", kMarker, u"return", u"", u"", u"東")},
      {Row(u"A", u"0600070", kMarker, u"return", u"part", u"contains", u"東")},
      {Row(u"A", u"0600070", kMarker, u"next_part")},
      {Row(u"A", u"0600070", kMarker, u"stop")},
      {Row(u"A", u"0600070", u"main", u"return")},
      {Row(u"A", u"0600070", u"town=本町", u"return")},
      {Row(u"A", u"0600070", u"from=1", u"return", u"", u"", u"", u"", u"number_series")},
      {Row(u"A", u"0600070", u"from=1;to=x", u"return", u"", u"", u"", u"", u"number_series")},
      {Row(u"A", u"0600070", u"op=emit_parts", u"return", u"", u"", u"", u"", u"part_list")},
  };
  for (const auto& rows : bad) {
    EXPECT_THROW(TownCorrections{rows}, RuleError) << ToUtf8(rows[0][kTownCorrectionColumns - 2]);
  }
}

TEST(TownCorrectionRows, ShippedTableIsUnderstood) { EXPECT_NO_THROW(TownCorrections::Shipped()); }

}  // namespace
}  // namespace tessivar::testing
