// Prefix and tail propagation over part lists, kanji and kana alike.
#include <gtest/gtest.h>

#include "convert/town_area/town_area_steps.h"
#include "text/cp932.h"

namespace tessivar::town_area {
namespace {

std::vector<std::string> Utf8(const std::vector<Text>& texts) {
  std::vector<std::string> out;
  for (const auto& t : texts) out.push_back(ToUtf8(t));
  return out;
}

struct PrefixCase {
  const char* name;
  const Script* script;
  PrefixRule rule;
  std::vector<Text> parts;
  std::vector<std::string> expected;
};

class PrefixPropagation : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(PrefixPropagation, Parts) {
  const PrefixCase& c = GetParam();
  std::vector<Text> parts = c.parts;
  PropagatePrefixes(parts, *c.script, c.rule);
  EXPECT_EQ(Utf8(parts), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, PrefixPropagation,
    ::testing::Values(
        PrefixCase{"LentToNumbers",
                   &kKanji,
                   PrefixRule::kUsual,
                   {u"２丁目１～３", u"５", u"７"},
                   {"２丁目１～３", "２丁目５", "２丁目７"}},
        PrefixCase{
            "KanaLentToNumbers", &kKana, PrefixRule::kUsual, {u"2ﾁｮｳﾒ1-3", u"5"}, {"2ﾁｮｳﾒ1-3", "2ﾁｮｳﾒ5"}},
        // A remembered prefix is forgotten right away when its own part
        // does not end with a digit.
        PrefixCase{
            "ForgottenAfterWord", &kKanji, PrefixRule::kUsual, {u"１番５号", u"７号"}, {"１番５号", "７号"}},
        // A part that stops on a letter takes the prefix, then forgets it.
        PrefixCase{"ForgottenAfterLetters",
                   &kKanji,
                   PrefixRule::kUsual,
                   {u"２丁目１", u"東", u"５"},
                   {"２丁目１", "２丁目東", "５"}},
        // Not in front of a part whose scan ends on "」".
        PrefixCase{"NotBeforeClosingQuote",
                   &kKanji,
                   PrefixRule::kUsual,
                   {u"２丁目１", u"５」"},
                   {"２丁目１", "５」"}},
        PrefixCase{
            "KanaNotBeforeClosingQuote", &kKana, PrefixRule::kUsual, {u"2ﾁｮｳﾒ1", u"5>"}, {"2ﾁｮｳﾒ1", "5>"}},
        // The kana list skips only "-": "～" there is a letter, so "4～5"
        // remembers a prefix of its own instead of taking one.
        PrefixCase{"KanaRangeMark",
                   &kKana,
                   PrefixRule::kUsual,
                   {u"2ﾁｮｳﾒ1-3", u"4～5", u"6"},
                   {"2ﾁｮｳﾒ1-3", "4～5", "4～6"}},
        // 8720604: a candidate with letters and no digit after them is
        // neither remembered nor prefixed.
        PrefixCase{"PendingCandidateUsual",
                   &kKanji,
                   PrefixRule::kUsual,
                   {u"１番地１", u"２番地"},
                   {"１番地１", "１番地２番地"}},
        PrefixCase{"PendingCandidate8720604",
                   &kKanji,
                   PrefixRule::kKeepPendingCandidate,
                   {u"１番地１", u"２番地"},
                   {"１番地１", "２番地"}},
        // 6060068: a part of 3 or 5 characters (kana 3 or 7) that is all
        // candidate is left alone.
        PrefixCase{"ShortWholeUsual",
                   &kKanji,
                   PrefixRule::kUsual,
                   {u"２７７の２", u"２８７"},
                   {"２７７の２", "２７７の２８７"}},
        PrefixCase{"ShortWhole6060068",
                   &kKanji,
                   PrefixRule::kKeepShortWholeNumbers,
                   {u"２７７の２", u"２８７"},
                   {"２７７の２", "２８７"}},
        PrefixCase{"ShortWholeOtherLength6060068",
                   &kKanji,
                   PrefixRule::kKeepShortWholeNumbers,
                   {u"２７７の２", u"１１"},
                   {"２７７の２", "２７７の１１"}},
        PrefixCase{"KanaShortWhole6060068",
                   &kKana,
                   PrefixRule::kKeepShortWholeNumbers,
                   {u"277ﾉ2", u"287"},
                   {"277ﾉ2", "287"}}),
    [](const auto& instance) { return std::string(instance.param.name); });

struct TailCase {
  const char* name;
  const Script* script;
  std::vector<Text> parts;
  std::vector<std::string> expected_parts;
  std::vector<std::string> expected_tails;
};

class TailPropagation : public ::testing::TestWithParam<TailCase> {};

TEST_P(TailPropagation, PartsAndTails) {
  const TailCase& c = GetParam();
  std::vector<Text> parts = c.parts;
  std::vector<Text> tails(parts.size());
  PropagateTails(parts, tails, *c.script);
  EXPECT_EQ(Utf8(parts), c.expected_parts);
  EXPECT_EQ(Utf8(tails), c.expected_tails);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TailPropagation,
    ::testing::Values(
        TailCase{"BanchiToNumbers",
                 &kKanji,
                 {u"１", u"３", u"５番地"},
                 {"１番地", "３番地", "５番地"},
                 {"番地", "番地", "番地"}},
        TailCase{"KanaBanchiToNumbers", &kKana, {u"1", u"5ﾊﾞﾝﾁ"}, {"1ﾊﾞﾝﾁ", "5ﾊﾞﾝﾁ"}, {"ﾊﾞﾝﾁ", "ﾊﾞﾝﾁ"}},
        // Each word is its own part's tail; the nearer word wins.
        TailCase{"NearerWordWins",
                 &kKanji,
                 {u"１", u"２丁目", u"３番地"},
                 {"１丁目", "２丁目", "３番地"},
                 {"丁目", "丁目", "番地"}},
        // "以上" is not a tail.
        TailCase{"AtLeastSkipped", &kKanji, {u"３丁目以上"}, {"３丁目以上"}, {"丁目"}},
        TailCase{"KanaAtLeastSkipped", &kKana, {u"3ﾁｮｳﾒｲｼﾞｮｳ"}, {"3ﾁｮｳﾒｲｼﾞｮｳ"}, {"ﾁｮｳﾒ"}},
        // A scan that stops at "」" takes no tail and gives an empty entry.
        TailCase{"ClosingQuote", &kKanji, {u"１「２」", u"３番地"}, {"１「２」", "３番地"}, {"", "番地"}},
        TailCase{"RangeMarksStop", &kKanji, {u"１～３", u"５号"}, {"１～３号", "５号"}, {"号", "号"}},
        TailCase{"NoTailAnywhere", &kKanji, {u"１", u"２"}, {"１", "２"}, {"", ""}},
        TailCase{
            "WholeWordIsTail", &kKanji, {u"１", u"その他"}, {"１その他", "その他"}, {"その他", "その他"}}),
    [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar::town_area
