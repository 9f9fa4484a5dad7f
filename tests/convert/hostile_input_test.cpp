// Inputs a careless or hostile user could give a run, each through the
// whole run: what is said (exactly), whether the run succeeds, and what the
// word list then holds or, when it fails, that the old one stays. None may
// make a run report a success it did not have, write a control character,
// read one record as another, or run away with the disk, the memory or the
// screen.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>

#include "convert/run.h"
#include "dialogs/scripted_dialogs.h"
#include "support/zip_files.h"
#include "text/cp932.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

// An address line of KEN_ALL.CSV (UTF-8 here, code page 932 on disk).
std::string Line(const std::string& code, const std::string& kana, const std::string& kanji) {
  return "01101,\"060  \",\"" + code + "\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"" + kana +
         "\",\"北海道\",\"札幌市中央区\",\"" + kanji + "\",0,0,1,0,0,0";
}

const std::string kAsahigaokaLine = Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭ケ丘");
const std::string kAsahigaokaEntry = "０６４－０９４１\t札幌市中央区旭ケ丘\t地名その他";
// A record continued over three lines, as Japan Post writes a long town name.
const std::vector<std::string> kKita = {Line("0600001", "ｷﾀ(1ﾁｮｳﾒ､", "北（１丁目、"),
                                        Line("0600001", "2ﾁｮｳﾒ､", "２丁目、"),
                                        Line("0600001", "3ﾁｮｳﾒ)", "３丁目）")};
const std::vector<std::string> kKitaEntries = {"０６０－０００１\t札幌市中央区北１丁目\t地名その他",
                                               "０６０－０００１\t札幌市中央区北２丁目\t地名その他",
                                               "０６０－０００１\t札幌市中央区北３丁目\t地名その他"};

std::string Encoded(const std::string& utf8) {
  std::string bytes;
  Cp932 codec;
  codec.Encode(FromUtf8(utf8), bytes);
  return bytes;
}

// The lines in code page 932, each ended by line_end.
std::string Lines(const std::vector<std::string>& lines, const std::string& line_end = "\r\n") {
  std::string bytes;
  for (const auto& line : lines) bytes += Encoded(line) + line_end;
  return bytes;
}

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string OnePerLine(const std::vector<std::string>& messages) {
  std::string text;
  for (const auto& message : messages) text += message + "\n";
  return text;
}

std::string Where(long line, const std::string& code = "") {
  return "（KEN_ALL.CSV の " + std::to_string(line) + " 行目" + (code.empty() ? "" : "、郵便番号 " + code) +
         "）";
}

const std::string kNothingMade = "郵便番号データが 0 件のため、ZIP.TXT は作成しませんでした。";
std::string Made(long entries) {
  return "郵便番号データを " + std::to_string(entries) + " 件 作成しました。";
}

// Runs out of memory at the given call of ProcessEvents, which the reader
// and the word-list writer make while they work.
// What fails inside the run, at the given call of ProcessEvents (from 1).
enum class Fault { kNone, kOutOfMemory, kProgram };

class HostileDialogs : public ScriptedDialogs {
 public:
  HostileDialogs(Fault fault, long at) : fault_(fault), at_(at) {}
  void ProcessEvents() override {
    if (++calls_ != at_) return;
    if (fault_ == Fault::kOutOfMemory) throw std::bad_alloc();
    if (fault_ == Fault::kProgram) throw std::logic_error("a fault of the program");
  }

 private:
  Fault fault_;
  long at_;
  long calls_ = 0;
};

struct HostileCase {
  const char* name;
  InputFile file;  // in CSV_IN
  std::function<std::string()> bytes;
  std::vector<std::string> messages;
  bool made;                         // else the run fails and the old word list stays
  std::vector<std::string> entries;  // the word list's entries, when given
  Fault fault = Fault::kNone;
  long fault_at = 0;
};

void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }

const InputFile kKenAllFile{"KEN_ALL.CSV", "", false};
const InputFile kZipped{"ken_all.zip", "KEN_ALL.CSV", false};
const InputFile kUtf8{"utf_ken_all.csv", "", true};

// Zipped as Japan Post publishes: a few KiB that unpack to a whole MiB.
std::string Zip(const std::string& bytes) {
  const fs::path zip = fs::temp_directory_path() / ("hostile_" + std::to_string(::getpid()) + ".zip");
  EXPECT_TRUE(test_support::WriteZip(zip, {{"KEN_ALL.CSV", bytes}}));
  std::ifstream in(zip, std::ios::binary);
  std::string zipped{std::istreambuf_iterator<char>(in), {}};
  fs::remove(zip);
  return zipped;
}

