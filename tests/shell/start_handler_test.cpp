#include "shell/start_handler.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "dialogs/scripted_dialogs.h"
#include "shell/startup.h"
#include "text/cp932.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;
using text::Cp932;
using text::FromUtf8;

class StartHandler : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() /
            ("start_handler_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(home_);
    fs::create_directories(home_ / "CSV_IN");
    std::string bytes;
    Cp932().Encode(FromUtf8("13101,\"102  \",\"1020072\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｲﾀﾞﾊﾞｼ\",\"東京都\","
                            "\"千代田区\",\"飯田橋\",0,0,1,0,0,0"),
                   bytes);
    std::ofstream(home_ / "CSV_IN" / "13TOKYO.CSV", std::ios::binary) << bytes << "\r\n";
  }
  void TearDown() override { fs::remove_all(home_); }

  RunResult Press(std::deque<bool> answers, int purpose) {
    dialogs_ = ScriptedDialogs(std::move(answers));
    Application app(home_, dialogs_);
    EXPECT_TRUE(RunStartup(app));
    app.G_MainForm.SelectPurpose(purpose);
    return Btn_作成開始_Click(app);
  }

  std::string Output(const char* name) {
    std::ifstream in(home_ / "CSV_OUT" / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path home_;
  ScriptedDialogs dialogs_;
};

TEST_F(StartHandler, NoToTheDeleteQuestionLeavesTheOldFileAndRunsNothing) {
  fs::create_directories(home_ / "CSV_OUT");
  std::ofstream(home_ / "CSV_OUT" / "zip.txt") << "old";
  EXPECT_EQ(Press({true, false}, 0), RunResult::kRefused);
  ASSERT_EQ(dialogs_.questions().size(), 2u);
  EXPECT_EQ(dialogs_.questions()[1],
            "CSV_OUT に ZIP.TXT ファイルが存在します。削除しますか？\r削除しない場合 [いいえ]を選択して "
            "データを他の場所へコピーして 再起動してください。");
  EXPECT_TRUE(dialogs_.messages().empty());
  EXPECT_EQ(Output("zip.txt"), "old");
}

TEST_F(StartHandler, YesReplacesTheOldFileAndReportsTheCount) {
  fs::create_directories(home_ / "CSV_OUT");
  std::ofstream(home_ / "CSV_OUT" / "ZIPDATA.CSV") << "old";
  EXPECT_EQ(Press({true, true}, 2), RunResult::kCompleted);
  ASSERT_EQ(dialogs_.messages().size(), 1u);
  EXPECT_EQ(dialogs_.messages()[0],
            "郵便番号データを 1 件 "
            "作成しました。\r前回の出力の作成条件が記録されていないため、比較しませんでした。");
  EXPECT_EQ(Output("ZIPDATA.CSV").substr(0, 6), "13101,");
}

TEST_F(StartHandler, NoToTheConfirmationChangesNothing) {
  EXPECT_EQ(Press({false}, 2), RunResult::kRefused);
  EXPECT_EQ(dialogs_.questions().size(), 1u);
  EXPECT_FALSE(fs::exists(home_ / "CSV_OUT" / "ZIPDATA.CSV"));
}

TEST_F(StartHandler, UnknownFieldSetWritesEmptyLines) {
  dialogs_ = ScriptedDialogs({true});
  Application app(home_, dialogs_);
  ASSERT_TRUE(RunStartup(app));
  app.G_MainForm.SelectPurpose(2);
  app.G_MainForm.List出力設定F.selected = -1;  // no set selected
  EXPECT_EQ(Btn_作成開始_Click(app), RunResult::kCompleted);
  EXPECT_EQ(app.G_SelFields, std::vector<std::u16string>{u"NotFound"});
  EXPECT_EQ(Output("ZIPDATA.CSV"), "\r\n");
}

}  // namespace
}  // namespace tessivar
