// The town-area correction engine on a table of the tests' own
// (data/town_correction_cases.tsv: one entry per feature, on made-up codes),
// and the telling entries of the shipped table on the records they were
// made for.
#include <gtest/gtest.h>

#include <algorithm>

#include "TownCorrectionCasesTable.inc"
#include "text/cp932.h"
#include "town_test_support.h"

namespace tessivar::testing {
namespace {

using Lines = std::vector<std::string>;

const Corrections& Cases() {
  static const Corrections cases(correction::kTownCorrectionCases);
  return cases;
}

// The lines written for the records, one after the other in one run.
Lines Written(const Corrections& table, const std::vector<std::vector<Text>>& records) {
  TownHarness harness(Purpose::kCsv, false, table);
  for (const auto& record : records) harness.Run(record);
  EXPECT_TRUE(harness.messages().empty()) << harness.messages().front();
  return harness.Take();
}

std::vector<Text> Sapporo(std::u16string_view code, std::u16string_view kana, std::u16string_view town) {
  return AddressRecord(SapporoLine(code, kana, town));
}

std::string Line(std::string code, std::string town, std::string kana, std::string comment = "",
                 std::string comment_kana = "") {
  auto quoted = [](const std::string& s) { return s.empty() ? s : "\"" + s + "\""; };
  return "\"" + code + "\",\"" + town + "\",\"" + kana + "\"," + quoted(comment) + "," + quoted(comment_kana);
}
std::string Marker(std::string code) { return Line(code, "ＸＸ", "ｴｯｸｽ"); }

// Each checkpoint is consulted where its record arrives; the entry's end
// decides what follows.
struct CheckpointCase {
  const char* name;
  std::u16string code, kana, town;
  Lines expected;
};

class TownCorrectionCheckpoints : public ::testing::TestWithParam<CheckpointCase> {};

TEST_P(TownCorrectionCheckpoints, ConsultedAndEnded) {
  const CheckpointCase& c = GetParam();
  EXPECT_EQ(Written(Cases(), {Sapporo(c.code, c.kana, c.town)}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Every, TownCorrectionCheckpoints,
    ::testing::Values(
        CheckpointCase{"A", u"0600101", u"ﾎﾝﾏﾁ", u"本町", {Marker("0600101")}},
        CheckpointCase{
            "AGoesOn", u"0600102", u"ﾎﾝﾏﾁ", u"本町", {Marker("0600102"), Line("0600102", "本町", "ﾎﾝﾏﾁ")}},
        CheckpointCase{"BNotForPlainTowns", u"0600103", u"ﾎﾝﾏﾁ", u"本町", {Line("0600103", "本町", "ﾎﾝﾏﾁ")}},
        CheckpointCase{"B", u"0600104", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600104")}},
        CheckpointCase{"C", u"0600105", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600105")}},
        CheckpointCase{"D", u"0600106", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600106")}},
        CheckpointCase{"E", u"0600107", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600107")}},
        CheckpointCase{"EGoesOn",
                       u"0600108",
                       u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)",
                       u"本町（東）",
                       {Marker("0600108"), Line("0600108", "ＸＸ東", "ｴｯｸｽﾋｶﾞｼ")}},
        CheckpointCase{"F1NextPart",
                       u"0600109",
                       u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)",
                       u"本町（東、西）",
                       {Marker("0600109"), Marker("0600109")}},
        CheckpointCase{"F1Return", u"0600110", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西）", {Marker("0600110")}},
        CheckpointCase{"F1GoesOn",
                       u"0600111",
                       u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)",
                       u"本町（東）",
                       {Marker("0600111"), Line("0600111", "ＸＸ東", "ｴｯｸｽﾋｶﾞｼ")}},
        CheckpointCase{"F2", u"0600112", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ･ﾆｼ)", u"本町（東・西）", {Marker("0600112")}},
        CheckpointCase{"F3",
                       u"0600113",
                       u"ﾎﾝﾏﾁ(1-3ﾊﾞﾝﾁ､5ﾊﾞﾝﾁ)",
                       u"本町（１～３番地、５番地）",
                       {Marker("0600113"), Line("0600113", "ＸＸ５番地", "ｴｯｸｽ5ﾊﾞﾝﾁ")}},
        CheckpointCase{"F4", u"0600114", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600114")}},
        CheckpointCase{"F5", u"0600115", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600115")}},
        CheckpointCase{"F6", u"0600116", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）", {Marker("0600116")}},
        CheckpointCase{"Case4AfterTheRange",
                       u"0600117",
                       u"ﾎﾝﾏﾁ(1-2ﾁｮｳﾒ)",
                       u"本町（１～２丁目）",
                       {Line("0600117", "本町１丁目", "ﾎﾝﾏﾁ1ﾁｮｳﾒ"),
                        Line("0600117", "本町２丁目", "ﾎﾝﾏﾁ2ﾁｮｳﾒ"), Marker("0600117")}},
        CheckpointCase{
            "Case11", u"0600118", u"ﾎﾝﾏﾁ(200ﾊﾞﾝｲｼﾞｮｳ)", u"本町（２００番以上）", {Marker("0600118")}},
        CheckpointCase{"Case12",
                       u"0600119",
                       u"ﾎﾝﾏﾁ(1400-1717ﾊﾞﾝ)",
                       u"本町（１４００～１７１７番）",
                       {Marker("0600119")}},
        CheckpointCase{"Case12NotForOtherEndings",
                       u"0600120",
                       u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)",
                       u"本町（東）",
                       {Line("0600120", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ")}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// Conditions and made_for wordings, on the record 高師町（北原１、２）: the
// entry writes the marker exactly when they hold.
struct ConditionCase {
  const char* name;
  std::u16string code;
  bool holds;
};

class TownCorrectionConditions : public ::testing::TestWithParam<ConditionCase> {};

TEST_P(TownCorrectionConditions, Hold) {
  const ConditionCase& c = GetParam();
  Lines written = Written(Cases(), {Sapporo(c.code, u"ﾀｶｼﾁｮｳ(ｷﾀﾊﾗ1､2)", u"高師町（北原１、２）")});
  bool marker_written = std::find(written.begin(), written.end(), Marker(ToUtf8(c.code))) != written.end();
  EXPECT_EQ(marker_written, c.holds) << ::testing::PrintToString(written);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TownCorrectionConditions,
                         ::testing::Values(ConditionCase{"TownContains", u"0600201", true},
                                           ConditionCase{"TownContainsNot", u"0600202", false},
                                           ConditionCase{"TownStartsWith", u"0600203", true},
                                           ConditionCase{"TownStartsWithNot", u"0600204", false},
                                           ConditionCase{"TownEquals", u"0600205", true},
                                           ConditionCase{"TownEqualsNot", u"0600206", false},
                                           ConditionCase{"AfterCommaEquals", u"0600207", true},
                                           ConditionCase{"AfterCommaEqualsNot", u"0600208", false},
                                           // The parts seen in the part loop: "北原１", then "２".
                                           ConditionCase{"PartEquals", u"0600209", true},
                                           ConditionCase{"PartContains", u"0600210", true},
                                           ConditionCase{"PartStartsWithNot", u"0600211", false},
                                           ConditionCase{"MadeForContains", u"0600212", true},
                                           ConditionCase{"MadeForAnotherWording", u"0600213", false},
                                           ConditionCase{"MadeForAWordingNotKnown", u"0600214", false}),
                         [](const auto& instance) { return std::string(instance.param.name); });

// What the entries do, record by record (records of one case run in one
// run, in order).
struct FeatureCase {
  const char* name;
  std::vector<std::vector<Text>> records;
  Lines expected;
};

std::vector<Text> WithOldCode(std::vector<Text> record, std::u16string old_code) {
  record[kOldCode] = std::move(old_code);
  return record;
}

class TownCorrectionFeatures : public ::testing::TestWithParam<FeatureCase> {};

TEST_P(TownCorrectionFeatures, Write) {
  EXPECT_EQ(Written(Cases(), GetParam().records), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TownCorrectionFeatures,
    ::testing::Values(
        FeatureCase{"OldCodeMustMatchToo",
                    {Sapporo(u"0600301", u"ﾎﾝﾏﾁ", u"本町"),
                     WithOldCode(Sapporo(u"0600301", u"ﾎﾝﾏﾁ", u"本町"), u"02879")},
                    {Line("0600301", "本町", "ﾎﾝﾏﾁ"), Marker("0600301")}},
        FeatureCase{
            "FirstEntryThatHolds", {Sapporo(u"0600302", u"ﾎﾝﾏﾁ", u"本町")}, {Line("0600302", "二", "ﾆ")}},
        FeatureCase{"SecondAlternative",
                    {Sapporo(u"0600303", u"ﾎﾝﾏﾁ(ﾆｼ)", u"本町（西）")},
                    {Line("0600303", "本町", "ﾎﾝﾏﾁ", "西")}},
        FeatureCase{
            "FixedRecordsKeepUnsetFields",
            {Sapporo(u"0600401", u"ｺｳｵﾂ", u"甲乙")},
            {Line("0600401", "甲", "ｺｳ", "その他", "ｿﾉﾀ"), Line("0600401", "乙", "ｵﾂ", "その他", "ｿﾉﾀ")}},
        FeatureCase{"TwoSeries",
                    {Sapporo(u"0600402", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）")},
                    {Line("0600402", "第１区", "ﾀﾞｲ1ｸ"), Line("0600402", "第２区", "ﾀﾞｲ2ｸ"),
                     Line("0600402", "第２区９丁目", "ﾀﾞｲ2ｸ9ﾁｮｳﾒ"),
                     Line("0600402", "第２区１０丁目", "ﾀﾞｲ2ｸ10ﾁｮｳﾒ")}},
        FeatureCase{"EachPartWithAShortKanaList",
                    {Sapporo(u"0600403", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西、南）")},
                    {Line("0600403", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ"), Line("0600403", "本町西", "ﾎﾝﾏﾁﾆｼ"),
                     Line("0600403", "本町南", "ﾎﾝﾏﾁ")}},
        FeatureCase{"PartsByNumber",
                    {Sapporo(u"0600404", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西）")},
                    {Line("0600404", "西", "ﾆｼ", "東", "ﾋｶﾞｼ")}},
        FeatureCase{
            "PartAtHand",
            {Sapporo(u"0600405", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ､ﾆｼ)", u"本町（東、西）")},
            {Line("0600405", "本町", "ﾎﾝﾏﾁ", "東", "ﾋｶﾞｼ"), Line("0600405", "本町", "ﾎﾝﾏﾁ", "西", "ﾆｼ")}},
        FeatureCase{"PrefixThenTheGeneralRules",
                    {Sapporo(u"0600406", u"ｼﾝｻﾞ(ﾀﾞｲ3､4)", u"新座（第３、４）")},
                    {Line("0600406", "新座第３", "ｼﾝｻﾞﾀﾞｲ3"), Line("0600406", "新座第４", "ｼﾝｻﾞﾀﾞｲ4")}},
        FeatureCase{"ListReplaced",
                    {Sapporo(u"0600407", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）")},
                    {Line("0600407", "本町北", "ﾎﾝﾏﾁｷﾀ"), Line("0600407", "本町南", "ﾎﾝﾏﾁﾐﾅﾐ")}},
        FeatureCase{"TownAddedToTheSiblings",
                    {Sapporo(u"0600408", u"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", u"本町（東）"),
                     Sapporo(u"0600409", u"ﾎﾝﾏﾁ(ｿﾉﾀ)", u"本町（その他）")},
                    {Line("0600408", "本町東", "ﾎﾝﾏﾁﾋｶﾞｼ"),
                     Line("0600409", "本町", "ﾎﾝﾏﾁ", "東を除く", "ﾋｶﾞｼｦﾉｿﾞｸ")}},
        FeatureCase{"SiblingsCutAlsoWithAFullSizeYo",
                    {Sapporo(u"0600411", u"ﾀｶｼﾁﾖｳ(ｷﾀﾊﾗ1､2)", u"高師町（北原１、２）"),
                     Sapporo(u"0600410", u"ﾀｶｼﾁﾖｳ(ｷﾀﾊﾗ､ｿﾉﾀ)", u"高師町（北原、その他）")},
                    {Line("0600411", "高師町北原１", "ﾀｶｼﾁﾖｳｷﾀﾊﾗ1"), Line("0600411", "高師町２", "ﾀｶｼﾁﾖｳ2"),
                     Line("0600410", "高師町", "ﾀｶｼﾁﾖｳ", "北原", "ｷﾀﾊﾗ")}},
        FeatureCase{
            "NothingLeaksIntoTheNextRecord",
            {Sapporo(u"0600413", u"ﾎﾝﾏﾁ(ﾑﾊﾞﾝﾁ)", u"本町（無番地）"),
             Sapporo(u"0600414", u"ﾎﾝﾏﾁ(ﾅｶｺﾞｳ)", u"本町（中郷）")},
            {Line("0600413", "本町", "ﾎﾝﾏﾁ", "無番地", "ﾑﾊﾞﾝﾁ"), Line("0600414", "本町中郷", "ﾎﾝﾏﾁﾅｶｺﾞｳ")}},
        FeatureCase{"GoingOnClearsNothing",
                    {Sapporo(u"0600415", u"ﾎﾝﾏﾁ(ｿﾉﾀ)", u"本町（その他）")},
                    {Line("0600415", "本町一", "ﾎﾝﾏﾁｲﾁ", "郵便番号が指定されている 「本町」の地域を除く",
                          "郵便番号が指定されている <ﾎﾝﾏﾁ> の地域ｦﾉｿﾞｸ")}},
        FeatureCase{"TownTextAfterAMark",
                    {Sapporo(u"0600416", u"ﾋﾞｴｲﾁｮｳ(ﾆｼ8ｾﾝ79-110ﾊﾞﾝﾁ)", u"美栄町（西８線７９～１１０番地）")},
                    {Line("0600416", "美栄町西８線", "ﾋﾞｴｲﾁｮｳﾆｼ8ｾﾝ", "７９～１１０番地", "79-110ﾊﾞﾝﾁ")}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// The record's own town text is rewritten by the entry that cuts the
// sibling lists.
TEST(TownCorrectionRewrites, RecordFieldsOfTheRecord) {
  TownHarness harness(Purpose::kCsv, false, Cases());
  harness.Run(Sapporo(u"0600410", u"ﾀｶｼﾁﾖｳ(ｷﾀﾊﾗ､ｿﾉﾀ)", u"高師町（北原、その他）"));
  EXPECT_EQ(ToUtf8(harness.ctx.reader.ZipRec[kTownKanji]), "高師町（北原）");
  EXPECT_EQ(ToUtf8(harness.ctx.reader.ZipRec[kTownKana]), "ﾀｶｼﾁｮｳ(ｷﾀﾊﾗ)");
}

// A record that no shipped entry was made for follows the general rules: it
// is written as with a table that has no entry for its code (the record an
// entry was made for shows that the comparison tells).
struct GeneralRulesCase {
  const char* name;
  std::vector<Text> record;
  bool corrected;
};

class ShippedEntriesOnTheirKeysOnly : public ::testing::TestWithParam<GeneralRulesCase> {};

TEST_P(ShippedEntriesOnTheirKeysOnly, OtherRecordsFollowTheGeneralRules) {
  const GeneralRulesCase& c = GetParam();
  const Lines shipped = Written(ShippedTownCorrections(), {c.record});
  EXPECT_EQ(shipped != Written(Cases(), {c.record}), c.corrected) << ::testing::PrintToString(shipped);
}

INSTANTIATE_TEST_SUITE_P(
    AreaAndWording, ShippedEntriesOnTheirKeysOnly,
    ::testing::Values(
        GeneralRulesCase{"AreaKey",
                         WithOldCode(Sapporo(u"0287903", u"ﾀﾈｲﾁﾀﾞｲ1ﾁﾜﾘ-ﾀﾞｲ3ﾁﾜﾘ(ﾔｷﾞﾐﾅﾐﾏﾁ､ﾔｷﾞｷﾀﾏﾁ)",
                                             u"種市第１地割～第３地割（八木南町、八木北町）"),
                                     u"02879"),
                         true},
        GeneralRulesCase{"AreaCodeOutsideTheKeys",
                         WithOldCode(Sapporo(u"0287919", u"ﾀﾈｲﾁﾀﾞｲ1ﾁﾜﾘ-ﾀﾞｲ3ﾁﾜﾘ(ﾔｷﾞﾐﾅﾐﾏﾁ､ﾔｷﾞｷﾀﾏﾁ)",
                                             u"種市第１地割～第３地割（八木南町、八木北町）"),
                                     u"02879"),
                         false},
        GeneralRulesCase{"AreaPlainTown", WithOldCode(Sapporo(u"0287905", u"ｳｹﾞ", u"有家"), u"02879"), false},
        GeneralRulesCase{"KeyOutsideTheArea",
                         Sapporo(u"0287903", u"ﾀﾈｲﾁﾀﾞｲ1ﾁﾜﾘ-ﾀﾞｲ3ﾁﾜﾘ(ﾔｷﾞﾐﾅﾐﾏﾁ､ﾔｷﾞｷﾀﾏﾁ)",
                                 u"種市第１地割～第３地割（八木南町、八木北町）"),
                         false},
        GeneralRulesCase{"CommonLandWithoutShinjo",
                         Sapporo(u"4310423", u"ｵｶｻｷ･ｳﾒﾀﾞﾆｭｳｶｲﾁ", u"岡崎・梅田入会地"), false},
        GeneralRulesCase{"ShinjoWithAList",
                         Sapporo(u"4310423", u"ｼﾝｼﾞｮ(ｵｶｻｷ･ｳﾒﾀﾞﾆｭｳｶｲﾁ)", u"新所（岡崎・梅田入会地）"), false}),
    [](const auto& instance) { return std::string(instance.param.name); });

// Telling entries of the shipped table on the records they were made for,
// with the values they must give.
struct TellingCase {
  const char* name;
  std::u16string code;
  size_t record;   // which real record of the code
  size_t first;    // the first line compared
  Lines expected;  // lines from first on
};

class TellingTownEntries : public ::testing::TestWithParam<TellingCase> {};

TEST_P(TellingTownEntries, OnTheRecordMadeFor) {
  const TellingCase& c = GetParam();
  auto records = RealRecords(c.code);
  ASSERT_GT(records.size(), c.record);
  Lines written = Written(ShippedTownCorrections(), {records[c.record]});
  ASSERT_GE(written.size(), c.first + c.expected.size()) << ::testing::PrintToString(written);
  EXPECT_EQ(Lines(written.begin() + static_cast<long>(c.first),
                  written.begin() + static_cast<long>(c.first + c.expected.size())),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    RealData, TellingTownEntries,
    ::testing::Values(
        TellingCase{"AokijimaOtsu",
                    u"3812241",
                    0,
                    0,
                    {Line("3812241", "青木島町青木島乙９５６番地", "ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏｵﾂ956ﾊﾞﾝﾁ"),
                     Line("3812241", "青木島町青木島乙", "ｱｵｷｼﾞﾏﾏﾁｱｵｷｼﾞﾏｵﾂ", "乙９５６番地を除く",
                          "ｵﾂ956ﾊﾞﾝﾁｦﾉｿﾞｸ")}},
        TellingCase{"TaneichiSeriesThenPlaces",
                    u"0287915",
                    0,
                    5,
                    {Line("0287915", "種市第２０地割", "ﾀﾞｲ20ﾁﾜﾘ"),
                     Line("0287915", "種市第２１地割鹿糠", "ﾀﾞｲ21ﾁﾜﾘ ｶﾇｶ")}},
        TellingCase{"NishiSenWithTheNumbersAsComment",
                    u"0802333",
                    0,
                    3,
                    {Line("0802333", "美栄町西８線", "ﾋﾞｴｲﾁｮｳﾆｼ8ｾﾝ", "７９～１１０番地", "79-110ﾊﾞﾝﾁ")}},
        TellingCase{"FirstPartAsComment",
                    u"7983322",
                    0,
                    0,
                    {Line("7983322", "津島町下畑地乙", "ﾂｼﾏﾁｮｳｼﾓﾊﾀｼﾞｵﾂ", "上槇", "ｶﾐﾏｷ")}},
        TellingCase{"DaiInFrontOfTheSecondPart",
                    u"9480011",
                    0,
                    0,
                    {Line("9480011", "新座第３", "ｼﾝｻﾞﾀﾞｲ3"), Line("9480011", "新座第４", "ｼﾝｻﾞﾀﾞｲ4")}}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::testing
