// The business-office dispatcher and its correction engine, on small tables
// of the test's own and on the shipped tables with the real business file.
#include "convert/business_edit.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "convert/emit_test_support.h"
#include "text/text_file.h"

namespace tessivar {
namespace {

using testing::EmitHarness;

std::string U8(std::u16string_view s) { return ToUtf8(s); }

// Main-table rows as the business-office data describe them.
constexpr BusinessFixLine kMainRows[] = {
    {u"0058602", u"1", u"set", u"7", u"南区", u""},
    {u"0058602", u"1", u"narrow", u"8", u"", u""},
    {u"0058602", u"1", u"set", u"16", u"東海大学付属第四高等学校", u""},
    {u"0058602", u"1", u"set", u"15", u"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳ", u""},
    {u"0058602", u"1", u"emit", u"", u"", u""},
    {u"0058602", u"1", u"set", u"16", u"東海大学付属第四高等学校中等部", u""},
    {u"0058602", u"1", u"set", u"15", u"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳﾁﾕｳﾄｳﾌﾞ", u""},
    {u"1028357", u"1", u"comment", u"", u"学校法人", u""},
    {u"1028357", u"1", u"set", u"16", u"大妻学院", u""},
    {u"1028357", u"1", u"set", u"15", u"ｵｵﾂﾏｶﾞｸｲﾝ", u""},
    {u"1028357", u"1", u"emit", u"", u"", u""},
    {u"1028357", u"1", u"set", u"16", u"大妻女子大学", u""},
    {u"1028357", u"1", u"set", u"15", u"ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸ", u""},
    {u"1028357", u"1", u"emit", u"", u"", u""},
    {u"1028357", u"1", u"set", u"16", u"大妻女子大学短期大学部", u""},
    {u"1028357", u"1", u"set", u"15", u"ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸﾀﾝｷﾀﾞｲｶﾞｸﾌﾞ", u""},
    {u"1028357", u"1", u"emit", u"", u"", u""},
    {u"1028357", u"1", u"set", u"16", u"大妻中学校", u""},
    {u"1028357", u"1", u"set", u"15", u"ｵｵﾂﾏﾁﾕｳｶﾞﾂｺｳ", u""},
    {u"1028357", u"1", u"emit", u"", u"", u""},
    {u"1028357", u"1", u"set", u"16", u"大妻高等学校", u""},
    {u"1028357", u"1", u"set", u"15", u"ｵｵﾂﾏｺｳﾄｳｶﾞﾂｺｳ", u""},
    {u"9011193", u"1", u"set", u"16", u"県立 南部医療センター", u""},
    {u"9011193", u"1", u"set", u"15", u"ｵｷﾅﾜｹﾝﾘﾂ ﾅﾝﾌﾞｲﾘﾖｳｾﾝﾀ-", u""},
    {u"9011193", u"1", u"set", u"8", u"字新川118-1", u""},
    {u"9011193", u"1", u"emit", u"", u"", u""},
    {u"9011193", u"1", u"set", u"16", u"県立 こども医療センター", u""},
    {u"9011193", u"1", u"set", u"15", u"ｵｷﾅﾜｹﾝﾘﾂ ｺﾄﾞﾓｲﾘﾖｳｾﾝﾀ-", u""},
    {u"9030215", u"1", u"guard", u"16", u"琉球大学　医学部・", u""},
    {u"9030215", u"1", u"comment", u"", u"国立大学法人", u""},
    {u"9030215", u"1", u"set", u"16", u"琉球大学　医学部", u""},
    {u"9030215", u"1", u"set", u"15", u"ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ", u""},
    {u"9030215", u"1", u"emit", u"", u"", u""},
    {u"9030215", u"1", u"set", u"16", u"琉球大学　医学部付属病院", u""},
    {u"9030215", u"1", u"set", u"15", u"ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞﾌｿﾞｸﾋﾞﾖｳｲﾝ", u""},
    {u"9458501", u"1", u"guard", u"16", u"柏崎公共職業安定所", u""},
    {u"9458501", u"1", u"set", u"16", u"柏崎公共職業安定所", u""},
    {u"9458501", u"1", u"emit", u"", u"", u""},
    {u"9458501", u"1", u"set", u"16", u"柏崎労働基準監督署", u""},
    {u"9458501", u"1", u"emit", u"", u"", u""},
    {u"9458501", u"1", u"comment", u"",
     u"経済産業省資源エネルギー庁原子力安全・保安院柏崎刈羽原子力保安検査官事務所", u""},
    {u"9458501", u"1", u"set", u"16", u"柏崎刈羽原子力保安検査官事務所", u""},
    {u"9458501", u"1", u"set", u"15", u"", u""},
    {u"9458501", u"1", u"emit", u"", u"", u""},
    {u"9458501", u"1", u"comment", u"", u"", u""},
    {u"9458501", u"1", u"set", u"16", u"柏崎税務署", u""},
    {u"9458501", u"2", u"guard", u"16", u"通商産業省資源エネルギー庁", u""},
    {u"9458501", u"2", u"comment", u"", u"通商産業省資源エネルギー庁", u""},
    {u"9458501", u"2", u"set", u"16", u"柏崎刈羽運転管理専門事務所", u""},
    {u"9458501", u"2", u"set", u"15", u"ｶｼﾜｻﾞｷｶﾘﾜｳﾝﾃﾝｶﾝﾘｾﾝﾓﾝｼﾞﾑｼﾖ", u""},
};

constexpr BusinessFixLine kImeRows[] = {
    {u"7008501", u"1", u"guard", u"8", u"山陽新聞社新聞製作センタービル５階", u""},
    {u"7008501", u"1", u"comment", u"", u"山陽新聞社新聞製作センタービル５階", u""},
    {u"7008501", u"1", u"set", u"8", u"１－１－１８", u""},
    {u"7658508", u"1", u"guard", u"16", u"独立行政法人　農業・生物系特定産業技術研究機構　近畿", u""},
    {u"7658508", u"1", u"comment", u"", u"独立行政法人", u""},
    {u"7658508", u"1", u"replace", u"8", u"１丁目３－１", u"1-3-1"},
    {u"7658508", u"1", u"replace", u"16", u"独立行政法人　", u""},
};

// One business record through the dispatcher with the test's tables.
struct Dispatch {
  Dispatch(Purpose purpose, std::u16string code, std::u16string address, std::u16string name) : h(purpose) {
    h.Business(std::move(code), u"那覇市", std::move(address), std::move(name));
    h.Fields({u"8", u"26", u"9", u"26", u"24", u"26", u"29", u"26", u"30"});
  }
  void Run() { F_BusinessEdit(h.ctx, h.emitter, kImeRows, kMainRows); }
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
  Dispatch d(Purpose::kCsv, u"1028357", u"三番町１２", u"学校法人　大妻学院・大妻女子大学");
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

TEST(BusinessEditTest, AddressSetBeforeTheFirstEmissionStays) {
  Dispatch d(Purpose::kWordList, u"9011193", u"字新川１１８－１",
             u"沖縄県立南部医療センター・こども医療センター");
  d.Run();
  EXPECT_EQ(d.Words(), (Strings{"那覇市字新川118-1　県立 南部医療センター",
                                "那覇市字新川118-1　県立 こども医療センター"}));
}

TEST(BusinessEditTest, FirstAlternativeWhoseGuardHoldsRuns) {
  Dispatch first(Purpose::kWordList, u"9458501", u"田中２６", u"柏崎公共職業安定所・柏崎労働基準監督署");
  first.Run();
  EXPECT_EQ(first.Words(),
            (Strings{"那覇市田中２６　柏崎公共職業安定所", "那覇市田中２６　柏崎労働基準監督署",
                     "那覇市田中２６　柏崎刈羽原子力保安検査官事務所", "那覇市田中２６　柏崎税務署"}));
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
  EXPECT_EQ(word_list.Words(), Strings{"那覇市１－１－１８　山陽新聞社"});
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
  constexpr BusinessFixLine rows[] = {
      {u"9008799", u"1", u"bracket_to_comment", u"8", u"", u""},  // no "（" in the address
      {u"9008799", u"1", u"comment_from_name", u"16", u"無い", u""},
      {u"9008799", u"1", u"set", u"16", u"第一", u""},
      {u"9008799", u"1", u"emit", u"", u"", u""},
      {u"9008799", u"1", u"set", u"16", u"第二", u""},
  };
  EmitHarness h(Purpose::kWordList);
  h.Business(u"9008799", u"那覇市", u"泉崎", u"某");
  F_BusinessEdit(h.ctx, h.emitter, {}, rows);
  EXPECT_EQ(h.dialogs.messages().size(), 2u);
  ASSERT_EQ(h.lines().size(), 2u);
  EXPECT_EQ(U8(h.lines()[1]), "９００－８７９９\t那覇市泉崎　第二\t地名その他");
}

TEST(BusinessEditTest, BracketAndOperatingBodyComments) {
  constexpr BusinessFixLine rows[] = {
      {u"9008799", u"1", u"bracket_to_comment", u"8", u"", u""},
      {u"9008799", u"1", u"emit", u"", u"", u""},
      {u"9008799", u"1", u"comment_from_name", u"16", u"大妻", u""},
  };
  EmitHarness h(Purpose::kCsv);
  h.Business(u"9008799", u"那覇市", u"泉崎１（本館）", u"学校法人　大妻学院");
  h.Fields({u"9", u"26", u"24"});
  F_BusinessEdit(h.ctx, h.emitter, {}, rows);
  std::vector<std::string> lines;
  for (const auto& l : h.lines()) lines.push_back(U8(l));
  EXPECT_EQ(lines, (Strings{"\"泉崎１\",\"本館\"", "\"泉崎１\",\"学校法人\""}));
}

TEST(BusinessFixTableTest, FaultsAreNamed) {
  struct Case {
    const char* label;
    std::vector<BusinessFixLine> rows;
    bool word_list_only;
    const char* fault;  // part of the message; "" for a sound table
  } cases[] = {
      {"sound",
       {{u"1000001", u"1", u"guard", u"16", u"x", u""}, {u"1000001", u"1", u"emit", u"", u"", u""}},
       false,
       ""},
      {"unsorted",
       {{u"2000001", u"1", u"emit", u"", u"", u""}, {u"1000001", u"1", u"emit", u"", u"", u""}},
       false,
       "ascending"},
      {"short key", {{u"100001", u"1", u"emit", u"", u"", u""}}, false, "7-digit"},
      {"unknown action", {{u"1000001", u"1", u"delete", u"16", u"", u""}}, false, "unknown action"},
      {"field the action cannot use",
       {{u"1000001", u"1", u"set", u"2", u"x", u""}},
       false,
       "cannot use field"},
      {"field where none belongs", {{u"1000001", u"1", u"emit", u"8", u"", u""}}, false, "takes no field"},
      {"guard after an action",
       {{u"1000001", u"1", u"comment", u"", u"x", u""}, {u"1000001", u"1", u"guard", u"16", u"x", u""}},
       false,
       "guard"},
      {"alternatives out of order",
       {{u"1000001", u"2", u"emit", u"", u"", u""}, {u"1000001", u"1", u"emit", u"", u"", u""}},
       false,
       "alternatives"},
      {"emission in the word-list table", {{u"1000001", u"1", u"emit", u"", u"", u""}}, true, "do not emit"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    std::string fault = CheckBusinessFixTable(c.rows, c.word_list_only);
    if (*c.fault) {
      EXPECT_NE(fault.find(c.fault), std::string::npos) << fault;
    } else {
      EXPECT_EQ(fault, "");
    }
  }
}

TEST(BusinessFixTableTest, ShippedTablesAreSound) {
  EXPECT_EQ(CheckBusinessFixTable(BusinessFixImeRows(), true), "");
  EXPECT_EQ(CheckBusinessFixTable(BusinessFixRows(), false), "");
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

TEST(BusinessEditTest, ShippedTablesGiveOneRecordPerRealBusinessLine) {
  const std::filesystem::path file = std::filesystem::path(JAPANPOST_DIR) / "JIGYOSYO.CSV";
  for (Purpose purpose : {Purpose::kWordList, Purpose::kCsv}) {
    SCOPED_TRACE(static_cast<int>(purpose));
    EmitHarness h(purpose, /*has_jigyosyo=*/true);
    h.Fields({u"3", u"26", u"9", u"26", u"24", u"26", u"30"});
    TextFileReader in;
    ASSERT_TRUE(in.Open(file)) << in.error();
    std::u16string line;
    long lines = 0;
    while (in.Next(line)) {
      LayOutBusinessLine(line, h.ctx.reader.ZipRec);
      F_BusinessEdit(h.ctx, h.emitter);
      ++lines;
    }
    EXPECT_GT(lines, 20000);
    EXPECT_EQ(h.ctx.run.G_RecordCount, lines);
    EXPECT_EQ(static_cast<long>(h.lines().size()), lines);
    EXPECT_TRUE(h.dialogs.messages().empty()) << h.dialogs.messages().front();
  }
}

}  // namespace
}  // namespace tessivar
