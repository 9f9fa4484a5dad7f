// The correction review on what it must tell a maintainer: which words the
// rules leave irregular, and which entries of a table no record is made for
// or that do not fire on their own record.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "ReviewCasesTable.inc"
#include "convert/business/business_edit.h"
#include "irregular_words.h"
#include "review_file.h"
#include "text/cp932.h"

namespace {

using namespace tessivar;
using namespace tessivar::review;

std::string Joined(const std::vector<std::string>& reasons) {
  std::string out;
  for (const std::string& r : reasons) out += (out.empty() ? "" : "; ") + r;
  return out;
}

TEST(CorrectionReview, IrregularWordsAndReadings) {
  struct Case {
    const char* word;
    Ranges ranges;
    const char* found;  // the reasons, joined by "; "
  };
  const Case cases[] = {
      {"札幌市中央区大通西１丁目", Ranges::kButLotNumbers, ""},
      {"", Ranges::kButLotNumbers, "an empty word"},
      // Ranges of lot numbers are kept; any other range is not.
      {"奈良市中町５１１５～５１４９", Ranges::kButLotNumbers, ""},
      {"江戸川区江戸川４丁目１～１４番", Ranges::kButLotNumbers, ""},
      {"京都市左京区八瀬野瀬町２７９の３～５番地", Ranges::kButLotNumbers, ""},
      {"相生市相生５３１６番地１～５３１６番地１６７", Ranges::kButLotNumbers, ""},
      {"須坂市仁礼３１５３－１～３１５３－１１００", Ranges::kButLotNumbers, ""},
      {"須坂市仁礼３１５３－１～３１５３－１１００", Ranges::kAll, "a range \"～\""},
      {"河東郡士幌町士幌西１条～３条", Ranges::kButLotNumbers,
       "a range \"～\" that is no range of lot numbers at its end"},
      {"日光市藤原１０４７～１２６８及び下平", Ranges::kButLotNumbers,
       "a range \"～\" that is no range of lot numbers at its end"},
      {"某市某町１～２３～４", Ranges::kButLotNumbers,
       "a range \"～\" that is no range of lot numbers at its end"},
      // Marks the rules should have taken out; the floor of a building keeps its name.
      {"某市本町（東）", Ranges::kButLotNumbers, "a bracket \"（\""},
      {"名古屋市中村区名駅ミッドランドスクエア（高層棟）（１階）", Ranges::kButLotNumbers, ""},
      {"名古屋市中村区名駅ﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ(高層棟)(地階･階層不明)", Ranges::kButLotNumbers, ""},
      {"某市本町「東」", Ranges::kButLotNumbers, "a quote mark \"「\""},
      {"某市本町、東町", Ranges::kButLotNumbers, "a list mark \"、\""},
      {"某市本町＠東町", Ranges::kButLotNumbers, "a list mark \"＠\""},
      {"某市本町１番地を除く", Ranges::kButLotNumbers, "the phrase \"を除く\""},
      {"某市本町その他", Ranges::kButLotNumbers, "the phrase \"その他\""},
      // 60 bytes of code page 932 at most.
      {"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ", Ranges::kButLotNumbers, ""},
      {"あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほ1", Ranges::kButLotNumbers,
       "over the length limit: 61 bytes of code page 932, 60 at most"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(Joined(WordIrregularities(FromUtf8(c.word), c.ranges)), c.found);
  }
  const std::pair<const char*, const char*> readings[] = {
      {"ﾎﾝﾏﾁ", ""},
      {"ﾎﾝﾏﾁ(ﾋｶﾞｼ)", "a bracket \"(\" in the reading"},
      {"ﾒｲｴｷﾐｯﾄﾞﾗﾝﾄﾞｽｸｴｱ(ｺｳｿｳﾄｳ)(1ｶｲ)", ""},
      {"ﾎﾝﾏﾁ<ﾋｶﾞｼ>", "a bracket \"<\" in the reading"},
      {"ﾎﾝﾏﾁ､ｷﾀ", "a list mark \"､\" in the reading"},
  };
  for (const auto& [reading, found] : readings) {
    SCOPED_TRACE(reading);
    EXPECT_EQ(Joined(ReadingIrregularities(FromUtf8(reading))), found);
  }
}

// The line of the table where an entry's made_for stands.
int MadeForLine(const std::string& id) {
  std::ifstream in(std::string(TEST_DATA_DIR) + "/review_cases.tsv");
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (line.rfind(id + "\tmade_for\t", 0) == 0) return number;
  }
  return 0;
}

TEST(CorrectionReview, CheckNamesEntriesNoRecordIsMadeForOrThatDoNotFire) {
  const Corrections table(correction::kReviewCases);
  const Tables tables{table, ShippedBusinessFixImeRows(), ShippedBusinessFixRows()};
  const std::vector<Source> sources = {
      {"fixture", std::string(TEST_DATA_DIR) + "/review_cases_KEN_ALL.csv", true}};
  const std::vector<MonthFirings> firings = {
      {"month", std::vector<long>(table.table().alternatives.size(), 0)}};
  std::vector<std::string> faults;
  ReviewText(table.table(), FileKind::kAddresses, sources, firings, tables, faults);

  const std::pair<std::string, std::string> cases[] = {
      {"fires", ""},
      {"mistyped", "no record of the bundled months or the fixture is made so (町域名漢字 equals 北町)"},
      {"kept", ""},  // accepted_silent: it may have none
      {"never-reached", "the alternative does not fire on the record(s) of its own wording (fixture)"},
  };
  for (const auto& [id, reason] : cases) {
    SCOPED_TRACE(id);
    const std::string at = "review_cases.tsv:" + std::to_string(MadeForLine(id)) + ": ";
    std::string said;
    for (const std::string& fault : faults) {
      if (fault.rfind(at, 0) == 0) said = fault.substr(at.size());
    }
    if (reason.empty()) {
      EXPECT_EQ(said, "");
    } else {
      EXPECT_EQ(said.substr(0, reason.size()), reason);
    }
  }
  EXPECT_EQ(faults.size(), 2u);
}

}  // namespace
