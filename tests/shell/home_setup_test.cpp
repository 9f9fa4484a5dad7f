// A home other than the program folder (the user's folder): made at the
// first start from the program's files, and kept as the user leaves it.
#include "shell/home_setup.h"

#include <gtest/gtest.h>

#include <fstream>

#include "dialogs/scripted_dialogs.h"
#include "shell/folder_guide.h"
#include "shell/startup.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

class HomeSetup : public ::testing::Test {
 protected:
  HomeSetup() {
    fs::remove_all(root_);
    Write(program_ / "Tessivar.ini", "package sets");
    Write(program_ / "Morvane/MDB定義/a.sql", "package a 1");
    Write(program_ / "Morvane/MDB定義/b.csv", "package b 1");
  }
  ~HomeSetup() override { fs::remove_all(root_); }

  static void Write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::trunc) << text;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  // Start-up on home; returns what it said.
  std::vector<std::string> Start(const fs::path& home) {
    ScriptedDialogs dialogs;
    Application app(home, dialogs);
    UseProgramFiles(app, places::LocateProgramFiles(program_));
    RunStartup(app);
    return dialogs.messages();
  }

  // One folder per test: CTest runs them side by side.
  const fs::path root_ =
      fs::temp_directory_path() /
      ("home_setup_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  const fs::path program_ = root_ / "program";
  const fs::path home_ = root_ / "user/Documents/Tessivar";
};

TEST_F(HomeSetup, FirstStartMakesTheHomeAndLaterStartsKeepTheUsersChanges) {
  // First start: every folder, the default field sets, the definition files,
  // and the message that says where to put the data.
  EXPECT_EQ(Start(home_), std::vector<std::string>{EmptyInputFolderGuide(home_ / "CSV_IN")});
  for (const char* folder : {"CSV_IN", "CSV_OUT", "MDB_OUT", "Morvane"})
    EXPECT_TRUE(fs::is_directory(home_ / folder));
  // (start-up adds the built-in sets a file lacks)
  EXPECT_NE(Read(home_ / "Tessivar.ini").find("package sets"), std::string::npos);
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/a.sql"), "package a 1");
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/b.csv"), "package b 1");

  // The user changes a.sql and the field sets; a new package changes both
  // definition files: b.csv, as copied, follows; the user's files stay.
  Write(home_ / "Morvane/MDB定義/a.sql", "the user's a");
  Write(home_ / "Tessivar.ini", "the user's sets");
  Write(program_ / "Morvane/MDB定義/a.sql", "package a 2");
  Write(program_ / "Morvane/MDB定義/b.csv", "package b 2");
  Write(home_ / "CSV_IN/KEN_ALL.CSV", "");
  EXPECT_EQ(Start(home_), std::vector<std::string>{});
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/a.sql"), "the user's a");
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/b.csv"), "package b 2");
  EXPECT_NE(Read(home_ / "Tessivar.ini").find("the user's sets"), std::string::npos);

  // A definition file the user removed comes back; the user's a.sql, even
  // once it equals the package's, is the package's again from then on.
  fs::remove(home_ / "Morvane/MDB定義/b.csv");
  Write(home_ / "Morvane/MDB定義/a.sql", "package a 2");
  Start(home_);
  Write(program_ / "Morvane/MDB定義/a.sql", "package a 3");
  Start(home_);
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/b.csv"), "package b 2");
  EXPECT_EQ(Read(home_ / "Morvane/MDB定義/a.sql"), "package a 3");
}

// With windows the first start asks whether to open the empty CSV_IN, and
// opens it on Yes.
TEST_F(HomeSetup, WindowsOfferToOpenTheEmptyInputFolder) {
  ScriptedDialogs dialogs({true});
  dialogs.set_opens_folders(true);
  Application app(home_, dialogs);
  UseProgramFiles(app, places::LocateProgramFiles(program_));
  EXPECT_FALSE(RunStartup(app));
  EXPECT_EQ(dialogs.questions(), std::vector<std::string>{EmptyInputFolderGuide(home_ / "CSV_IN") +
                                                          "\r\rCSV_IN フォルダーを開きますか？"});
  EXPECT_EQ(dialogs.opened_folders(), std::vector<fs::path>{home_ / "CSV_IN"});
  EXPECT_TRUE(dialogs.messages().empty());
}

// A writable program folder is its own home, as it always was: nothing is
// copied or made beyond CSV_IN, and the message is the one beside the program.
TEST_F(HomeSetup, TheProgramFolderStaysAsItWas) {
  EXPECT_EQ(Start(program_),
            std::vector<std::string>{"CSV_IN に 「住所の郵便番号ダウンロードサービス」から入手し、"
                                     "解凍したデータをコピーして 再起動してください。"});
  EXPECT_FALSE(fs::exists(program_ / "CSV_OUT"));
  EXPECT_FALSE(fs::exists(program_ / "MDB_OUT"));
  EXPECT_FALSE(fs::exists(program_ / "Morvane/MDB定義" / kCopiedNoteFile));
}

}  // namespace
}  // namespace tessivar
