// The field-set editor's logic on a settings file in a temporary folder:
// inserting, removing and moving items, the protected sets, storing, adding
// and deleting, and the questions about unsaved items.
#include "fieldsets/set_editor.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "dialogs/scripted_dialogs.h"
#include "text/cp932.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace tessivar {

using text::FromUtf8;
using text::ReadAllLines;
using text::Text;
using text::TextFileWriter;
using text::ToUtf8;
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const char kEditedQuillmere[] = "0,1,26,3,26,29,26,30,-1,-1";

class SetEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tessivar_set_editor_" + std::to_string(getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    file_.emplace(dir_ / "Tessivar.ini", dialogs_);
    WriteIni(
        {"<全項目出力>", "0,1,26,2,-1", "<Quillmere用>", kEditedQuillmere, "<住所>", "0,3,26,9,-1,-1,-1"});
  }
  void TearDown() override { fs::remove_all(dir_); }

  void WriteIni(const Strings& lines) {
    TextFileWriter out;
    ASSERT_TRUE(out.Open(dir_ / "Tessivar.ini"));
    for (const auto& line : lines) ASSERT_TRUE(out.WriteLine(FromUtf8(line)));
    ASSERT_TRUE(out.Close());
  }
  Strings ReadIni() {
    std::vector<Text> lines;
    std::string error;
    EXPECT_TRUE(ReadAllLines(dir_ / "Tessivar.ini", lines, error)) << error;
    Strings utf8;
    for (const auto& line : lines) utf8.push_back(ToUtf8(line));
    return utf8;
  }

  // An editor opened on the set of that index, with scripted answers.
  FieldSetEditor& Open(int set, std::deque<bool> answers = {}, std::deque<std::string> inputs = {}) {
    dialogs_ = ScriptedDialogs(std::move(answers), std::move(inputs));
    editor_.emplace(*file_, dialogs_, main_list_, main_fields_);
    editor_->Form_Load();
    Click(set);
    return *editor_;
  }
  void Click(int set) {
    editor_->List出力設定F.selected = set;
    editor_->List出力設定F_Click();
  }
  std::string Items() const { return ToUtf8(JoinFieldList(editor_->EditList)); }

  fs::path dir_;
  ScriptedDialogs dialogs_;
  std::optional<FieldSetFile> file_;
  SetList main_list_;
  std::vector<Text> main_fields_;
  std::optional<FieldSetEditor> editor_;
};

TEST_F(SetEditorTest, InsertRemoveAndMoveKeepTheListLengthAndTheUsedButtons) {
  FieldSetEditor& e = Open(2);
  ASSERT_EQ(e.LbOUT.size(), 4u);
  EXPECT_EQ(ToUtf8(e.LbOUT[0]), "<---- 以下に 選択項目が　表示されます ---->");
  EXPECT_FALSE(e.BtnKMK[3].enabled || e.BtnKMK[9].enabled);
  EXPECT_TRUE(e.BtnKMK[1].enabled && e.BtnKMK[26].enabled);
  EXPECT_EQ(ToUtf8(e.BtnKMK[26].caption), "区切り（カンマ）");
  EXPECT_EQ(ToUtf8(e.BtnKMK[28].caption), "空白（半角）");

  // Each step: the line selected before it (-2: leave as it is), what is
  // done, the list afterwards and the message it shows, if any.
  enum Action { kInsert, kRemove, kDoubleClick, kRemoveButton, kDrag };
  struct Step {
    int selected;
    Action action;
    int value;  // item to insert, or the line a drag is released on
    const char* items;
    const char* message;
  };
  const Step steps[] = {
      {-1, kInsert, 26, "0,3,26,9,26,-1,-1", ""},    // nothing selected: appended
      {-2, kInsert, 26, "0,3,26,9,26,26,-1", ""},    // the new line is selected; separators repeat
      {0, kInsert, 1, "0,1,3,26,9,26,26", ""},       // below the heading; the last end marker goes
      {-2, kInsert, 28, "0,1,28,3,26,9,26,26", ""},  // no end marker left: the list grows
      {0, kRemove, 0, "0,1,28,3,26,9,26,26", "この行の「選択の解除」はできません。"},
      {-1, kRemoveButton, 0, "0,1,28,3,26,9,26,26",
       "② 出力項目の一覧から 取り除く項目を クリックして選択してください。"},
      {1, kDoubleClick, 0, "0,28,3,26,9,26,26,-1", ""},  // end marker fills the last index
      {1, kDrag, 4, "0,3,26,9,28,26,26,-1", ""},         // down: lands on the release line
      {5, kDrag, 1, "0,3,26,26,9,28,26,-1", ""},         // up: lands below the release line
      {0, kDrag, 3, "0,3,26,26,9,28,26,-1", "この項目は 移動できません。"},
  };
  for (const Step& step : steps) {
    const size_t messages = dialogs_.messages().size();
    if (step.selected != -2) e.LbOUT_selected = step.selected;
    switch (step.action) {
      case kInsert: e.BtnKMK_Click(step.value); break;
      case kRemove: e.F_Sel(-1); break;
      case kRemoveButton: e.BtnReSet_Click(); break;
      case kDoubleClick: e.LbOUT_DblClick(); break;
      case kDrag:
        e.LbOUT_MouseDown();
        e.LbOUT_selected = step.value;
        e.LbOUT_MouseUp();
        break;
    }
    EXPECT_EQ(Items(), step.items) << step.items;
    const std::string shown = dialogs_.messages().size() > messages ? dialogs_.messages().back() : "";
    EXPECT_EQ(shown, step.message) << step.items;
    size_t lines = 0;
    while (lines < e.EditList.size() && e.EditList[lines] != u"-1") ++lines;
    EXPECT_EQ(e.LbOUT.size(), lines) << step.items;
  }
  EXPECT_TRUE(e.BtnKMK[1].enabled);  // removed again, so it may be inserted again
  EXPECT_TRUE(e.Changed);
}

