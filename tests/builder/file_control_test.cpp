#include "builder/file_control.h"

#include "builder/command_start.h"

#include <chrono>
#include <thread>

#include "builder_test_support.h"
#include "text/file_names.h"

namespace morvane {
namespace {

using testing::BuilderFolders;
using testing::LogTexts;
using testing::WriteCp932;
namespace fs = std::filesystem;

class FileControlTest : public ::testing::Test {
 protected:
  // Runs a script and returns the log lines it wrote, without the opening
  // and closing lines (checked once here).
  std::vector<std::string> Run(const std::vector<std::string>& lines) {
    fs::remove(folders_.log());
    WriteCp932(folders_.inputs() / "FileCntl.CTL", lines);
    F_RUN_FILECNTL(ctx_);
    auto log = LogTexts(folders_.log());
    const std::string script = folders_.inputs().string() + "/FileCntl.CTL";
    EXPECT_EQ(log.front(), script + "の処理を開始します。");
    EXPECT_EQ(log.back(), script + "の処理を終了します。");
    return std::vector<std::string>(log.begin() + 1, log.end() - 1);
  }
  std::string P(const std::string& name) const { return (root_ / name).string(); }
  void Touch(const std::string& name, const std::string& text = "x") const {
    fs::create_directories(fs::path(P(name)).parent_path());
    std::ofstream(P(name)) << text;
  }
  bool Exists(const std::string& name) const { return fs::exists(P(name)); }

  BuilderFolders folders_;
  fs::path root_ = folders_.root();
  std::ostringstream messages_;
  BuilderContext ctx_ = testing::ContextFor(folders_, messages_);
};

TEST_F(FileControlTest, EveryVerb) {
  Touch("src/a.txt", "a");
  Touch("src/b.txt", "b");
  Touch("tree/in/c.txt");
  const std::vector<std::string> commands = {
      "CREATEFOLDER " + P("made"),
      "COPYFILE " + P("src/a.txt") + ", " + P("made/a2.txt"),
      "COPYFILE " + P("src/*.txt") + "," + P("made") + "/",
      "MOVEFILE " + P("src/b.txt") + "," + P("b_moved.txt"),
      "DELETEFILE " + P("made/a.txt"),
      "COPYFOLDER " + P("tree") + "," + P("tree_copy"),
      "MOVEFOLDER " + P("tree_copy") + "," + P("tree_moved"),
      "DELETEFOLDER " + P("tree"),
  };
  std::vector<std::string> lines;
  for (const auto& c : commands) lines.push_back("FSO," + c);
  const auto log = Run(lines);
  std::vector<std::string> expected;
  for (size_t i = 0; i < commands.size(); ++i) {
    expected.push_back(lines[i]);
    expected.push_back(commands[i] + " を 処理しました。");
  }
  EXPECT_EQ(log, expected);
  EXPECT_EQ(testing::ReadBytes(P("made/a2.txt")), "a");
  EXPECT_TRUE(Exists("made/b.txt"));
  EXPECT_FALSE(Exists("made/a.txt"));
  EXPECT_TRUE(Exists("b_moved.txt"));
  EXPECT_FALSE(Exists("src/b.txt"));
  EXPECT_TRUE(Exists("tree_moved/in/c.txt"));
  EXPECT_FALSE(Exists("tree_copy"));
  EXPECT_FALSE(Exists("tree"));
}

TEST_F(FileControlTest, KindsAndVerbsInLowerCase) {
  const auto log = Run({"\t fso,createfolder " + P("lower"), "Fso , createfolder " + P("spaced")});
  EXPECT_TRUE(Exists("lower"));
  // A blank before the comma makes the kind "FSO ", which is no kind.
  EXPECT_FALSE(Exists("spaced"));
  EXPECT_EQ(log.size(), 3u);
}

TEST_F(FileControlTest, LinesThatAreNotCommands) {
  const auto log = Run({"' FSO,CREATEFOLDER " + P("c1"), "-- FSO,CREATEFOLDER " + P("c2"), "FSO CREATEFOLDER",
                        "OTHER,CREATEFOLDER " + P("c3"), "FSO,NOSEPARATOR", "FSO,COPYFILE " + P("x"),
                        "FSO,RENAME " + P("x") + "," + P("y")});
  EXPECT_FALSE(Exists("c1") || Exists("c2") || Exists("c3"));
  EXPECT_EQ(
      log, (std::vector<std::string>{
               "' FSO,CREATEFOLDER " + P("c1"), "-- FSO,CREATEFOLDER " + P("c2"), "FSO CREATEFOLDER",
               "OTHER,CREATEFOLDER " + P("c3"), "FSO,NOSEPARATOR", "*** not Issued :NOSEPARATOR",
               "FSO,COPYFILE " + P("x"), "*** not Issued :COPYFILE " + P("x"),
               "FSO,RENAME " + P("x") + "," + P("y"), "*** not Supported :RENAME " + P("x") + "," + P("y")}));
}

TEST_F(FileControlTest, FailuresAreErrorLinesAndTheScriptGoesOn) {
  Touch("exists/f.txt");
  const auto log = Run({"FSO,CREATEFOLDER " + P("exists"), "FSO,DELETEFILE " + P("none*.txt"),
                        "FSO,MOVEFOLDER " + P("exists"), "FSO,CREATEFOLDER " + P("after")});
  ASSERT_EQ(log.size(), 11u);
  EXPECT_EQ(log[1], "*** is Err(58)File already exists (" + P("exists") + ") :CREATEFOLDER " + P("exists"));
  EXPECT_EQ(log[2], "CREATEFOLDER " + P("exists") + " を 処理しました。");
  EXPECT_TRUE(log[4].starts_with("*** is Err(53)File not found")) << log[4];
  EXPECT_TRUE(log[7].starts_with("*** is Err(")) << log[7];
  EXPECT_EQ(log[8], "MOVEFOLDER " + P("exists") + " を 処理しました。");
  EXPECT_TRUE(Exists("after"));
}

TEST_F(FileControlTest, DeleteFolderForcesReadOnlyContentOnlyWithTrue) {
  Touch("ro1/f.txt");
  Touch("ro2/f.txt");
  Touch("ro3/f.txt");
  for (const char* f : {"ro1/f.txt", "ro2/f.txt", "ro3/f.txt"}) fs::permissions(P(f), fs::perms::owner_read);
  const auto log = Run({"FSO,DELETEFOLDER " + P("ro1"), "FSO,DELETEFOLDER " + P("ro2") + ",true",
                        "FSO,DELETEFOLDER " + P("ro3") + ",FALSE"});
  EXPECT_TRUE(Exists("ro1/f.txt"));
  EXPECT_TRUE(log[1].starts_with("*** is Err(70)Permission denied")) << log[1];
  EXPECT_FALSE(Exists("ro2"));
  // Any other word: the whole text is the folder name, which does not exist.
  EXPECT_TRUE(Exists("ro3/f.txt"));
  EXPECT_TRUE(log[6].starts_with("*** is Err(76)Path not found (" + P("ro3") + ",FALSE)")) << log[6];
}

TEST_F(FileControlTest, PathsMatchEntriesWithoutRegardToCase) {
  Touch("case/a.txt");
  Touch("case/b.txt", "b");
  Touch("case/target.txt", "old");
  Touch("case/moved.txt", "kept");
  Touch("case/dir/f.txt");
  const std::vector<std::string> commands = {
      "DELETEFILE " + P("case/A.TXT"),
      "COPYFILE " + P("case/B.TXT") + "," + P("case/TARGET.TXT"),  // overwrites target.txt
      "DELETEFOLDER " + P("case/DIR"),
  };
  std::vector<std::string> lines, expected;
  for (const auto& c : commands) {
    lines.push_back("FSO," + c);
    expected.push_back(lines.back());
    expected.push_back(c + " を 処理しました。");
  }
  // A move onto an existing file, spelled in another case, is refused.
  lines.push_back("FSO,MOVEFILE " + P("case/b.txt") + "," + P("case/MOVED.TXT"));
  const auto log = Run(lines);
  EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 6), expected);
  ASSERT_EQ(log.size(), 9u);
  EXPECT_TRUE(log[7].starts_with("*** is Err(58)File already exists (" + P("case/moved.txt") + ")"))
      << log[7];
  EXPECT_EQ(text::ListFiles(P("case"), "*"), (std::vector<std::string>{"b.txt", "moved.txt", "target.txt"}));
  EXPECT_FALSE(Exists("case/dir"));
  EXPECT_EQ(testing::ReadBytes(P("case/target.txt")), "b");
  EXPECT_EQ(testing::ReadBytes(P("case/moved.txt")), "kept");
}

