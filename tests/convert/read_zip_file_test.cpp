#include "convert/read/read_zip_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <map>
#include <optional>

#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

// Reads a file made of the given lines (UTF-8 here, code page 932 on disk)
// and keeps every record handed on.
class Reader : public ::testing::Test {
 protected:
  Reader() { options_.prefecture_checked.fill(true); }

  std::vector<std::vector<Text>> Read(const std::vector<std::string>& lines, int input_index = 0) {
    const fs::path path = fs::temp_directory_path() / ("reader_test_" + std::to_string(::getpid()) + ".CSV");
    std::string bytes;
    Cp932 codec;
    for (const auto& line : lines) {
      codec.Encode(FromUtf8(line), bytes);
      bytes += "\r\n";
    }
    std::ofstream(path, std::ios::binary) << bytes;
    return ReadFile(path, input_index);
  }

  std::vector<std::vector<Text>> ReadFile(const fs::path& path, int input_index) {
    RunEnvironment run(options_, InputFiles{}, dialogs_);
    ReaderState state;
    run.origin = &state.origin;
    state.G_InputIndex = input_index;
    TextFileReader input;
    EXPECT_TRUE(input.Open(path));
    std::vector<std::vector<Text>> records;
    F_ReadZipFile(run, state, input, [&](ZipRecord& rec) {
      records.push_back(rec);
      if (rec[kPostalCode] == hand_on_failure_) throw RuleError("the handler failed");
    });
    EXPECT_FALSE(input.is_open());
    line_count_ = state.G_LineCount;
    return records;
  }

  static std::string FileName() { return "reader_test_" + std::to_string(::getpid()) + ".CSV"; }

  RunOptions options_;
  ScriptedDialogs dialogs_;
  long line_count_ = 0;
  std::optional<Text> hand_on_failure_;  // the handler fails for the record of this code
};

const std::string kAsahigaoka =
    R"L(01101,"064  ","0640941","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ","ｱｻﾋｶﾞｵｶ","北海道","札幌市中央区","旭ケ丘",0,0,1,0,0,0)L";

TEST_F(Reader, OneLineIsHandedOnAtTheEndAndAnEmptyFileGivesNothing) {
  auto records = Read({kAsahigaoka});
  ASSERT_EQ(records.size(), 1u);
  const auto& r = records[0];
  ASSERT_EQ(r.size(), 17u);
  EXPECT_EQ(r[kLocalCode], u"01101");
  EXPECT_EQ(r[kOldCode], u"064  ");
  EXPECT_EQ(r[kPostalCode], u"0640941");
  EXPECT_EQ(r[kTownKana], u"ｱｻﾋｶﾞｵｶ");
  EXPECT_EQ(r[kTownKanji], u"旭ケ丘");
  EXPECT_EQ(r[kFlag3], u"1");
  EXPECT_EQ(r[kReason], u"0");
  EXPECT_EQ(r[kCompanyKanji], u"");
  EXPECT_EQ(line_count_, 1);

  EXPECT_TRUE(Read({}).empty());
  // Japan Post's files are never empty: an empty one is named.
  EXPECT_EQ(dialogs_.messages(), std::vector<std::string>{FileName() + " にデータがありません。"});
}

// Every failure the traps report names the file, the line and the postal
// code: a continuation line its own line, a handed-on record its first line.
TEST_F(Reader, FailuresNameTheFileLineAndPostalCode) {
  hand_on_failure_ = u"0600001";
  Read({kAsahigaoka,
        R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ(1-","北海道","札幌市","北（１～",0,0,0,0,0,0)L",
        R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ",",北海道","札幌市","２～",0,0,0,0,0,0)L",
        R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","3ﾁｮｳﾒ)","北海道","札幌市","３丁目）",0,0,0,0,0,0)L"});
  const std::string where = "（" + FileName() + " の ";
  EXPECT_EQ(dialogs_.messages(),
            (std::vector<std::string>{
                "プロシージャの呼び出し、または引数が不正です。" + where + "3 行目、郵便番号 0600001）",
                "the handler failed" + where + "2 行目、郵便番号 0600001）"}));
}