TEST_F(SetEditorTest, ProtectedSetsCanBeNeitherChangedNorDeleted) {
  FieldSetEditor& e = Open(0);
  EXPECT_EQ(ToUtf8(e.Btn削除.caption), "削除");
  EXPECT_EQ(ToUtf8(e.Btn変更登録.caption), "変更");
  EXPECT_FALSE(e.Btn削除.enabled || e.Btn変更登録.enabled);
  EXPECT_TRUE(e.LbOUT_enabled);  // the built-in set may be copied under a new name
  e.Btn削除_Click();

  Click(1);
  EXPECT_FALSE(e.LbOUT_enabled || e.BtnReSet_enabled);
  for (int n = 1; n <= 28; ++n) EXPECT_FALSE(e.BtnKMK[static_cast<size_t>(n)].enabled) << n;
  EXPECT_TRUE(e.BtnKMK[29].enabled && e.BtnKMK[30].enabled);  // they keep their state
  e.Btn削除_Click();
  EXPECT_EQ(dialogs_.messages(),
            (Strings{"<全項目出力> は 削除できません", "<Quillmere用> は 削除できません"}));

  Click(2);
  EXPECT_EQ(ToUtf8(e.Btn削除.caption), "住所 を削除");
  EXPECT_TRUE(e.Btn変更登録.enabled);
}

TEST_F(SetEditorTest, StoreReplacesTheSetAndAddAppendsANewOne) {
  FieldSetEditor& e = Open(2, {false, true}, {"", "Quillmere用", "郵便番号だけ"});
  e.LbOUT_selected = 1;
  e.F_Sel(-1);
  e.Btn変更登録_Click();
  EXPECT_EQ(ReadIni()[5], "0,26,9,-1,-1,-1,-1");
  EXPECT_EQ(e.List出力設定F.selected, 2);  // the stored set stays shown, nothing left unsaved
  EXPECT_EQ(Items(), "0,26,9,-1,-1,-1,-1");
  EXPECT_FALSE(e.Changed);

  Click(2);
  e.LbOUT_selected = 2;
  e.F_Sel(-1);
  e.Btn追加_Click();  // 9 removed: only a comma is left
  EXPECT_EQ(dialogs_.messages().back(), "少なくとも　１項目を選択してください。");
  e.Btn変更登録_Click();
  EXPECT_EQ(dialogs_.messages().back(), "少なくとも　１項目を選択してください。");

  e.BtnKMK_Click(3);
  // An empty name asks whether to give up (No: ask again); a name in use is refused.
  e.Btn追加_Click();
  EXPECT_EQ(dialogs_.prompts().size(), 3u);
  EXPECT_EQ(dialogs_.questions().back(), "名前の入力がありません。 追加しないで終了します。よいですか？");
  EXPECT_EQ(dialogs_.messages().back(), "<Quillmere用> は 既に存在します。別の名前を入力してください。");
  EXPECT_EQ(ReadIni(), (Strings{"<全項目出力>", "0,1,26,2,-1", "<Quillmere用>", kEditedQuillmere, "<住所>",
                                "0,26,9,-1,-1,-1,-1", "<郵便番号だけ>", "0,26,3,-1,-1,-1,-1"}));
  EXPECT_EQ(ToUtf8(e.List出力設定F.names[3]), "郵便番号だけ");
  EXPECT_EQ(e.List出力設定F.selected, 3);
  EXPECT_EQ(Items(), "0,26,3,-1,-1,-1,-1");

  // An empty name answered Yes adds nothing.
  dialogs_ = ScriptedDialogs({true}, {""});
  e.Btn追加_Click();
  EXPECT_EQ(ReadIni().size(), 8u);

  e.Btn削除_Click();
  EXPECT_EQ(ReadIni().size(), 6u);
  EXPECT_EQ(e.List出力設定F.names.size(), 3u);
}

