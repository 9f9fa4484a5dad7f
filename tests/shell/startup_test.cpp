#include "shell/startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "dialogs/scripted_dialogs.h"
#include "support/zip_files.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '_');  // a parameterised test's name
    home_ = fs::temp_directory_path() / ("startup_" + test);
    fs::remove_all(home_);
    fs::create_directories(home_);
  }
  void TearDown() override { fs::remove_all(home_); }

  void AddInput(const std::string& name) {
    fs::create_directories(home_ / "CSV_IN");
    std::ofstream(home_ / "CSV_IN" / name) << "";
  }
  // "x.zip>Y.CSV": a zip holding Y.CSV; "x.zip>": a file that is no zip.
  void AddZip(const std::string& zip_and_entry) {
    fs::create_directories(home_ / "CSV_IN");
    const size_t mark = zip_and_entry.find('>');
    const fs::path zip = home_ / "CSV_IN" / zip_and_entry.substr(0, mark);
    if (zip_and_entry.substr(mark + 1).empty()) {
      std::ofstream(zip) << "PK\x03\x04 cut short";
    } else {
      ASSERT_TRUE(test_support::WriteZip(zip, {{zip_and_entry.substr(mark + 1), "x"}}));
    }
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

// The files as Japan Post publishes them: the UTF-8 address file and the zips,
// alone and beside the unpacked code-page-932 files.
struct DiscoveryCase {
  const char* name;
  std::vector<std::string> files;  // in CSV_IN; "x.zip>Y.CSV" a zip holding Y.CSV, "x.zip>" no zip
  bool ready;
  // What each role reads: "name", "zip>entry", " (UTF-8)" appended; "" for none.
  std::string all_prefectures, tokyo, business;
  std::u16string kinds;  // the data-kind label's beginning; empty when start-up stops
  std::vector<std::string> messages;
};

std::string Describe(const InputFile& file) {
  return file.name + (file.zipped() ? ">" + file.entry : "") + (file.utf8 ? " (UTF-8)" : "");
}

const std::string kBothKindsMessage =
    "CSV_IN  に 全県分(KEN_ALL.CSV) と 県別のファイルが存在します。\r"
    "全県分(KEN_ALL.CSV) のみか、 １つ以上の県別ファイルに整理して、再度実行してください。";

const DiscoveryCase kDiscoveryCases[] = {
    {"Utf8AddressFileIsTheAllPrefectureFile",
     {"utf_ken_all.csv", "JIGYOSYO.CSV"},
     true,
     "utf_ken_all.csv (UTF-8)",
     "",
     "JIGYOSYO.CSV",
     u"全国一括データ と 事業所データ",
     {}},
    {"ZipsAsPublishedTheirFilesFoundWithoutRegardToCase",
     {"ken_all.zip>KEN_ALL.CSV", "JIGYOSYO.ZIP>jigyosyo.csv"},
     true,
     "ken_all.zip>KEN_ALL.CSV",
     "",
     "JIGYOSYO.ZIP>jigyosyo.csv",
     u"全国一括データ と 事業所データ",
     {}},
    {"Utf8ZipAndPrefectureZipAreBothKindsOfAddressData",
     {"utf_ken_all.zip>utf_ken_all.csv", "13tokyo.zip>13TOKYO.CSV"},
     false,
     "utf_ken_all.zip>utf_ken_all.csv (UTF-8)",
     "13tokyo.zip>13TOKYO.CSV",
     "",
     u"",
     {kBothKindsMessage}},
    {"UnpackedFileIsReadBeforeItsZip",
     {"KEN_ALL.CSV", "ken_all.zip>KEN_ALL.CSV"},
     true,
     "KEN_ALL.CSV",
     "",
     "",
     u"全国一括データ",
     {"CSV_IN に KEN_ALL.CSV と ken_all.zip があります。KEN_ALL.CSV を読み、ken_all.zip は読みません。"}},
    {"KenAllIsReadBeforeTheUtf8File",
     {"KEN_ALL.CSV", "utf_ken_all.csv", "utf_ken_all.zip>utf_ken_all.csv"},
     true,
     "KEN_ALL.CSV",
     "",
     "",
     u"全国一括データ",
     {"CSV_IN に KEN_ALL.CSV と utf_ken_all.csv、utf_ken_all.zip があります。KEN_ALL.CSV を読み、"
      "utf_ken_all.csv、utf_ken_all.zip は読みません。"}},
    {"PrefectureFileBeforeItsZip",
     {"13TOKYO.CSV", "13tokyo.zip>13TOKYO.CSV", "jigyosyo.zip>JIGYOSYO.CSV"},
     true,
     "",
     "13TOKYO.CSV",
     "jigyosyo.zip>JIGYOSYO.CSV",
     u"県別データ と 事業所データ",
     {"CSV_IN に 13TOKYO.CSV と 13tokyo.zip があります。13TOKYO.CSV を読み、13tokyo.zip は読みません。"}},
    {"DamagedAndUnexpectedZipsAreReportedAndLeftAside",
     {"ken_all.zip>", "jigyosyo.zip>README.TXT", "13tokyo.zip>13TOKYO.CSV"},
     true,
     "",
     "13tokyo.zip>13TOKYO.CSV",
     "",
     u"県別データ",
     {"CSV_IN の jigyosyo.zip に JIGYOSYO.CSV がありません。この zip は読みません。",
      "CSV_IN の ken_all.zip は 壊れているため読めません (Not a zip archive)。"}},
};

class Discovery : public Startup, public ::testing::WithParamInterface<DiscoveryCase> {};

TEST_P(Discovery, RolesLabelAndMessages) {
  const DiscoveryCase& c = GetParam();
  for (const auto& file : c.files) {
    if (file.find('>') != std::string::npos) {
      AddZip(file);
    } else {
      AddInput(file);
    }
  }
  EXPECT_EQ(Start(), c.ready);
  EXPECT_EQ(dialogs_.messages(), c.messages);
  EXPECT_EQ(Describe(app_->inputs.files[0]), c.all_prefectures);
  EXPECT_EQ(Describe(app_->inputs.files[13]), c.tokyo);
  EXPECT_EQ(Describe(app_->inputs.files[48]), c.business);
  if (!c.ready) return;
  EXPECT_EQ(app_->G_MainForm.Lbl_File,
            c.kinds + u" の処理を行います。以下にチェックのある県別データが抽出されます。");
  EXPECT_EQ(Box(0).value, !c.all_prefectures.empty() || c.tokyo.empty());  // 一括(KEN_ALL)
  EXPECT_TRUE(Box(13).value && Box(13).enabled);
}

INSTANTIATE_TEST_SUITE_P(PublishedForms, Discovery, ::testing::ValuesIn(kDiscoveryCases),
                         [](const auto& instance) { return std::string(instance.param.name); });

}  // namespace
}  // namespace tessivar