// Lines each with a TAB in its town name, then one good line.
std::string TabLines(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭\tケ丘"));
  lines.push_back(kAsahigaokaLine);
  return Lines(lines);
}
std::vector<std::string> TabMessages(int count) {
  std::vector<std::string> messages;
  for (int line = 1; line <= std::min(count, 100); ++line) {
    messages.push_back("制御文字「U+0009」を含むため、このレコードは読み飛ばしました。" +
                       Where(line, "0640941"));
  }
  if (count > 100) {
    messages.push_back(
        "『制御文字「…」を含むため、このレコードは読み飛ばしました。（KEN_ALL.CSV の … 行目、郵便番号 "
        "…）』は 100 件を超えたため、ほかの " +
        std::to_string(count - 100) + " 件は表示しませんでした。");
  }
  messages.push_back(Made(1));
  return messages;
}

// A town list continued over lines of one part each, far beyond any real one.
std::string LongContinuation(int lines) {
  std::vector<std::string> all = {Line("0600001", "ｷﾀ(", "北（")};
  for (int i = 0; i < lines; ++i) all.push_back(Line("0600001", "1､", "１、"));
  all.push_back(Line("0600001", "2ﾁｮｳﾒ)", "２丁目）"));
  all.push_back(kAsahigaokaLine);
  return Lines(all);
}

// One main name repeated without end: each record adds its town to the lists
// the comments are taken from, until a list would pass its limit: the kanji
// list at line 231, the reading's at line 334.
std::string RepeatedMainName(int lines) {
  return Lines(std::vector<std::string>(lines, Line("0600001", "ｷ(1-2､3)", "北（１～２番地、３番地）")));
}
std::vector<std::string> RepeatedMainNameMessages(int lines, long made) {
  std::vector<std::string> messages;
  for (int line = 231; line <= 330; ++line) {
    messages.push_back("同じ町域名の町域の一覧が 3000 文字を超えるため、この町域は一覧に加えません。" +
                       Where(line, "0600001"));
  }
  messages.push_back(
      "『同じ町域名の町域の一覧が … 文字を超えるため、この町域は一覧に加えません。（KEN_ALL.CSV の … "
      "行目、郵便番号 "
      "…）』は 100 件を超えたため、ほかの " +
      std::to_string((lines - 330) + (lines - 333)) + " 件は表示しませんでした。");
  messages.push_back(Made(made));
  return messages;
}

const std::string kBadUtf8 = "\xff";

