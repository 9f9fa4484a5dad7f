// The programs as the Debian package installs them (the install component
// "package" under a prefix), run by two users, each with HOME of their own:
// each works in the folder Tessivar of their documents folder, made at the
// first start, and nothing is written under the prefix.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>

#include "program_folder.h"
#include "text/run_lock.h"

namespace tessivar::e2e {
namespace {

namespace fs = std::filesystem;

const fs::path kKenAll = fs::path(TEST_DATA_DIR) / "cases/ime_plain_towns_and_notes/CSV_IN/KEN_ALL.CSV";

// Every file under folder with its size and time of change.
std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> Listing(const fs::path& folder) {
  std::map<std::string, std::pair<uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const uintmax_t size = entry.is_regular_file() ? entry.file_size() : 0;
    files[entry.path().string()] = {size, entry.last_write_time()};
  }
  return files;
}

// Runs "tessivar --batch args" as the user whose home is home.
BatchRun RunAs(const fs::path& home, const fs::path& tessivar, const std::string& args) {
  BatchRun run;
  const std::string command = "env -u XDG_CONFIG_HOME HOME='" + home.string() + "' '" + tessivar.string() +
                              "' --batch " + args + " 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  for (size_t got; (got = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    run.out.append(buffer.data(), got);
  const int status = ::pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string WithoutDateLine(const std::string& bytes) {
  return std::regex_replace(bytes, std::regex("!DateTime:[^\r\n]*"), "!DateTime:");
}

TEST(PackageLayout, EveryUserWorksInAFolderOfTheirOwn) {
  if (!PACKAGE_BUILT) GTEST_SKIP() << "the package is built with the windows only";
  const fs::path root = FreshProgramFolder("package_layout").parent_path() / "package_users";
  const fs::path prefix = root / "usr";
  fs::remove_all(root);
  const std::string install = std::string("\"") + CMAKE_COMMAND + "\" --install \"" + PROJECT_BINARY_DIR +
                              "\" --component package --prefix \"" + prefix.string() + "\" > /dev/null";
  ASSERT_EQ(std::system(install.c_str()), 0) << install;
  const fs::path tessivar = prefix / "bin/tessivar";
  const auto installed = Listing(prefix);

  // The reference: the same input in a program folder.
  const fs::path program_folder = FreshProgramFolder("package_layout");
  WriteCp932(program_folder / "CSV_IN/KEN_ALL.CSV", ReadBytes(kKenAll));
  ASSERT_EQ(RunTessivar(program_folder, "--purpose ime --yes").exit_code, 0);
  const std::string word_list = WithoutDateLine(ReadBytes(program_folder / "CSV_OUT/ZIP.TXT"));

  const struct {
    const char* user;
    std::string user_dirs;  // ~/.config/user-dirs.dirs
    const char* documents;
    const char* args;
    const char* output;
  } users[] = {
      {"alice", "XDG_DOCUMENTS_DIR=\"$HOME/ドキュメント\"\n", "ドキュメント", "--purpose ime --yes",
       "CSV_OUT/ZIP.TXT"},
      {"bob", "", "Documents", "--purpose mdb --yes --poll-ms 50", "MDB_OUT/torvask.mdb"},
  };
  text::RunLock alices_run;  // alice runs all along: bob is not kept waiting
  for (const auto& u : users) {
    SCOPED_TRACE(u.user);
    const fs::path home = root / u.user;
    fs::create_directories(home / ".config");
    if (!u.user_dirs.empty()) std::ofstream(home / ".config/user-dirs.dirs") << u.user_dirs;
    const fs::path folder = home / u.documents / "Tessivar";

    const BatchRun first = RunAs(home, tessivar, u.args);
    EXPECT_EQ(first.exit_code, 1);
    EXPECT_NE(first.out.find("CSV_IN フォルダー: " + (folder / "CSV_IN").string()), std::string::npos)
        << first.out;
    for (const char* made :
         {"CSV_IN", "CSV_OUT", "MDB_OUT", "Tessivar.ini", "Morvane/MDB定義/torvaskmdb.sql"})
      EXPECT_TRUE(fs::exists(folder / made)) << made;

    WriteCp932(folder / "CSV_IN/KEN_ALL.CSV", ReadBytes(kKenAll));
    const BatchRun run = RunAs(home, tessivar, u.args);
    EXPECT_EQ(run.exit_code, 0) << run.out;
    EXPECT_TRUE(fs::exists(folder / u.output));
    if (std::string(u.user) == "alice") {
      EXPECT_EQ(WithoutDateLine(ReadBytes(folder / u.output)), word_list);
      ASSERT_EQ(alices_run.Acquire(folder / "Tessivar.lock"), text::RunLock::Result::kLocked);
    } else {
      EXPECT_NE(run.out.find("郵便番号MDB を "), std::string::npos) << run.out;
      EXPECT_TRUE(fs::exists(folder / "Morvane.Log"));
    }
  }
  EXPECT_EQ(Listing(prefix), installed);  // nothing written under the prefix
  fs::remove_all(root);
}

}  // namespace
}  // namespace tessivar::e2e
