// The home a run works in without --home, and the builder's folder without
// its --home, for the two layouts and the user's desktop settings.
#include <gtest/gtest.h>

#include <fstream>

#include "places/program_files.h"
#include "places/user_folder.h"

namespace places {
namespace {

namespace fs = std::filesystem;

class UserFolderTest : public ::testing::Test {
 protected:
  UserFolderTest() {
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  ~UserFolderTest() override { fs::remove_all(root_); }

  void Write(const fs::path& relative, const std::string& text) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream(root_ / relative) << text;
  }

  const fs::path root_ =
      fs::temp_directory_path() /
      ("places_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

TEST_F(UserFolderTest, HomeOfAReadOnlyProgramFolderIsTheUsersDocumentsFolder) {
  const struct {
    const char* name;
    std::string user_dirs;    // ~/.config/user-dirs.dirs, none when empty
    std::string config_home;  // XDG_CONFIG_HOME, relative to the test's folder when not absolute
    std::string other_dirs;   // user-dirs.dirs in XDG_CONFIG_HOME
    Layout layout;
    bool writable;
    std::string expected;  // relative to the test's folder; "program" for the program folder
  } cases[] = {
      {"writable program folder", "", "", "", Layout::kProgramFolder, true, "program"},
      {"read-only, no desktop settings", "", "", "", Layout::kProgramFolder, false,
       "user/Documents/Tessivar"},
      {"Japanese desktop",
       "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/デスクトップ\"\n"
       "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n",
       "", "", Layout::kProgramFolder, false, "user/ドキュメント/Tessivar"},
      {"the package, even where the user may write its folder (root)", "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n",
       "", "", Layout::kPackage, true, "user/Docs/Tessivar"},
      {"XDG_CONFIG_HOME's file, not ~/.config's", "XDG_DOCUMENTS_DIR=\"$HOME/Wrong\"\n", "config",
       "XDG_DOCUMENTS_DIR=\"$HOME/Right\"\n", Layout::kPackage, false, "user/Right/Tessivar"},
      {"a relative XDG_CONFIG_HOME is left aside", "XDG_DOCUMENTS_DIR=\"$HOME/Right\"\n", "relative/config",
       "XDG_DOCUMENTS_DIR=\"$HOME/Wrong\"\n", Layout::kPackage, false, "user/Right/Tessivar"},
      {"an absolute folder, quoted characters, the last line counting",
       "XDG_DOCUMENTS_DIR=\"$HOME/First\"\n  XDG_DOCUMENTS_DIR=\"ROOT/my \\\"docs\\\"\"\n", "", "",
       Layout::kPackage, false, "my \"docs\"/Tessivar"},
      {"documents set to the home itself", "XDG_DOCUMENTS_DIR=\"$HOME\"\n", "", "", Layout::kPackage, false,
       "user/Tessivar"},
      {"values that name no folder are left aside",
       "#XDG_DOCUMENTS_DIR=\"$HOME/Commented\"\nXDG_DOCUMENTS_DIR=\"relative\"\nXDG_DOCUMENTS_DIR=$HOME/"
       "Unquoted\n"
       "XDG_DOCUMENTS_DIRS=\"$HOME/Other\"\n",
       "", "", Layout::kPackage, false, "user/Documents/Tessivar"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(root_);
    auto rooted = [this](std::string text) {
      for (size_t at; (at = text.find("ROOT")) != std::string::npos;) text.replace(at, 4, root_.string());
      return text;
    };
    if (!c.user_dirs.empty()) Write("user/.config/user-dirs.dirs", rooted(c.user_dirs));
    if (!c.other_dirs.empty()) Write(fs::path(c.config_home) / "user-dirs.dirs", rooted(c.other_dirs));
    ProgramFiles files;
    files.layout = c.layout;
    files.folder = root_ / "program";
    files.folder_writable = c.writable;
    UserEnvironment env{root_ / "user",
                        c.config_home == "config" ? root_ / c.config_home : fs::path(c.config_home)};
    EXPECT_EQ(DefaultHome(files, env), root_ / c.expected);
  }
}

// Two users on one machine: each has a folder, and so a lock, of their own.
TEST_F(UserFolderTest, EveryUserHasAFolderOfTheirOwn) {
  Write("alice/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n");
  ProgramFiles package;
  package.layout = Layout::kPackage;
  const fs::path alice = DefaultHome(package, {root_ / "alice", {}});
  const fs::path bob = DefaultHome(package, {root_ / "bob", {}});
  EXPECT_EQ(alice, root_ / "alice/ドキュメント/Tessivar");
  EXPECT_EQ(bob, root_ / "bob/Documents/Tessivar");
}

// The layout is told by the package's data beside the folder of executables.
TEST_F(UserFolderTest, ProgramFilesOfEitherLayout) {
  Write("usr/share/tessivar/Tessivar.ini", "");
  fs::create_directories(root_ / "usr/bin");
  const ProgramFiles package = LocateProgramFiles(root_ / "usr/bin");
  EXPECT_EQ(package.layout, Layout::kPackage);
  EXPECT_EQ(package.windows_module, root_ / "usr/lib/tessivar/libtessivar_windows.so");
  EXPECT_EQ(package.builder_program, root_ / "usr/bin/morvane");
  EXPECT_EQ(package.definition_folder, root_ / "usr/share/tessivar/MDB定義");
  EXPECT_EQ(DefaultBuilderFolder(root_ / "usr/bin", {root_ / "user", {}}),
            root_ / "user/Documents/Tessivar/Morvane");

  const ProgramFiles folder = LocateProgramFiles(root_ / "dist");
  EXPECT_EQ(folder.layout, Layout::kProgramFolder);
  EXPECT_EQ(folder.field_sets, root_ / "dist/Tessivar.ini");
  EXPECT_EQ(folder.builder_program, root_ / "dist/Morvane/Morvane");
  EXPECT_EQ(folder.definition_folder, root_ / "dist/Morvane/MDB定義");
  fs::create_directories(root_ / "dist/Morvane");
  EXPECT_EQ(DefaultBuilderFolder(root_ / "dist/Morvane", {root_ / "user", {}}), root_ / "dist/Morvane");
}

}  // namespace
}  // namespace places
