// The field-set file: creation with the built-in set, the set lists, look-up
// by name and the rewrites, on files in a temporary folder.
#include "fieldsets/field_set_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;
using text::Cp932;
using text::FromUtf8;
using text::Split;
using text::TextFileWriter;
using text::ToUtf8;
using Strings = std::vector<std::string>;

// The built-in set's list, spelled out: 0, the items 1 to 24 each followed
// by a comma item, 25, then eleven end markers.
const char kAllItems[] =
    "0,1,26,2,26,3,26,4,26,5,26,6,26,7,26,8,26,9,26,10,26,11,26,12,26,13,26,14,26,15,26,16,26,17,26,18,26,19,"
    "26,"
    "20,26,21,26,22,26,23,26,24,26,25,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1";
const char kQuillmere[] = "0,1,26,3,26,9,-1";
// The database set as the program writes it back.
const std::string kShippedQuillmere = ToUtf8(kDatabaseSetList);

class FieldSetFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tessivar_fieldsets_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    ini_ = dir_ / "Tessivar.ini";
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  static std::string Cp932Bytes(const Strings& lines) {
    std::string bytes;
    for (const auto& line : lines) {
      Cp932().Encode(FromUtf8(line), bytes);
      bytes += "\r\n";
    }
    return bytes;
  }
  // Writes lines (UTF-8 here) as code page 932 with CR LF.
  void WriteIni(const Strings& lines, const fs::path& path = {}) {
    TextFileWriter out;
    ASSERT_TRUE(out.Open(path.empty() ? ini_ : path));
    for (const auto& line : lines) ASSERT_TRUE(out.WriteLine(FromUtf8(line)));
    ASSERT_TRUE(out.Close());
  }
  // The file's lines back in UTF-8; also checks every line ends in CR LF.
  Strings ReadIni(const fs::path& path = {}) {
    std::ifstream in(path.empty() ? ini_ : path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Strings lines;
    size_t from = 0;
    for (size_t end; (end = bytes.find("\r\n", from)) != std::string::npos; from = end + 2) {
      std::u16string line;
      EXPECT_TRUE(Cp932().Decode(std::string_view(bytes).substr(from, end - from), line));
      lines.push_back(ToUtf8(line));
    }
    EXPECT_EQ(from, bytes.size()) << "text after the last CR LF";
    return lines;
  }
  static std::vector<std::u16string> List(const char* line) { return Split(FromUtf8(line), u","); }
  static Strings Names(const SetList& list) {
    Strings names;
    for (const auto& n : list.names) names.push_back(ToUtf8(n));
    return names;
  }

  fs::path dir_, ini_;
  ScriptedDialogs dialogs_;
};

