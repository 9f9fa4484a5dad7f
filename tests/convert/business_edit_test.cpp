// The business-office dispatcher and its correction engine, on the shipped
// rows (their telling rows, and the real business file) and on rows of the
// tests' own (data/business_fix_cases.tsv).
#include "convert/business_edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "BusinessFixCasesTable.inc"

#include "convert/emit_test_support.h"
#include "text/text_file.h"

namespace tessivar {
namespace {

using testing::EmitHarness;

std::string U8(std::u16string_view s) { return ToUtf8(s); }

const Corrections& Cases() {
  static const Corrections cases(correction::kBusinessFixCases);
  return cases;
}

// One business record through the dispatcher with the shipped tables.
struct Dispatch {
  Dispatch(Purpose purpose, std::u16string code, std::u16string address, std::u16string name) : h(purpose) {
    h.Business(std::move(code), u"那覇市", std::move(address), std::move(name));
    h.Fields({u"8", u"26", u"9", u"26", u"24", u"26", u"29", u"26", u"30"});
  }
  void Run() { F_BusinessEdit(h.ctx, h.emitter); }
  // Name (word list: the word) and comment of each written line.
  std::vector<std::string> Words() const {
    std::vector<std::string> out;
    for (const auto& line : h.lines()) out.push_back(U8(EmitHarness::Columns(line)[1]));
    return out;
  }
  std::vector<std::string> Comments() const {
    std::vector<std::string> out;
    for (const auto& line : h.lines()) {
      auto columns = EmitHarness::Columns(line);
      out.push_back(columns.size() > 3 ? U8(columns[3]) : "");
    }
    return out;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> out;
    for (const auto& line : h.lines()) out.push_back(U8(line));
    return out;
  }
  EmitHarness h;
};

using Strings = std::vector<std::string>;

TEST(BusinessEditTest, CodeWithoutRowGivesOneRecord) {
  Dispatch word_list(Purpose::kWordList, u"9008799", u"泉崎１－２", u"某社");
  word_list.Run();
  EXPECT_EQ(word_list.Words(), Strings{"那覇市泉崎１－２　某社"});

  Dispatch csv(Purpose::kCsv, u"9008799", u"泉崎１－２", u"某社");
  csv.Run();
  EXPECT_EQ(csv.Lines(), Strings{"\"那覇市\",\"泉崎１－２\",,\"ｶﾅ\",\"某社\""});
}

TEST(BusinessEditTest, GuardedRow) {
  Dispatch unguarded(Purpose::kWordList, u"9030215", u"字上原２０７", u"琉球大学　医学部");
  unguarded.Run();
  EXPECT_EQ(unguarded.Words(), Strings{"那覇市字上原２０７　琉球大学　医学部"});
  EXPECT_EQ(unguarded.Comments(), Strings{""});

  Dispatch word_list(Purpose::kWordList, u"9030215", u"字上原２０７", u"琉球大学　医学部・医学部付属病院");
  word_list.Run();
  EXPECT_EQ(word_list.Words(), (Strings{"那覇市字上原２０７　琉球大学　医学部",
                                        "那覇市字上原２０７　琉球大学　医学部付属病院"}));
  EXPECT_EQ(word_list.Comments(), (Strings{"国立大学法人", "国立大学法人"}));

  Dispatch csv(Purpose::kCsv, u"9030215", u"字上原２０７", u"琉球大学　医学部・医学部付属病院");
  csv.Run();
  EXPECT_EQ(
      csv.Lines(),
      (Strings{"\"那覇市\",\"字上原２０７\",\"国立大学法人\",\"ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ\",\"琉球大学　医学部\"",
               "\"那覇市\",\"字上原２０７\",\"国立大学法人\",\"ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞﾌｿﾞｸﾋﾞﾖｳｲﾝ\","
               "\"琉球大学　医学部付属病院\""}));
}

TEST(BusinessEditTest, RowWithFiveOffices) {
  Dispatch d(Purpose::kCsv, u"1028357", u"三番町１２",
             u"学校法人　大妻学院　大妻女子大学　大妻女子大学短期大学部　大妻中学校　大妻高等学校");
  d.Run();
  ASSERT_EQ(d.h.lines().size(), 5u);
  const char* names[] = {"大妻学院", "大妻女子大学", "大妻女子大学短期大学部", "大妻中学校", "大妻高等学校"};
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_NE(d.Lines()[i].find(std::string("\"学校法人\",")), std::string::npos) << i;
    EXPECT_TRUE(d.Lines()[i].ends_with(std::string(",\"") + names[i] + "\"")) << d.Lines()[i];
  }
  EXPECT_EQ(d.h.ctx.run.G_RecordCount, 5);
}

TEST(BusinessEditTest, RowChangingCityAndAddressAppliesToEveryRecord) {
  Dispatch d(Purpose::kCsv, u"0058602", u"真駒内１２３", u"東海大学付属第四高等学校・中等部");
  d.Run();
  EXPECT_EQ(d.Lines(),
            (Strings{"\"南区\",\"真駒内123\",,\"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳ\",\"東海大学付属第四高等学校\"",
                     "\"南区\",\"真駒内123\",,\"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳﾁﾕｳﾄｳﾌﾞ\","
                     "\"東海大学付属第四高等学校中等部\""}));
}

// The name was made for two schools; the office under the code now is one
// school of another name, and it is written as it stands.
TEST(BusinessEditTest, RowDoesNothingOnAnotherWording) {
  Dispatch d(Purpose::kCsv, u"0058602", u"南沢五条１丁目１－１", u"東海大学付属札幌高等学校");
  d.Run();
  EXPECT_EQ(d.Lines(), Strings{"\"那覇市\",\"南沢五条１丁目１－１\",,\"ｶﾅ\",\"東海大学付属札幌高等学校\""});
}

TEST(BusinessEditTest, AddressSetBeforeTheFirstEmissionStays) {
  Dispatch d(Purpose::kWordList, u"9011193", u"字新川１１８－１",
             u"沖縄県立　南部医療センター・こども医療センター");
  d.Run();
  EXPECT_EQ(d.Words(), (Strings{"那覇市字新川118-1　県立 南部医療センター",
                                "那覇市字新川118-1　県立 こども医療センター"}));
}

TEST(BusinessEditTest, FirstAlternativeWhoseGuardHoldsRuns) {
  Dispatch first(Purpose::kWordList, u"9458501", u"田中２６", u"柏崎公共職業安定所、柏崎労働基準監督署");
  first.Run();
  EXPECT_EQ(
      first.Words(),
      (Strings{"那覇市田中２６　柏崎公共職業安定所", "那覇市田中２６　柏崎労働基準監督署",
               "那覇市田中２６　柏崎刈羽原子力保安検査官事務所", "那覇市田中２６　新潟地方法務局柏崎支局"}));
  EXPECT_EQ(
      first.Comments(),
      (Strings{"", "", "経済産業省資源エネルギー庁原子力安全・保安院柏崎刈羽原子力保安検査官事務所", ""}));

  Dispatch second(Purpose::kWordList, u"9458501", u"田中２６", u"通商産業省資源エネルギー庁　柏崎刈羽");
  second.Run();
  EXPECT_EQ(second.Words(), Strings{"那覇市田中２６　柏崎刈羽運転管理専門事務所"});
  EXPECT_EQ(second.Comments(), Strings{"通商産業省資源エネルギー庁"});

  Dispatch neither(Purpose::kWordList, u"9458501", u"田中２６", u"柏崎市役所");
  neither.Run();
  EXPECT_EQ(neither.Words(), Strings{"那覇市田中２６　柏崎市役所"});
}

TEST(BusinessEditTest, WordListRowsRunOnlyForTheWordList) {
  Dispatch word_list(Purpose::kWordList, u"7008501", u"柳町２－１－１山陽新聞社新聞製作センタービル５階",
                     u"山陽新聞社");
  word_list.Run();
  // Only the building leaves the address; the town stays.
  EXPECT_EQ(word_list.Words(), Strings{"那覇市柳町２－１－１　山陽新聞社"});
  EXPECT_EQ(word_list.Comments(), Strings{"山陽新聞社新聞製作センタービル５階"});

  Dispatch csv(Purpose::kCsv, u"7008501", u"柳町２－１－１山陽新聞社新聞製作センタービル５階", u"山陽新聞社");
  csv.Run();
  EXPECT_EQ(
      csv.Lines(),
      Strings{"\"那覇市\",\"柳町２－１－１山陽新聞社新聞製作センタービル５階\",,\"ｶﾅ\",\"山陽新聞社\""});

  Dispatch replaced(Purpose::kWordList, u"7658508", u"精華町光台１丁目３－１",
                    u"独立行政法人　農業・生物系特定産業技術研究機構　近畿中国四国農業研究センター");
  replaced.Run();
  EXPECT_EQ(U8(replaced.h.ctx.reader.ZipRec[kTownKanji]), "精華町光台1-3-1");
  EXPECT_EQ(replaced.Comments(), Strings{"独立行政法人"});
  EXPECT_EQ(U8(replaced.h.ctx.reader.ZipRec[kCompanyKanji]).find("独立行政法人"), std::string::npos);
}

TEST(BusinessEditTest, FailingActionIsReportedAndTheRowGoesOn) {
  EmitHarness h(Purpose::kWordList);
  h.Business(u"9008799", u"那覇市", u"泉崎", u"某");
  F_BusinessEdit(h.ctx, h.emitter, ShippedBusinessFixImeRows(), Cases());
  EXPECT_EQ(h.dialogs.messages().size(), 2u);
  ASSERT_EQ(h.lines().size(), 2u);
  EXPECT_EQ(U8(h.lines()[1]), "９００－８７９９\t那覇市泉崎　第二\t地名その他");
}

TEST(BusinessEditTest, BracketAndOperatingBodyComments) {
  EmitHarness h(Purpose::kCsv);
  h.Business(u"9008798", u"那覇市", u"泉崎１（本館）", u"学校法人　大妻学院");
  h.Fields({u"9", u"26", u"24"});
  F_BusinessEdit(h.ctx, h.emitter, ShippedBusinessFixImeRows(), Cases());
  std::vector<std::string> lines;
  for (const auto& l : h.lines()) lines.push_back(U8(l));
  EXPECT_EQ(lines, (Strings{"\"泉崎１\",\"本館\"", "\"泉崎１\",\"学校法人\""}));
}

// The business-office file as the reader lays its lines out (blank option off).
void LayOutBusinessLine(std::u16string_view line, std::vector<std::u16string>& rec) {
  auto columns = Split(line, u",");
  auto unquote = [](std::u16string_view s) { return std::u16string(s.substr(1, s.size() - 2)); };
  rec.assign(kZipSlots, {});
  rec[kLocalCode] = columns[0];
  rec[kOldCode] = unquote(columns[8]);
  rec[kPostalCode] = unquote(columns[7]);
  rec[kPrefKanji] = unquote(columns[3]);
  rec[kCityKanji] = unquote(columns[4]);
  rec[kTownKanji] = unquote(columns[5]) + unquote(columns[6]);
  for (int i = 9; i <= 12; ++i) rec[i] = columns[i];
  rec[kCompanyKana] = unquote(columns[1]);
  rec[kCompanyKanji] = unquote(columns[2]);
}

// Every line of the real business file of both bundled months: a code
// without a row gives exactly one record, and no line reports a failure.
TEST(BusinessEditTest, ShippedTablesOnTheRealBusinessFiles) {
  std::set<std::u16string_view> codes_with_rows;
  for (const auto* rows : {&ShippedBusinessFixImeRows(), &ShippedBusinessFixRows()}) {
    for (const auto& entry : rows->table().entries) codes_with_rows.insert(entry.code);
  }
  const std::filesystem::path months = JAPANPOST_DIR;
  for (const auto& [file, purpose] : {std::pair{months / "JIGYOSYO.CSV", Purpose::kWordList},
                                      std::pair{months / "JIGYOSYO.CSV", Purpose::kCsv},
                                      std::pair{months / "2025-08" / "JIGYOSYO.CSV", Purpose::kWordList},
                                      std::pair{months / "2025-08" / "JIGYOSYO.CSV", Purpose::kCsv}}) {
    SCOPED_TRACE(file.string() + " " + std::to_string(static_cast<int>(purpose)));
    EmitHarness h(purpose, /*has_jigyosyo=*/true);
    h.Fields({u"3", u"26", u"9", u"26", u"24", u"26", u"30"});
    TextFileReader in;
    ASSERT_TRUE(in.Open(file)) << in.error();
    std::u16string line;
    long lines = 0, more_than_one = 0;
    while (in.Next(line)) {
      LayOutBusinessLine(line, h.ctx.reader.ZipRec);
      const std::u16string code = h.ctx.reader.ZipRec[kPostalCode];
      const long before = h.ctx.run.G_RecordCount;
      F_BusinessEdit(h.ctx, h.emitter);
      const long written = h.ctx.run.G_RecordCount - before;
      if (!codes_with_rows.contains(code)) {
        EXPECT_EQ(written, 1) << ToUtf8(code);
      }
      more_than_one += written > 1;
      ++lines;
    }
    EXPECT_GT(lines, 20000);
    EXPECT_GT(more_than_one, 0);
    EXPECT_EQ(static_cast<long>(h.lines().size()), h.ctx.run.G_RecordCount);
    EXPECT_TRUE(h.dialogs.messages().empty()) << h.dialogs.messages().front();
  }
}

}  // namespace
}  // namespace tessivar