TEST_F(FileControlTest, ShellCommandThatCannotStartIsAnErrorLine) {
  Touch("plain.txt");  // not executable
  struct Case {
    std::string command, error;
  };
  const Case cases[] = {
      {"no_such_program_for_morvane --flag", "*** is Err(53)File not found (no_such_program_for_morvane)"},
      {P("missing/prog") + " x", "*** is Err(53)File not found (" + P("missing/prog") + ")"},
      {"'" + P("missing/with space") + "' x",
       "*** is Err(53)File not found (" + P("missing/with space") + ")"},
      {P("plain.txt"), "*** is Err(70)Permission denied (" + P("plain.txt") + ")"},
      {"", "*** is Err(5)Invalid procedure call or argument"},
  };
  for (const Case& c : cases) {
    const auto log = Run({"SHELL, " + c.command});
    EXPECT_EQ(log, (std::vector<std::string>{"SHELL, " + c.command, c.error + " :" + c.command,
                                             c.command + " を 処理しました。"}));
  }
}

// The program of a SHELL line runs with its arguments and no shell: ";",
// "&&" and "$" are characters of its arguments, never a second command.
TEST_F(FileControlTest, ShellStartsTheProgramWithItsArgumentsOnly) {
  const std::vector<std::string> commands = {"\"touch\" " + P("quoted") + " '" + P("with space") + "'",
                                             "echo x; touch " + P("second"), "echo x && touch " + P("second"),
                                             "echo $(touch " + P("second") + ")"};
  std::vector<std::string> lines;
  for (const auto& c : commands) lines.push_back("SHELL," + c);
  const auto log = Run(lines);
  for (const auto& c : commands) EXPECT_TRUE(testing::Contains(log, c + " を 処理しました。")) << c;
  EXPECT_EQ(log.size(), 2 * commands.size());
  for (int i = 0; i < 50 && !(Exists("quoted") && Exists("with space")); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  EXPECT_TRUE(Exists("quoted") && Exists("with space"));
  EXPECT_FALSE(Exists("second"));
  EXPECT_EQ(CommandWords("\"/My Tools/x\"  -a 'b c' \"\""),
            (std::vector<std::string>{"/My Tools/x", "-a", "b c", ""}));
}

TEST_F(FileControlTest, ShellStartsWithoutWaiting) {
  const auto start = std::chrono::steady_clock::now();
  const std::string command = "sh -c \"sleep 1; touch " + P("started") + "\"";
  const auto log = Run({"SHELL, " + command});
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(900));
  EXPECT_EQ(log, (std::vector<std::string>{"SHELL, " + command, command + " を 処理しました。"}));
  EXPECT_FALSE(Exists("started"));
  for (int i = 0; i < 50 && !Exists("started"); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(Exists("started"));
}

}  // namespace
}  // namespace morvane