TEST_F(FieldSetFileTest, MissingFileIsCreatedWithBothBuiltInSets) {
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(ReadIni(), (Strings{"<全項目出力>", kAllItems, "<Quillmere用>", kShippedQuillmere}));
  EXPECT_EQ(Names(list), (Strings{"全項目出力", "Quillmere用"}));
  EXPECT_TRUE(dialogs_.messages().empty());
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(fields, List(kAllItems));
  EXPECT_EQ(fields.size(), 61u);
  EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(FieldSetFileTest, FirstSetOfTheFileIsLoaded) {
  WriteIni({"<Quillmere用>", kQuillmere, "<全項目出力>", kAllItems});
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(Names(list), (Strings{"Quillmere用", "全項目出力"}));
  EXPECT_EQ(list.selected, 0);
  EXPECT_EQ(fields, List(kQuillmere));
  EXPECT_EQ(ReadIni(), (Strings{"<Quillmere用>", kQuillmere, "<全項目出力>", kAllItems}));  // untouched
}

TEST_F(FieldSetFileTest, FileWithoutTheBuiltInSetsGetsThemAndKeepsItsOwn) {
  WriteIni({"<自分用>", "0,9,-1"});
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(ReadIni(),
            (Strings{"<全項目出力>", kAllItems, "<Quillmere用>", kShippedQuillmere, "<自分用>", "0,9,-1"}));
  EXPECT_EQ(Names(list), (Strings{"全項目出力", "Quillmere用", "自分用"}));
  EXPECT_TRUE(dialogs_.messages().empty());
}

// A line that is not code page 932 is reported with the file and line and
// skipped: it never costs the file, and the other sets stay usable.
TEST_F(FieldSetFileTest, UnreadableLinesAreReportedAndSkipped) {
  const std::string bad = "\x82\xff";  // a lead byte without its second byte
  std::ofstream(ini_, std::ios::binary)
      << Cp932Bytes({"<自分>"}) << bad << "\r\n"  // a set whose list is unreadable
      << Cp932Bytes({"<my>", "0,9,-1"}) << ";" << bad << "\r\n"
      << Cp932Bytes({"<全項目出力>", kAllItems, "<Quillmere用>", kQuillmere});
  const std::string before = Bytes(ini_);
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(Bytes(ini_), before);  // nothing lacked, nothing rewritten
  EXPECT_EQ(Names(list).size(), 4u);
  EXPECT_EQ(Names(list)[1], "my");
  EXPECT_EQ(ToUtf8(file.F_GetFieldSet(u"<my>")), "0,9,-1");
  EXPECT_EQ(ToUtf8(file.F_GetFieldSet(u"<全項目出力>")), kAllItems);
  EXPECT_EQ(fields, std::vector<std::u16string>(61)) << "the first set's list is unreadable: none taken";
  const std::string where = "Md_main:F_出力設定F一覧set)Tessivar.ini の ";
  EXPECT_EQ(dialogs_.messages(), (Strings{where + "2 行目に Shift_JIS として読めないバイトがあります。",
                                          where + "5 行目に Shift_JIS として読めないバイトがあります。"}));
}

TEST_F(FieldSetFileTest, ListsAreCappedAtSixtyEntries) {
  std::string long_list = "0";  // 20,000 entries: long, yet under the line limit
  for (int i = 0; i < 20000; ++i) long_list += ",9";
  WriteIni({"<長い>", long_list, "<全項目出力>", kAllItems, "<Quillmere用>", kQuillmere});
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(fields.size(), 61u);
  EXPECT_EQ(FieldList(file.F_GetFieldSet(u"<長い>")).size(), 61u);
  EXPECT_EQ(FieldList(u"0,1,-1").size(), 3u);
}

// The set written back into a file that lacks it is the shipped one.
TEST(DatabaseSet, IsTheShippedList) {
  std::ifstream shipped(PROJECT_SOURCE_DIR "/data/Tessivar.ini");
  std::string line;
  while (std::getline(shipped, line) && line != "<Quillmere用>") {
  }
  ASSERT_TRUE(std::getline(shipped, line));
  EXPECT_EQ(line, ToUtf8(kDatabaseSetList));
}

TEST_F(FieldSetFileTest, OnlyTheLineAfterTheFirstHeaderIsItsList) {
  WriteIni(
      {"; a note before the sets", "<自分用>", "  0,9,26,8,-1  ", "", "stray", "<全項目出力>", kAllItems});
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.F_出力設定F一覧set(list, fields);
  EXPECT_EQ(Names(list), (Strings{"自分用", "全項目出力"}));
  EXPECT_EQ(fields, List("0,9,26,8,-1"));
}

TEST_F(FieldSetFileTest, FileNameIsMatchedWithoutRegardToCase) {
  WriteIni({"<自分用>", "0,9,-1", "<全項目出力>", kAllItems}, dir_ / "TESSIVAR.INI");
  FieldSetFile file(ini_, dialogs_);
  SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  EXPECT_EQ(Names(list), (Strings{"Quillmere用", "自分用", "全項目出力"}));  // the missing one added there
  // No second file beside the one found.
  Strings files;
  for (const auto& entry : fs::directory_iterator(dir_)) files.push_back(entry.path().filename().string());
  EXPECT_EQ(files, Strings{"TESSIVAR.INI"});
}

TEST_F(FieldSetFileTest, GetFieldSet) {
  FieldSetFile file(ini_, dialogs_);
  EXPECT_EQ(ToUtf8(file.F_GetFieldSet(u"<全項目出力>")), "NotFound");  // no file

  WriteIni({"  <全項目出力>  ", kAllItems, "<自分用>追記", " 0,9,-1 ", "<空>"});
  struct Case {
    const char16_t* key;
    std::string value;
  } cases[] = {
      {u"<全項目出力>", kAllItems},  // indented header
      {u"<自分用>", "0,9,-1"},       // header with more after ">"
      {u"<空>", "NotFound"},         // no line after the header
      {u"<無い>", "NotFound"},
  };
  for (const auto& c : cases) EXPECT_EQ(ToUtf8(file.F_GetFieldSet(c.key)), c.value) << ToUtf8(c.key);
}

TEST_F(FieldSetFileTest, EditorListHasNamesOnly) {
  WriteIni({"<全項目出力>", kAllItems, "<自分用>", "0,9,-1"});
  FieldSetFile file(ini_, dialogs_);
  SetList list{{u"古い"}, 0};
  file.F_Get一覧(list);
  EXPECT_EQ(Names(list), (Strings{"全項目出力", "自分用"}));
  EXPECT_EQ(list.selected, -1);
}

TEST_F(FieldSetFileTest, UnreadableFileIsReportedWithItsPrefix) {
  FieldSetFile file(ini_, dialogs_);
  SetList list{{u"古い"}, 0};
  std::vector<std::u16string> fields = List("0,9");
  file.F_出力設定F一覧set(list, fields);
  file.F_Get一覧(list);
  ASSERT_EQ(dialogs_.messages().size(), 2u);
  EXPECT_EQ(dialogs_.messages()[0].rfind("Md_main:F_出力設定F一覧set)", 0), 0u) << dialogs_.messages()[0];
  EXPECT_EQ(dialogs_.messages()[1].rfind("Md_main:F_Get一覧)", 0), 0u) << dialogs_.messages()[1];
  EXPECT_TRUE(list.names.empty());
  EXPECT_EQ(list.selected, -1);
  EXPECT_EQ(fields, List("0,9"));
}

TEST_F(FieldSetFileTest, CreationLeavesAnExistingFileAndGrowsAShortList) {
  WriteIni({"<自分用>", "0,9,-1"});
  FieldSetFile file(ini_, dialogs_);
  std::vector<std::u16string> fields = {u"NotFound"};
  file.F_項目F(fields);
  EXPECT_EQ(ReadIni(), (Strings{"<自分用>", "0,9,-1"}));
  EXPECT_EQ(fields, std::vector<std::u16string>{u"NotFound"});

  fs::remove(ini_);
  file.F_項目F(fields);
  EXPECT_EQ(fields, List(kAllItems));
  EXPECT_EQ(ReadIni(), (Strings{"<全項目出力>", kAllItems, "<Quillmere用>", kShippedQuillmere}));
}

TEST_F(FieldSetFileTest, CreationFailureIsReportedWithItsPrefix) {
  FieldSetFile file(dir_ / "missing_folder" / "Tessivar.ini", dialogs_);
  std::vector<std::u16string> fields(61);
  file.F_項目F(fields);
  ASSERT_EQ(dialogs_.messages().size(), 1u);
  EXPECT_EQ(dialogs_.messages()[0].rfind("Md_main:F_項目F)", 0), 0u) << dialogs_.messages()[0];
}

TEST_F(FieldSetFileTest, Rewrites) {
  const Strings start = {"<全項目出力>", kAllItems, "  <自分用>", "0,9,-1  ", "<最後>", "0,8,-1"};
  struct Case {
    const char* label;
    int mode;
    const char16_t* key;
    const char16_t* value;
    Strings expected;
  } cases[] = {
      {"append",
       2,
       u"<新>",
       u"0,7,-1",
       {"<全項目出力>", kAllItems, "<自分用>", "0,9,-1", "<最後>", "0,8,-1", "<新>", "0,7,-1"}},
      {"replace",
       1,
       u"<自分用>",
       u"0,7,-1",
       {"<全項目出力>", kAllItems, "<自分用>", "0,7,-1", "<最後>", "0,8,-1"}},
      {"delete", 3, u"<自分用>", u"", {"<全項目出力>", kAllItems, "<最後>", "0,8,-1"}},
      {"delete the last set", 3, u"<最後>", u"", {"<全項目出力>", kAllItems, "<自分用>", "0,9,-1"}},
      // The editor does not compare names: the set is replaced and appended.
      {"append an existing name",
       2,
       u"<最後>",
       u"0,7,-1",
       {"<全項目出力>", kAllItems, "<自分用>", "0,9,-1", "<最後>", "0,7,-1", "<最後>", "0,7,-1"}},
      {"replace a missing set",
       1,
       u"<無い>",
       u"0,7,-1",
       {"<全項目出力>", kAllItems, "<自分用>", "0,9,-1", "<最後>", "0,8,-1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    WriteIni(start);
    FieldSetFile file(ini_, dialogs_);
    EXPECT_EQ(file.F_Put項目TBL(c.mode, c.key, c.value), u"");
    EXPECT_EQ(ReadIni(), c.expected);
    // The temporary copy stays beside the settings file.
    fs::path temp = ini_;
    temp += "@";
    EXPECT_EQ(ReadIni(temp), c.expected);
  }
  EXPECT_TRUE(dialogs_.messages().empty());
}

TEST_F(FieldSetFileTest, FailedRewriteLeavesTheFileAsItWas) {
  FieldSetFile file(ini_, dialogs_);
  file.F_Put項目TBL(2, u"<新>", u"0,7,-1");  // no file to read
  EXPECT_FALSE(fs::exists(ini_));

  WriteIni({"<全項目出力>", kAllItems});
  file.F_Put項目TBL(2, u"<新😀>", u"0,7,-1");  // a name code page 932 cannot hold
  EXPECT_EQ(ReadIni(), (Strings{"<全項目出力>", kAllItems}));

  ASSERT_EQ(dialogs_.messages().size(), 2u);
  for (const auto& m : dialogs_.messages()) EXPECT_EQ(m.rfind("Md_main:F_Put項目TBL)", 0), 0u) << m;
}

}  // namespace
}  // namespace tessivar
