// The business-office dispatcher and its correction engine, on the shipped
// rows (their telling rows, and the real business file) and on rows of the
// tests' own (data/business_fix_cases.tsv).
#include "convert/business/business_edit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "BusinessFixCasesTable.inc"

#include "convert/emit_test_support.h"
#include "text/text_file.h"

namespace tessivar {
namespace {

using testing::EmitHarness;
using testing::U8;

const Corrections& Cases() {
  static const Corrections cases(correction::kBusinessFixCases);
  return cases;
}

using Strings = std::vector<std::string>;

TEST(BusinessEditTest, FailingActionIsReportedAndTheRowGoesOn) {
  EmitHarness h(Purpose::kWordList);
  h.Business(u"9008799", u"那覇市", u"泉崎", u"某");
  F_BusinessEdit(h.ctx, h.emitter(), ShippedBusinessFixImeRows(), Cases());
  EXPECT_EQ(h.dialogs.messages().size(), 2u);
  ASSERT_EQ(h.lines().size(), 2u);
  EXPECT_EQ(U8(h.lines()[1]), "９００－８７９９\t那覇市泉崎　第二\t地名その他");
}

TEST(BusinessEditTest, BracketAndOperatingBodyComments) {
  EmitHarness h(Purpose::kCsv);
  h.Business(u"9008798", u"那覇市", u"泉崎１（本館）", u"学校法人　大妻学院");
  h.Fields({u"9", u"26", u"24"});
  F_BusinessEdit(h.ctx, h.emitter(), ShippedBusinessFixImeRows(), Cases());
  std::vector<std::string> lines;
  for (const auto& l : h.lines()) lines.push_back(U8(l));
  EXPECT_EQ(lines, (Strings{"\"泉崎１\",\"本館\"", "\"泉崎１\",\"学校法人\""}));
}

// A shipped row on the business-office line it was made for (as Japan Post
// publishes it), for the word list and for the CSV: exactly the records the
// row is meant to write. The word list runs without the business file's
// shortening, so a word shows the city, address and name as the row leaves
// them; the CSV shows city, address, comment, reading and name.
struct ShippedRowCase {
  const char* name;
  const char16_t* line;
  Strings word_list;  // word, then TAB and comment when there is one
  Strings csv;
};

class ShippedRow : public ::testing::TestWithParam<ShippedRowCase> {};

Strings WrittenLines(Purpose purpose, std::u16string_view line) {
  EmitHarness h(purpose);
  h.Fields({u"8", u"26", u"9", u"26", u"24", u"26", u"29", u"26", u"30"});
  h.Convert(line, kBusinessIndex);
  EXPECT_TRUE(h.dialogs.messages().empty()) << h.dialogs.messages().front();
  EXPECT_EQ(static_cast<long>(h.lines().size()), h.ctx.run.G_RecordCount);
  Strings out;
  for (const auto& written : h.lines()) {
    if (purpose != Purpose::kWordList) {
      out.push_back(U8(written));
      continue;
    }
    const auto columns = EmitHarness::Columns(written);
    out.push_back(U8(columns[1]) + (columns.size() > 3 ? "\t" + U8(columns[3]) : ""));
  }
  return out;
}

TEST_P(ShippedRow, WritesExactlyItsRecords) {
  const ShippedRowCase& c = GetParam();
  EXPECT_EQ(WrittenLines(Purpose::kWordList, c.line), c.word_list);
  EXPECT_EQ(WrittenLines(Purpose::kCsv, c.line), c.csv);
}

INSTANTIATE_TEST_SUITE_P(
    TellingRows, ShippedRow,
    ::testing::Values(
        // A code without a row: exactly one record, as it stands.
        ShippedRowCase{
            "code_without_row",
            uR"(01223,"ﾈﾑﾛｼﾔｸｼﾖ","根室市役所","北海道","根室市","常盤町","２丁目２７番地","0878711","087  ","根室",0,0,0)",
            {"根室市常盤町２丁目２７番地　根室市役所"},
            {R"("根室市","常盤町２丁目２７番地",,"ﾈﾑﾛｼﾔｸｼﾖ","根室市役所")"}},
        // Two parts of one university, the legal form the comment of both.
        ShippedRowCase{
            "university_parts_9030215",
            uR"(47329,"ｺｸﾘﾂﾀﾞｲｶﾞｸﾎｳｼﾞﾝ ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ･ｲｶﾞｸﾌﾞﾌｿﾞｸﾋﾞﾖｳｲﾝ","国立大学法人　琉球大学　医学部・医学部付属病院","沖縄県","中頭郡西原町","字上原","２０７","9030215","90301","浦添",0,0,0)",
            {"中頭郡西原町字上原２０７　琉球大学　医学部\t国立大学法人",
             "中頭郡西原町字上原２０７　琉球大学　医学部付属病院\t国立大学法人"},
            {R"("中頭郡西原町","字上原２０７","国立大学法人","ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ","琉球大学　医学部")",
             R"("中頭郡西原町","字上原２０７","国立大学法人","ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞﾌｿﾞｸﾋﾞﾖｳｲﾝ","琉球大学　医学部付属病院")"}},
        // The same code under a name without the guard text: as it stands.
        ShippedRowCase{
            "university_parts_9030215_other_name",
            uR"(47329,"ｺｸﾘﾂﾀﾞｲｶﾞｸﾎｳｼﾞﾝ ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ","国立大学法人　琉球大学　医学部","沖縄県","中頭郡西原町","字上原","２０７","9030215","90301","浦添",0,0,0)",
            {"中頭郡西原町字上原２０７　国立大学法人　琉球大学　医学部"},
            {R"("中頭郡西原町","字上原２０７",,"ｺｸﾘﾂﾀﾞｲｶﾞｸﾎｳｼﾞﾝ ﾘﾕｳｷﾕｳﾀﾞｲｶﾞｸ ｲｶﾞｸﾌﾞ","国立大学法人　琉球大学　医学部")"}},
        // The address set before the first emission stays for the second.
        ShippedRowCase{
            "two_hospitals_9011193",
            uR"(47350,"ｵｷﾅﾜｹﾝﾘﾂ ﾅﾝﾌﾞｲﾘﾖｳｾﾝﾀ-･ｺﾄﾞﾓｲﾘﾖｳｾﾝﾀ-","沖縄県立　南部医療センター・こども医療センター","沖縄県","島尻郡南風原町","字新川","１１８番地の１","9011193","90111","南風原中",0,0,0)",
            {"島尻郡南風原町字新川118-1　県立 南部医療センター",
             "島尻郡南風原町字新川118-1　県立 こども医療センター"},
            {R"("島尻郡南風原町","字新川118-1",,"ｵｷﾅﾜｹﾝﾘﾂ ﾅﾝﾌﾞｲﾘﾖｳｾﾝﾀ-","県立 南部医療センター")",
             R"("島尻郡南風原町","字新川118-1",,"ｵｷﾅﾜｹﾝﾘﾂ ｺﾄﾞﾓｲﾘﾖｳｾﾝﾀ-","県立 こども医療センター")"}},
        // The city and the narrowed address apply to every record.
        ShippedRowCase{
            "two_schools_0058602",
            uR"(01106,"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳ･ﾁﾕｳﾄｳﾌﾞ","東海大学付属第四高等学校・中等部","北海道","札幌市南区","南沢五条","１丁目１－１","0058602","005  ","札幌南",0,0,0)",
            {"南区南沢五条1丁目1-1　東海大学付属第四高等学校",
             "南区南沢五条1丁目1-1　東海大学付属第四高等学校中等部"},
            {R"("南区","南沢五条1丁目1-1",,"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳ","東海大学付属第四高等学校")",
             R"("南区","南沢五条1丁目1-1",,"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸﾀﾞｲﾖﾝｺｳﾄｳｶﾞﾂｺｳﾁﾕｳﾄｳﾌﾞ","東海大学付属第四高等学校中等部")"}},
        // The office under the code is now one school of another name: the
        // row does not write the two old names over it.
        ShippedRowCase{
            "two_schools_0058602_renamed",
            uR"(01106,"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸｻﾂﾎﾟﾛｺｳﾄｳｶﾞﾂｺｳ","東海大学付属札幌高等学校","北海道","札幌市南区","南沢五条","１丁目１－１","0058602","005  ","札幌南",0,0,0)",
            {"札幌市南区南沢五条１丁目１－１　東海大学付属札幌高等学校"},
            {R"("札幌市南区","南沢五条１丁目１－１",,"ﾄｳｶｲﾀﾞｲｶﾞｸﾌｿﾞｸｻﾂﾎﾟﾛｺｳﾄｳｶﾞﾂｺｳ","東海大学付属札幌高等学校")"}},
        ShippedRowCase{
            "corporation_and_schools_1028357",
            uR"(13101,"ｶﾞﾂｺｳﾎｳｼﾞﾝ ｵｵﾂﾏｶﾞｸｲﾝ ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸ ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸﾀﾝｷﾀﾞｲｶﾞｸﾌﾞ ｵｵﾂﾏﾁﾕｳｶﾞﾂｺｳ ｵｵﾂﾏｺｳﾄｳｶﾞﾂｺｳ","学校法人　大妻学院　大妻女子大学　大妻女子大学短期大学部　大妻中学校　大妻高等学校","東京都","千代田区","三番町","１２番地","1028357","102  ","麹町",0,0,0)",
            {"千代田区三番町１２番地　大妻学院\t学校法人", "千代田区三番町１２番地　大妻女子大学\t学校法人",
             "千代田区三番町１２番地　大妻女子大学短期大学部\t学校法人",
             "千代田区三番町１２番地　大妻中学校\t学校法人",
             "千代田区三番町１２番地　大妻高等学校\t学校法人"},
            {R"("千代田区","三番町１２番地","学校法人","ｵｵﾂﾏｶﾞｸｲﾝ","大妻学院")",
             R"("千代田区","三番町１２番地","学校法人","ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸ","大妻女子大学")",
             R"("千代田区","三番町１２番地","学校法人","ｵｵﾂﾏｼﾞﾖｼﾀﾞｲｶﾞｸﾀﾝｷﾀﾞｲｶﾞｸﾌﾞ","大妻女子大学短期大学部")",
             R"("千代田区","三番町１２番地","学校法人","ｵｵﾂﾏﾁﾕｳｶﾞﾂｺｳ","大妻中学校")",
             R"("千代田区","三番町１２番地","学校法人","ｵｵﾂﾏｺｳﾄｳｶﾞﾂｺｳ","大妻高等学校")"}},
        // The first alternative whose guard holds runs; the comment of the
        // third office is emptied before the fourth.
        ShippedRowCase{
            "four_offices_9458501",
            uR"(15205,"ｶｼﾜｻﾞｷｺｳｷﾖｳｼﾖｸｷﾞﾖｳｱﾝﾃｲｼﾖ､ｶｼﾜｻﾞｷﾛｳﾄﾞｳｷｼﾞﾕﾝｶﾝﾄｸｼﾖ､ｹｲｻﾞｲｻﾝｷﾞﾖｳｼﾖｳｼｹﾞﾝｴﾈﾙｷﾞ-ﾁﾖｳｹﾞﾝｼﾘﾖｸｱﾝｾﾞﾝ･ﾎｱﾝｲﾝｶｼﾜｻﾞｷｶ","柏崎公共職業安定所、柏崎労働基準監督署、経済産業省資源エネルギー庁原子力安全・保安院柏崎刈羽原子力保安検査官事務所、新潟地方法務局柏崎支局","新潟県","柏崎市","田中","２６－２３","9458501","945  ","柏崎",0,0,0)",
            {"柏崎市田中２６－２３　柏崎公共職業安定所", "柏崎市田中２６－２３　柏崎労働基準監督署",
             "柏崎市田中２６－２３　柏崎刈羽原子力保安検査官事務所"
             "\t経済産業省資源エネルギー庁原子力安全・保安院柏崎刈羽原子力保安検査官事務所",
             "柏崎市田中２６－２３　新潟地方法務局柏崎支局"},
            {R"("柏崎市","田中２６－２３",,"ｶｼﾜｻﾞｷｺｳｷﾖｳｼﾖｸｷﾞﾖｳｱﾝﾃｲｼﾖ","柏崎公共職業安定所")",
             R"("柏崎市","田中２６－２３",,"ｶｼﾜｻﾞｷﾛｳﾄﾞｳｷｼﾞﾕﾝｶﾝﾄｸｼﾖ","柏崎労働基準監督署")",
             R"("柏崎市","田中２６－２３","経済産業省資源エネルギー庁原子力安全・保安院柏崎刈羽原子力保安検査官事務所","","柏崎刈羽原子力保安検査官事務所")",
             R"("柏崎市","田中２６－２３",,"ﾆｲｶﾞﾀﾁﾎｳﾎｳﾑｷﾖｸｶｼﾜｻﾞｷｼｷﾖｸ","新潟地方法務局柏崎支局")"}},
        // The second alternative writes one record, its reading as its kanji.
        ShippedRowCase{
            "one_office_9458501",
            uR"(15205,"ﾂｳｼﾖｳｻﾝｷﾞﾖｳｼﾖｳｼｹﾞﾝｴﾈﾙｷﾞ-ﾁﾖｳｶｼﾜｻﾞｷｶﾘﾜｳﾝﾃﾝｶﾝﾘｾﾝﾓﾝｶﾝｼﾞﾑｼﾖ.ﾆｲｶﾞﾀﾁﾎｳﾎｳﾑｷﾖｸｶｼﾜｻﾞｷｼｷﾖｸ","通商産業省資源エネルギー庁柏崎刈羽運転管理専門事務所・新潟地方法務局柏崎支局","新潟県","柏崎市","田中","２６－２３","9458501","945  ","柏崎",0,0,0)",
            {"柏崎市田中２６－２３　柏崎刈羽運転管理専門事務所\t通商産業省資源エネルギー庁"},
            {R"("柏崎市","田中２６－２３","通商産業省資源エネルギー庁","ｶｼﾜｻﾞｷｶﾘﾜｳﾝﾃﾝｶﾝﾘｾﾝﾓﾝｼﾞﾑｼﾖ","柏崎刈羽運転管理専門事務所")"}},
        ShippedRowCase{
            "neither_alternative_9458501",
            uR"(15205,"ｶｼﾜｻﾞｷｼﾔｸｼﾖ","柏崎市役所","新潟県","柏崎市","田中","２６－２３","9458501","945  ","柏崎",0,0,0)",
            {"柏崎市田中２６－２３　柏崎市役所"},
            {R"("柏崎市","田中２６－２３",,"ｶｼﾜｻﾞｷｼﾔｸｼﾖ","柏崎市役所")"}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// The word-list rows shorten the entry (into the comment) for the word list
// only; the CSV gets the record as it stands. The words are still over long,
// so the writer narrows them.
INSTANTIATE_TEST_SUITE_P(
    WordListRows, ShippedRow,
    ::testing::Values(
        ShippedRowCase{
            "english_names_1008383",
            uR"(13101,"ｼﾝﾄｳｱｺｳｴｷ ｶﾌﾞｼｷｶﾞｲｼﾔ ﾎﾝﾃﾝ","新東亜交易　株式会社　本店　（ＳＨＩＮＴＯＡ　ＣＯＲＰＯＲＡＴＩＯＮ）ａｎｄ（ＳＨＩＮＴＯＡ　ＫＯＥＫＩ　ＫＡＩＳＨＡ．ＬＴＤ．）","東京都","千代田区","丸の内","１－６－１丸の内センタービル８階","1008383","100  ","銀座",0,0,0)",
            {"千代田区丸の内1-6-1丸の内ｾﾝﾀｰﾋﾞﾙ8階　新東亜交易 株式会社 本店"
             "\tＳＨＩＮＴＯＡ　ＣＯＲＰＯＲＡＴＩＯＮａｎｄＳＨＩＮＴＯＡ　ＫＯＥＫＩ　ＫＡＩＳＨＡ．ＬＴＤ"
             "．"},
            {R"("千代田区","丸の内１－６－１丸の内センタービル８階",,"ｼﾝﾄｳｱｺｳｴｷ ｶﾌﾞｼｷｶﾞｲｼﾔ ﾎﾝﾃﾝ","新東亜交易　株式会社　本店　（ＳＨＩＮＴＯＡ　ＣＯＲＰＯＲＡＴＩＯＮ）ａｎｄ（ＳＨＩＮＴＯＡ　ＫＯＥＫＩ　ＫＡＩＳＨＡ．ＬＴＤ．）")"}},
        // Only the building leaves the address; the town stays.
        ShippedRowCase{
            "building_7008501",
            uR"(33101,"ﾆﾂﾎﾟﾝﾈﾝｷﾝｷｺｳ ﾁﾕｳｺﾞｸﾌﾞﾛﾂｸﾎﾝﾌﾞ ｵｶﾔﾏｺｳｲｷｼﾞﾑｾﾝﾀ-","日本年金機構　中国ブロック本部　岡山広域事務センター","岡山県","岡山市北区","新屋敷町","１－１－１８山陽新聞社新聞製作センタービル５階","7008501","700  ","岡山中央",0,0,0)",
            {"岡山市北区新屋敷町1-1-18　日本年金機構 中国ﾌﾞﾛｯｸ本部 岡山広域事務ｾﾝﾀｰ"
             "\t山陽新聞社新聞製作センタービル５階"},
            {R"("岡山市北区","新屋敷町１－１－１８山陽新聞社新聞製作センタービル５階",,"ﾆﾂﾎﾟﾝﾈﾝｷﾝｷｺｳ ﾁﾕｳｺﾞｸﾌﾞﾛﾂｸﾎﾝﾌﾞ ｵｶﾔﾏｺｳｲｷｼﾞﾑｾﾝﾀ-","日本年金機構　中国ブロック本部　岡山広域事務センター")"}},
        ShippedRowCase{
            "division_7058585",
            uR"(33211,"ﾊﾟﾅｿﾆﾂｸ ｶﾌﾞｼｷｶﾞｲｼﾔ ｵ-ﾄﾓ-ﾃｲﾌﾞｱﾝﾄﾞｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞｼﾔ ｾﾐｺﾝﾀﾞｸﾀ-ｼﾞｷﾞﾖｳﾌﾞ ｵｶﾔﾏｺｳｼﾞﾖｳ","パナソニック　株式会社　オートモーティブ＆インダストリアルシステムズ社　セミコンダクター事業部　岡山工場","岡山県","備前市","友延","７００番地","7058585","705  ","備前",0,0,0)",
            {"備前市友延700　ﾊﾟﾅｿﾆｯｸ 株式会社 ｵｰﾄﾓｰﾃｨﾌﾞ&ｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞ社 岡山工場"
             "\tセミコンダクター事業部"},
            {R"("備前市","友延７００番地",,"ﾊﾟﾅｿﾆﾂｸ ｶﾌﾞｼｷｶﾞｲｼﾔ ｵ-ﾄﾓ-ﾃｲﾌﾞｱﾝﾄﾞｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞｼﾔ ｾﾐｺﾝﾀﾞｸﾀ-ｼﾞｷﾞﾖｳﾌﾞ ｵｶﾔﾏｺｳｼﾞﾖｳ","パナソニック　株式会社　オートモーティブ＆インダストリアルシステムズ社　セミコンダクター事業部　岡山工場")"}},
        ShippedRowCase{
            "legal_form_7658508",
            uR"(37204,"ﾄﾞｸﾘﾂｷﾞﾖｳｾｲﾎｳｼﾞﾝ ﾉｳｷﾞﾖｳ･ｾｲﾌﾞﾂｹｲﾄｸﾃｲｻﾝｷﾞﾖｳｷﾞｼﾞﾕﾂｹﾝｷﾕｳｷｺｳ ｷﾝｷﾁﾕｳｺﾞｸｼｺｸﾉｳｷﾞﾖｳｹﾝｷﾕｳｾﾝﾀ-","独立行政法人　農業・生物系特定産業技術研究機構　近畿中国四国農業研究センター","香川県","善通寺市","仙遊町","１丁目３－１","7658508","765  ","善通寺",0,0,0)",
            {"善通寺市仙遊町1-3-1　農業･生物系特定産業技術研究機構 近畿中国四国農業研究ｾﾝﾀｰ\t独立行政法人"},
            {R"("善通寺市","仙遊町１丁目３－１",,"ﾄﾞｸﾘﾂｷﾞﾖｳｾｲﾎｳｼﾞﾝ ﾉｳｷﾞﾖｳ･ｾｲﾌﾞﾂｹｲﾄｸﾃｲｻﾝｷﾞﾖｳｷﾞｼﾞﾕﾂｹﾝｷﾕｳｷｺｳ ｷﾝｷﾁﾕｳｺﾞｸｼｺｸﾉｳｷﾞﾖｳｹﾝｷﾕｳｾﾝﾀ-","独立行政法人　農業・生物系特定産業技術研究機構　近畿中国四国農業研究センター")"}},
        ShippedRowCase{
            "division_9448555",
            uR"(15217,"ﾊﾟﾅｿﾆﾂｸ ｶﾌﾞｼｷｶﾞｲｼﾔ ｵ-ﾄﾓ-ﾃｲﾌﾞｱﾝﾄﾞｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞｼﾔ ｾﾐｺﾝﾀﾞｸﾀ-ｼﾞｷﾞﾖｳﾌﾞ ﾎｸﾘｸｺｳｼﾞﾖｳ ｱﾗｲﾁｸ","パナソニック　株式会社　オートモーティブ＆インダストリアルシステムズ社　セミコンダクター事業部　北陸工場　新井地区","新潟県","妙高市","栗原","４丁目５番１号","9448555","944  ","新井",0,0,0)",
            {"妙高市栗原4-5-1　ﾊﾟﾅｿﾆｯｸ 株式会社 ｵｰﾄﾓｰﾃｨﾌﾞ&ｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞ社 北陸工場 新井地区"
             "\tセミコンダクター事業部"},
            {R"("妙高市","栗原４丁目５番１号",,"ﾊﾟﾅｿﾆﾂｸ ｶﾌﾞｼｷｶﾞｲｼﾔ ｵ-ﾄﾓ-ﾃｲﾌﾞｱﾝﾄﾞｲﾝﾀﾞｽﾄﾘｱﾙｼｽﾃﾑｽﾞｼﾔ ｾﾐｺﾝﾀﾞｸﾀ-ｼﾞｷﾞﾖｳﾌﾞ ﾎｸﾘｸｺｳｼﾞﾖｳ ｱﾗｲﾁｸ","パナソニック　株式会社　オートモーティブ＆インダストリアルシステムズ社　セミコンダクター事業部　北陸工場　新井地区")"}}),
    [](const auto& instance) { return std::string(instance.param.name); });

// Every record of the real business file of both bundled months: a code
// without a row gives exactly one record, and no record reports a failure.
TEST(RealDataBusinessEdit, ShippedTablesOnTheBusinessFilesOfBothMonths) {
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
    long records = 0, more_than_one = 0;
    h.ctx.reader.G_InputIndex = kBusinessIndex;
    // Each record the reader lays out, through the stages after it.
    const auto read = testing::ReadRecords(in, kBusinessIndex, [&](ZipRecord& rec) {
      h.ctx.reader.ZipRec = rec;
      const long before = h.ctx.run.G_RecordCount;
      h.stages->ConvertRecord();
      const long written = h.ctx.run.G_RecordCount - before;
      if (!codes_with_rows.contains(rec[kPostalCode])) {
        EXPECT_EQ(written, 1) << ToUtf8(rec[kPostalCode]);
      }
      more_than_one += written > 1;
      ++records;
    });
    EXPECT_TRUE(read.empty()) << read.front();
    EXPECT_GT(records, 20000);
    EXPECT_GT(more_than_one, 0);
    EXPECT_EQ(static_cast<long>(h.lines().size()), h.ctx.run.G_RecordCount);
    EXPECT_TRUE(h.dialogs.messages().empty()) << h.dialogs.messages().front();
  }
}

}  // namespace
}  // namespace tessivar