TEST_F(Reader, ContinuedRecordIsJoinedAndTheNextOneStandsAlone) {
  auto records = Read({
      R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ(1-","北海道","札幌市","北（１～",0,0,0,0,0,0)L",
      R"L(01101,"999  ","0600001","X","Y","3ﾁｮｳﾒ)","Z","W","３丁目）",9,9,9,9,9,9)L",
      R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ","北海道","札幌市","北",0,0,0,0,0,0)L",
      R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ","北海道","札幌市","北",0,0,0,0,0,0)L",
  });
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[0][kTownKanji], u"北（１～３丁目）");
  EXPECT_EQ(records[0][kTownKana], u"ｷﾀ(1-3ﾁｮｳﾒ)");
  EXPECT_EQ(records[0][kOldCode], u"060  ");  // everything else from the first line
  EXPECT_EQ(records[0][kFlag1], u"0");
  EXPECT_EQ(records[1][kTownKanji], u"北");  // closed: the same code begins a new record
  EXPECT_EQ(records[2][kTownKanji], u"北");
  EXPECT_EQ(line_count_, 4);
}

TEST_F(Reader, KanaThatRepeatsOnEveryLineIsNotExtended) {
  auto records = Read({
      R"L(26102,"602  ","6028134","ｷｮｳﾄﾌ","ｷｮｳﾄｼｶﾐｷﾞｮｳｸ","ｲｯﾁｮｳﾒ","京都府","京都市上京区","一町目（大宮通",0,0,0,0,0,0)L",
      R"L(26102,"602  ","6028134","ｷｮｳﾄﾌ","ｷｮｳﾄｼｶﾐｷﾞｮｳｸ","ｲｯﾁｮｳﾒ","京都府","京都市上京区","入）",0,0,0,0,0,0)L",
  });
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][kTownKanji], u"一町目（大宮通入）");
  EXPECT_EQ(records[0][kTownKana], u"ｲｯﾁｮｳﾒ");
}

TEST_F(Reader, UncheckedPrefectureLinesAreSkippedInsideAPendingRecord) {
  options_.prefecture_checked[13] = false;
  auto records = Read({
      R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ(1-","北海道","札幌市","北（１～",0,0,0,0,0,0)L",
      R"L(13101,"100  ","1000001","ﾄｳｷｮｳﾄ","ﾁﾖﾀﾞｸ","ﾁﾖﾀﾞ","東京都","千代田区","千代田",0,0,0,0,0,0)L",
      R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","3ﾁｮｳﾒ)","北海道","札幌市","３丁目）",0,0,0,0,0,0)L",
  });
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0][kTownKanji], u"北（１～３丁目）");
  EXPECT_EQ(line_count_, 2);  // a skipped line is not counted
}

TEST_F(Reader, BusinessLineIsRearrangedWithOrWithoutTheBlank) {
  const std::string line =
      R"L(01101,"ｲﾄｳｸﾞﾐﾄﾞｹﾝ ｶﾌﾞｼｷｶﾞｲｼﾔ","伊藤組土建　（株）","北海道","札幌市中央区","北四条西","４丁目１番地","0608554","060  ","札幌中央",0,0,0)L";
  auto records = Read({line}, kBusinessIndex);
  ASSERT_EQ(records.size(), 1u);
  const auto& r = records[0];
  EXPECT_EQ(r[kOldCode], u"060  ");
  EXPECT_EQ(r[kPostalCode], u"0608554");
  EXPECT_EQ(r[kPrefKanji], u"北海道");
  EXPECT_EQ(r[kCityKanji], u"札幌市中央区");
  EXPECT_EQ(r[kTownKanji], u"北四条西４丁目１番地");
  EXPECT_EQ(r[kFlag1], u"\"札幌中央\"");  // the handling office keeps its quotes
  EXPECT_EQ(r[kCompanyKana], u"ｲﾄｳｸﾞﾐﾄﾞｹﾝ ｶﾌﾞｼｷｶﾞｲｼﾔ");
  EXPECT_EQ(r[kCompanyKanji], u"伊藤組土建　（株）");
  EXPECT_TRUE(r[kPrefKana].empty() && r[kCityKana].empty() && r[kTownKana].empty());
  EXPECT_TRUE(r[kUpdate].empty() && r[kReason].empty());

  options_.with_blank = true;
  EXPECT_EQ(Read({line}, kBusinessIndex)[0][kTownKanji], u"北四条西　４丁目１番地");
}