TEST_F(SetEditorTest, UnsavedItemsAreDroppedOnlyAfterTheQuestion) {
  FieldSetEditor& e = Open(2, {false, true, false, true});
  e.BtnKMK_Click(1);
  Click(0);  // No: the edited items stay, with their name
  EXPECT_EQ(Items(), "0,3,26,9,1,-1,-1");
  EXPECT_EQ(ToUtf8(e.G_EditSetName), "<住所>");
  Click(1);  // Yes: the database set is shown, and nothing is unsaved any more
  EXPECT_EQ(Items(), kEditedQuillmere);
  Click(0);
  EXPECT_EQ(dialogs_.questions().size(), 2u);
  EXPECT_EQ(dialogs_.questions()[0], "変更された内容は　破棄されます。よろしいですか");

  Click(2);
  e.BtnKMK_Click(26);
  EXPECT_FALSE(e.BtnCansel_Click());  // No: the window stays
  EXPECT_TRUE(main_list_.names.empty());
  EXPECT_TRUE(e.BtnCansel_Click());  // Yes: closes and refills the main window's list
  EXPECT_EQ(main_list_.names.size(), 3u);
  EXPECT_EQ(main_list_.selected, 2);  // on the set last shown in the editor
  EXPECT_EQ(ToUtf8(JoinFieldList(main_fields_)), "0,3,26,9,-1,-1,-1");
}

TEST_F(SetEditorTest, TheMainWindowKeepsItsSetWhenTheEditorDeletesAnother) {
  WriteIni({"<全項目出力>", "0,1,-1", "<Quillmere用>", kEditedQuillmere, "<住所>", "0,3,-1", "<郵便番号>",
            "0,2,-1"});
  file_->F_出力設定F一覧set(main_list_, main_fields_);
  main_list_.selected = 2;
  FieldSetEditor& e = Open(3);
  EXPECT_EQ(ToUtf8(e.List出力設定F.SelectedName()), "郵便番号");
  e.Btn削除_Click();
  EXPECT_TRUE(e.BtnCansel_Click());
  EXPECT_EQ(ToUtf8(main_list_.SelectedName()), "住所");  // chosen there before, still there
  EXPECT_EQ(ToUtf8(JoinFieldList(main_fields_)), "0,3,-1");
  // Reopened, the editor starts on the main window's set.
  editor_.emplace(*file_, dialogs_, main_list_, main_fields_);
  editor_->Form_Load();
  EXPECT_EQ(ToUtf8(editor_->G_EditSetName), "<住所>");
}

TEST_F(SetEditorTest, NamesTheFileCannotHoldAndListsPastTheLimitAreRefused) {
  // Each name typed, in turn: what the file's header becomes, or the refusal.
  struct Case {
    const char* typed;
    const char* header;   // "" when refused
    const char* refusal;  // "" when stored
  };
  const Case cases[] = {
      {"住所〜", "<住所～>", ""},  // the wave dash Linux input methods type becomes ～
      {"番地−", "<番地－>", ""},   // the minus sign becomes －
      {"☺住所", "",
       "名前の「☺」(U+263A) は 設定ファイルに保存できない文字です。別の名前を入力してください。"},
      {"𠮷野", "",
       "名前の「𠮷」(U+20BB7) は 設定ファイルに保存できない文字です。別の名前を入力してください。"},
      {"住所〜", "", "<住所～> は 既に存在します。別の名前を入力してください。"},  // the same after mapping
  };
  for (const Case& c : cases) {
    const size_t lines = ReadIni().size();
    FieldSetEditor& e = Open(2, {true}, {c.typed, ""});  // a refused name is asked again: then given up
    e.Btn追加_Click();
    if (*c.header) {
      EXPECT_EQ(ReadIni().size(), lines + 2) << c.typed;
      EXPECT_EQ(ReadIni()[lines], c.header);
      EXPECT_EQ(ToUtf8(e.G_EditSetName), c.header);
      EXPECT_TRUE(dialogs_.messages().empty()) << c.typed;
    } else {
      EXPECT_EQ(ReadIni().size(), lines) << c.typed;  // nothing stored
      EXPECT_EQ(dialogs_.messages(), Strings{c.refusal});
      EXPECT_EQ(ToUtf8(e.G_EditSetName), "<住所>");  // no set of that name shown
      EXPECT_EQ(e.List出力設定F.names.size(), lines / 2);
    }
  }

  // A list takes 60 items; the 61st is refused and the list stays as it was.
  std::string sixty = "0";
  for (int i = 0; i < 59; ++i) sixty += ",26";
  WriteIni({"<全項目出力>", "0,1,-1", "<Quillmere用>", kEditedQuillmere, "<区切り>", sixty});
  FieldSetEditor& e = Open(2);
  e.BtnKMK_Click(3);
  ASSERT_EQ(e.LbOUT.size(), 61u);
  e.BtnKMK_Click(26);
  EXPECT_EQ(dialogs_.messages(), Strings{"出力項目は 60 項目までです。これ以上 追加できません。"});
  EXPECT_EQ(e.LbOUT.size(), 61u);
  e.Btn変更登録_Click();
  Click(2);  // read back from the file: nothing cut
  EXPECT_EQ(e.LbOUT.size(), 61u);
  EXPECT_EQ(e.EditList.back(), u"3");
}

}  // namespace
}  // namespace tessivar
