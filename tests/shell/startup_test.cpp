#include "shell/startup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "dialogs/scripted_dialogs.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() /
            ("startup_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(home_);
    fs::create_directories(home_);
  }
  void TearDown() override { fs::remove_all(home_); }

  void AddInput(const std::string& name) {
    fs::create_directories(home_ / "CSV_IN");
    std::ofstream(home_ / "CSV_IN" / name) << "";
  }

  bool Start() {
    app_ = std::make_unique<Application>(home_, dialogs_);
    return RunStartup(*app_);
  }
  const Control& Box(int code) const { return app_->G_MainForm.Chk_県名[static_cast<size_t>(code)]; }

  fs::path home_;
  ScriptedDialogs dialogs_;
  std::unique_ptr<Application> app_;
};

TEST_F(Startup, AllPrefectureFileAndBusinessFile) {
  AddInput("ken_all.csv");
  AddInput("JIGYOSYO.CSV");
  ASSERT_TRUE(Start());
  EXPECT_TRUE(dialogs_.messages().empty());
  EXPECT_EQ(app_->inputs.files[0].name, "ken_all.csv");  // stored as listed
  EXPECT_TRUE(app_->inputs.has_ken_all && app_->inputs.has_jigyosyo && !app_->inputs.has_pref_files);
  EXPECT_EQ(
      app_->G_MainForm.Lbl_File,
      u"全国一括データ と 事業所データ の処理を行います。以下にチェックのある県別データが抽出されます。");
  for (int code = 0; code <= 47; ++code) EXPECT_TRUE(Box(code).value) << code;
  EXPECT_TRUE(Box(47).enabled);
  EXPECT_TRUE(app_->G_MainForm.Chk_県指定一括.value);
  EXPECT_TRUE(fs::is_directory(home_ / "CSV_OUT"));
}

TEST_F(Startup, PrefectureFilesEnableOnlyTheirBoxesAndTheLaterFileWins) {
  AddInput("13TOKYO.CSV");
  AddInput("13A.CSV");
  AddInput("14KANAGA.CSV");
  AddInput("48XXX.CSV");
  AddInput("00XXX.CSV");
  AddInput("-1XXX.CSV");
  AddInput("２７大阪.csv");  // full-width digits form a number too
  ASSERT_TRUE(Start());
  EXPECT_EQ(app_->inputs.files[13].name, "13TOKYO.CSV");  // listing order: 13A before 13TOKYO
  EXPECT_EQ(app_->inputs.files[27].name, "２７大阪.csv");
  EXPECT_FALSE(Box(0).value);
  for (int code = 1; code <= 47; ++code) {
    const bool found = code == 13 || code == 14 || code == 27;
    EXPECT_EQ(Box(code).value, found) << code;
    EXPECT_EQ(Box(code).enabled, found) << code;
  }
  EXPECT_EQ(app_->G_MainForm.Lbl_File,
            u"県別データ の処理を行います。以下にチェックのある県別データが抽出されます。");
}

TEST_F(Startup, BusinessFileAloneOrNoRecognisedFile) {
  AddInput("JIGYOSYO.CSV");
  ASSERT_TRUE(Start());
  EXPECT_TRUE(Box(0).value && Box(1).value && Box(1).enabled);
  EXPECT_EQ(app_->G_MainForm.Lbl_File,
            u"事業所データ の処理を行います。以下にチェックのある県別データが抽出されます。");

  fs::remove(home_ / "CSV_IN" / "JIGYOSYO.CSV");
  AddInput("ABC.CSV");
  Application other(home_, dialogs_);
  ASSERT_TRUE(RunStartup(other));
  EXPECT_FALSE(other.G_MainForm.Chk_県名[5].value);  // the boxes keep their initial state
  EXPECT_EQ(other.G_MainForm.Lbl_File,
            u"事業所データ の処理を行います。以下にチェックのある県別データが抽出されます。");
}

TEST_F(Startup, StopsWithoutInputAndCreatesNoOutputFolder) {
  EXPECT_FALSE(Start());
  ASSERT_EQ(dialogs_.messages().size(), 1u);
  EXPECT_EQ(app_->frmSplash.Btn_NEXT, u"エラーのため終了します");
  EXPECT_EQ(app_->frmSplash.font_size, 10);
  EXPECT_TRUE(fs::is_directory(home_ / "CSV_IN"));
  EXPECT_FALSE(fs::exists(home_ / "CSV_OUT"));
}

TEST_F(Startup, DefaultOptionsAfterStartup) {
  AddInput("KEN_ALL.CSV");
  ASSERT_TRUE(Start());
  const auto options = app_->G_MainForm.ReadOptions();
  EXPECT_EQ(options.purpose, Purpose::kWordList);
  EXPECT_TRUE(options.hyphen);
  EXPECT_FALSE(options.with_prefecture || options.with_blank || options.column_names);
  EXPECT_FALSE(app_->G_MainForm.Opt_列名.enabled);
  EXPECT_TRUE(app_->G_MainForm.Opt_県名[1].enabled);
}

}  // namespace
}  // namespace tessivar
