#include "builder/program_folder.h"

#include <unistd.h>

#include "builder/settings.h"
#include "builder_test_support.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

// Runs from a temporary current folder and goes back afterwards.
class ProgramFolderTest : public ::testing::Test {
 protected:
  ProgramFolderTest() : previous_(fs::current_path()) {
    fs::create_directories(temp_.path() / "sub");
    fs::current_path(temp_.path());
    cwd_ = fs::current_path();
  }
  ~ProgramFolderTest() override { fs::current_path(previous_); }

  testing::TempFolder temp_;
  fs::path previous_, cwd_;
};

TEST_F(ProgramFolderTest, AbsoluteWithoutDotParts) {
  const struct {
    fs::path home, expected;
  } cases[] = {
      {".", cwd_},
      {"./", cwd_},
      {"sub/..", cwd_},
      {"sub/./", cwd_ / "sub"},
      {cwd_ / "." / "sub" / ".." / "sub", cwd_ / "sub"},
      {"/", "/"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProgramFolder(c.home).string(), c.expected.string()) << c.home;
}

TEST_F(ProgramFolderTest, FoldersUnderTheProgramFolderReadCleanly) {
  EXPECT_EQ(NormaliseFolder("*/MDB_OUT", ProgramFolder(".")), cwd_.string() + "/MDB_OUT/");
}

TEST_F(ProgramFolderTest, WithoutHomeTheExecutablesFolder) {
  EXPECT_EQ(ProgramFolder({}), fs::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace morvane