TEST_F(Reader, BadLinesAreReportedAndReadingGoesOn) {
  auto records = Read({
      "x",
      R"L(99101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ","北海道","札幌市","北",0,0,0,0,0,0)L",
      kAsahigaoka,
  });
  // "x": its code is no number, and it has no postal code: no record.
  // 99: no such prefecture box; the line is taken as if its box were set.
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0][kTownKanji], u"北");
  EXPECT_EQ(records[1][kTownKanji], u"旭ケ丘");
  EXPECT_EQ(
      dialogs_.messages(),
      (std::vector<std::string>{"型が一致しません。（" + FileName() + " の 1 行目）",
                                "郵便番号「」が 7 桁の数字ではないため、このレコードは読み飛ばしました。（" +
                                    FileName() + " の 1 行目）",
                                "インデックスが有効範囲にありません。（" + FileName() + " の 2 行目）"}));
}

// A damaged continuation line, cut short before the town's reading or its
// kanji, is reported in the program's words with its file and line; the
// record is still handed on with what it has.
TEST_F(Reader, DamagedContinuationLineIsReportedWithItsFileAndLine) {
  struct Case {
    const char* label;
    std::string continuation;
    std::vector<std::string> missing_columns;
  } cases[] = {
      {"cut before the reading", R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ")L", {"6", "9"}},
      {"cut before the kanji", R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","2ﾁｮｳﾒ)")L", {"9"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    dialogs_ = ScriptedDialogs();
    auto records = Read(
        {R"L(01101,"060  ","0600001","ﾎｯｶｲﾄﾞｳ","ｻｯﾎﾟﾛｼ","ｷﾀ(1-","北海道","札幌市","北（１～",0,0,0,0,0,0)L",
         c.continuation, kAsahigaoka});
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0][kTownKanji], u"北（１～");
    std::vector<std::string> expected;
    for (const std::string& column : c.missing_columns)
      expected.push_back("この行には " + column + " 列目がありません。（" + FileName() +
                         " の 2 行目、郵便番号 0600001）");
    EXPECT_EQ(dialogs_.messages(), expected);
  }
}

// Records of the real address file spread over several lines come out whole.
using RealDataReader = Reader;
TEST_F(RealDataReader, ContinuedRecordsOfTheAddressFile) {
  std::map<Text, Text> towns, kanas;
  long records = 0;
  RunEnvironment run(options_, InputFiles{}, dialogs_);
  ReaderState state;
  TextFileReader input;
  ASSERT_TRUE(input.Open(fs::path(JAPANPOST_DIR) / "KEN_ALL.CSV"));
  F_ReadZipFile(run, state, input, [&](ZipRecord& rec) {
    ++records;
    const Text& code = rec[kPostalCode];
    if (code == u"0660005" || code == u"6028134") {
      towns[code] = rec[kTownKanji];
      kanas[code] = rec[kTownKana];
    }
  });
  EXPECT_TRUE(dialogs_.messages().empty());
  EXPECT_EQ(state.G_LineCount, 124825);
  EXPECT_LT(records, 124825);
  EXPECT_EQ(towns[u"0660005"],
            u"協和（８８－２、２７１－１０、３４３－２、４０４－１、４２７－３、４３１－１２、４４３－６、"
            u"６０８－２、６４１－８、８１４、８４２－５、１１３７－３、１３９２、１６５７、１７５２番地）");
  EXPECT_EQ(
      kanas[u"0660005"],
      u"ｷｮｳﾜ(88-2､271-10､343-2､404-1､427-3､431-12､443-6､608-2､641-8､814､842-5､1137-3､1392､1657､1752ﾊﾞﾝﾁ)");
  EXPECT_EQ(towns[u"6028134"],
            u"一町目（大宮通椹木町下る、大宮通丸太町上る、椹木町通大宮西入、丸太町通大宮東入）");
  EXPECT_EQ(kanas[u"6028134"], u"ｲｯﾁｮｳﾒ");
}

}  // namespace
}  // namespace tessivar