const HostileCase kCases[] = {
    {"html_page_saved_as_the_address_file",
     kKenAllFile,
     [] { return std::string("<!DOCTYPE html>\r\n<html><body>404 Not Found</body></html>\r\n"); },
     {"型が一致しません。" + Where(1),
      "郵便番号「」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(1),
      "型が一致しません。" + Where(2),
      "郵便番号「」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(2), kNothingMade},
     false,
     {}},
    {"zip_of_one_repeated_byte",
     kZipped,
     [] { return Zip(std::string(1 << 20, 'A')); },
     {"ken_all.zip 内の KEN_ALL.CSV の 1 行目は 65536 バイトを超えるため読み飛ばしました。", kNothingMade},
     false,
     {}},
    {"zip_of_line_ends",
     kZipped,
     [] { return Zip(std::string(1 << 20, '\n')); },
     {"ken_all.zip 内の KEN_ALL.CSV の空の行 1048576 行（最初は 1 行目）は読み飛ばしました。", kNothingMade},
     false,
     {}},
    {"cr_cr_lf_line_ends_join_as_cr_lf",
     kKenAllFile,
     [] { return Lines(Joined(kKita, {kAsahigaokaLine}), "\r\r\n"); },
     {"KEN_ALL.CSV の空の行 4 行（最初は 2 行目）は読み飛ばしました。", Made(4)},
     true,
     Joined(kKitaEntries, {kAsahigaokaEntry})},
    {"blank_lines_inside_a_continued_record",
     kKenAllFile,
     [] {
       return "\r\n" + Lines({kKita[0]}) + "\r\n\n" + Lines({kKita[1], "", kKita[2]});
     },
     {"KEN_ALL.CSV の空の行 4 行（最初は 1 行目）は読み飛ばしました。", Made(3)},
     true,
     kKitaEntries},
    {"ranges_beyond_the_entries_of_one_record",
     kKenAllFile,
     [] {
       return Lines(
           {Line("0600001", "ｷﾀ(1-600ﾁｮｳﾒ､601-1200ﾁｮｳﾒ)", "北（１～６００丁目、６０１～１２００丁目）"),
            kAsahigaokaLine});
     },
     {"このレコードから作成するデータが 1000 件を超えるため、残りは作成しません。" + Where(1, "0600001"),
      Made(1001)},
     true,
     {}},
    {"town_continued_over_sixty_thousand_lines",
     kKenAllFile,
     [] { return LongContinuation(60000); },
     {"町域名が 3000 文字を超えるため、このレコードは読み飛ばしました。" + Where(1500, "0600001"), Made(1)},
     true,
     {kAsahigaokaEntry}},
    {"one_main_name_repeated_without_end",
     kKenAllFile,
     [] { return RepeatedMainName(5000); },
     RepeatedMainNameMessages(5000, 14),
     true,
     {}},
    {"postal_codes_of_other_lengths",
     kKenAllFile,
     [] {
       return Lines({Line("06409", "ｱ", "ア"), Line("064094", "ｲ", "イ"), Line("06409411", "ｳ", "ウ"),
                     Line("0640941100", "ｴ", "エ"), Line("064O941", "ｵ", "オ"), kAsahigaokaLine});
     },
     {"郵便番号「06409」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(1),
      "郵便番号「064094」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(2),
      "郵便番号「06409411」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(3),
      "郵便番号「0640941100」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(4),
      "郵便番号「064O941」が 7 桁の数字ではないため、このレコードは読み飛ばしました。" + Where(5), Made(1)},
     true,
     {kAsahigaokaEntry}},
    {"tab_nul_and_other_control_characters",
     kKenAllFile,
     [] {
       return Lines({Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭\tケ丘"),
                     Line("0640941", std::string("ｱｻﾋ") + '\0' + "ｶﾞｵｶ", "旭ケ丘"),
                     Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭\x1bケ丘"), Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭ケ丘\x7f"),
                     kKita[0], Line("0600001", "2ﾁｮｳﾒ､", "２\x01丁目、"), kKita[2], kAsahigaokaLine});
     },
     {"制御文字「U+0009」を含むため、このレコードは読み飛ばしました。" + Where(1, "0640941"),
      "制御文字「U+0000」を含むため、このレコードは読み飛ばしました。" + Where(2, "0640941"),
      "制御文字「U+001B」を含むため、このレコードは読み飛ばしました。" + Where(3, "0640941"),
      "制御文字「U+007F」を含むため、このレコードは読み飛ばしました。" + Where(4, "0640941"),
      "制御文字「U+0001」を含むため、このレコードは読み飛ばしました。" + Where(6, "0600001"), Made(1)},
     true,
     {kAsahigaokaEntry}},
    {"a_hundred_messages_of_one_kind_then_their_count",
     kKenAllFile,
     [] { return TabLines(150); },
     TabMessages(150),
     true,
     {kAsahigaokaEntry}},
    {"quoted_comma_stays_in_its_field",
     kKenAllFile,
     [] { return Lines({Line("0640941", "ｱｻﾋｶﾞｵｶ,0", "旭ケ丘,0")}); },
     {Made(1)},
     true,
     {"０６４－０９４１\t札幌市中央区旭ケ丘,0\t地名その他"}},
    {"quoted_line_end_is_inside_its_field",
     kKenAllFile,
     [] {
       return Encoded(Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭ケ\r\n丘")) + "\r\n" +
              Lines(Joined(kKita, {kAsahigaokaLine}));
     },
     {"制御文字「U+000A」を含むため、このレコードは読み飛ばしました。" + Where(1, "0640941"), Made(4)},
     true,
     Joined(kKitaEntries, {kAsahigaokaEntry})},
    {"bad_utf8_byte_on_the_first_line",
     kUtf8,
     [] { return Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭" + kBadUtf8) + "\r\n" + kAsahigaokaLine + "\r\n"; },
     {"utf_ken_all.csv の 1 行目に UTF-8 として読めないバイトがあります。",
      "ZIP.TXT の 8 行目の文字「\uFFFD」は Shift_JIS で書けません。", Made(2)},
     true,
     {"０６４－０９４１\t札幌市中央区旭?\t地名その他", kAsahigaokaEntry}},
    {"bad_utf8_byte_late_in_the_file",
     kUtf8,
     [] {
       std::string bytes;
       for (int i = 0; i < 20000; ++i) bytes += kAsahigaokaLine + "\r\n";
       return bytes + Line("0640941", "ｱｻﾋｶﾞｵｶ", "旭" + kBadUtf8) + "\r\n";
     },
     {"utf_ken_all.csv の 20001 行目に UTF-8 として読めないバイトがあります。",
      "ZIP.TXT の 9 行目の文字「\uFFFD」は Shift_JIS で書けません。", Made(2)},
     true,
     {kAsahigaokaEntry, "０６４－０９４１\t札幌市中央区旭?\t地名その他"}},
    {"address_file_in_another_encoding",
     kUtf8,
     [] { return Lines({kAsahigaokaLine}); },
     {"utf_ken_all.csv は UTF-8 ではなく Shift_JIS (コードページ 932) のファイルのため、読み込みません。",
      "入力ファイルを読み込めなかったため、ZIP.TXT は作成しませんでした。"},
     false,
     {}},
    // The encoding an address file plainly is in is judged by its first MiB,
    // also where its first 64 KiB say nothing.
    {"utf8_address_file_after_64_kib_of_empty_lines",
     kKenAllFile,
     [] { return std::string(36000 * 2, '\n') + kAsahigaokaLine + "\r\n"; },
     {"KEN_ALL.CSV は Shift_JIS (コードページ 932) ではなく UTF-8 のファイルのため、読み込みません。",
      "入力ファイルを読み込めなかったため、ZIP.TXT は作成しませんでした。"},
     false,
     {}},
    {"code_page_932_after_64_kib_of_empty_lines",
     kKenAllFile,
     [] { return std::string(36000 * 2, '\n') + Lines({kAsahigaokaLine}); },
     {"KEN_ALL.CSV の空の行 72000 行（最初は 1 行目）は読み飛ばしました。", Made(1)},
     true,
     {kAsahigaokaEntry}},
    {"memory_runs_out",
     kKenAllFile,
     [] { return Lines({kAsahigaokaLine}); },
     {"メモリーが足りなくなったため、ZIP.TXT は作成しませんでした。" + Where(1, "0640941")},
     false,
     {},
     Fault::kOutOfMemory,
     2},
    {"program_fault",
     kKenAllFile,
     [] { return Lines({kAsahigaokaLine}); },
     {"予期しないエラー（a fault of the program）が発生したため、ZIP.TXT は作成しませんでした。" +
      Where(1, "0640941")},
     false,
     {},
     Fault::kProgram,
     2},
};

class HostileInput : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, IsSaidAndNeverTakenForData) {
  const HostileCase& c = GetParam();
  const fs::path home = fs::temp_directory_path() / ("hostile_input_" + std::to_string(::getpid()));
  fs::remove_all(home);
  fs::create_directories(home / "CSV_IN");
  fs::create_directories(home / "CSV_OUT");
  std::ofstream(home / "CSV_IN" / c.file.name, std::ios::binary) << c.bytes();
  std::ofstream(home / "CSV_OUT" / "ZIP.TXT", std::ios::binary) << "the last good word list";

  RunOptions options;
  options.prefecture_checked.fill(true);
  options.write_changes = false;  // what the run keeps beside the output is tested on its own
  InputFiles inputs;
  inputs.in_folder = home / "CSV_IN";
  inputs.out_folder = home / "CSV_OUT";
  inputs.files[kAllPrefecturesIndex] = c.file;
  inputs.has_ken_all = true;
  HostileDialogs dialogs(c.fault, c.fault_at);
  ConvertContext ctx(options, inputs, dialogs);
  ctx.run.G_OutFileName = "ZIP.TXT";
  const bool made = F_CreateZipData(ctx);

  EXPECT_EQ(OnePerLine(dialogs.messages()), OnePerLine(c.messages));
  std::ifstream out(home / "CSV_OUT" / "ZIP.TXT", std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(out), {}};
  EXPECT_EQ(made, c.made);
  if (!c.made) {
    EXPECT_EQ(written, "the last good word list");
  } else if (!c.entries.empty()) {
    std::string entries;
    for (const auto& entry : c.entries) entries += Encoded(entry) + "\r\n";
    ASSERT_GT(written.size(), entries.size());
    EXPECT_EQ(written.substr(written.size() - entries.size()), entries);  // after the header
    EXPECT_EQ(written.find(entries), written.rfind("\r\n\r\n") + 4);      // nothing else after it
  }
  for (const auto& entry : fs::directory_iterator(home / "CSV_OUT")) {
    const fs::path name = entry.path().filename();
    EXPECT_TRUE(name == "ZIP.TXT" || name == "ZIP_作成条件.TXT") << name << ": no temporary file is left";
  }
  fs::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Cases, HostileInput, ::testing::ValuesIn(kCases),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar
