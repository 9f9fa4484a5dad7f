// Files dropped onto the main window: checked as start-up checks CSV_IN,
// copied into it, and the prefectures offered follow.
#include "shell/input_drop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "dialogs/scripted_dialogs.h"
#include "shell/startup.h"
#include "support/zip_files.h"
#include "text/file_names.h"

namespace tessivar {
namespace {

namespace fs = std::filesystem;

std::string Replaced(std::string text, const std::string& what, const std::string& with) {
  for (size_t at; (at = text.find(what)) != std::string::npos;) text.replace(at, what.size(), with);
  return text;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(InputDrop, DroppedFilesAreCheckedAsAtStartUp) {
  const struct {
    const char* name;
    std::vector<std::string> dropped;  // "x.zip>Y.CSV": a zip holding Y.CSV; "x.zip>": no zip; "d/": a folder
    std::deque<bool> answers;
    std::vector<std::string> said;  // messages and questions, in <downloads>
    std::vector<std::string> in_folder_after;
    std::vector<int> boxes_enabled;  // empty: all 47
  } cases[] = {
      {"a prefecture's zip and another's CSV",
       {"13tokyo.zip>13TOKYO.CSV", "14KANAGAWA.CSV"},
       {},
       {},
       {"13tokyo.zip", "14KANAGAWA.CSV", "JIGYOSYO.CSV"},
       {13, 14}},
      {"names start-up leaves aside, a folder",
       {"readme.txt", "ken_all (1).zip>KEN_ALL.CSV", "ken_all.zip/"},
       {},
       {"readme.txt は 郵便番号データのファイル名ではないため、CSV_IN "
        "にコピーしません。ken_all.zip、jigyosyo.zip、"
        "13tokyo.zip のように ダウンロードしたときの名前のまま入れてください。",
        "ken_all (1).zip は 郵便番号データのファイル名ではないため、CSV_IN にコピーしません。ken_all.zip、"
        "jigyosyo.zip、13tokyo.zip のように ダウンロードしたときの名前のまま入れてください。",
        "<downloads>/ken_all.zip は ファイルではないため、CSV_IN にコピーしません。"},
       {"JIGYOSYO.CSV"},
       {}},
      {"a zip that is none, one without its file",
       {"ken_all.zip>", "27osaka.zip>13TOKYO.CSV"},
       {},
       {"<downloads>/ken_all.zip は 壊れているため読めません (Not a zip archive)。この zip は CSV_IN "
        "にコピーしません。",
        "<downloads>/27osaka.zip に 27OSAKA.CSV がありません。この zip は CSV_IN にコピーしません。"},
       {"JIGYOSYO.CSV"},
       {}},
      {"a file of the same name kept on No",
       {"jigyosyo.csv"},
       {false},
       {"CSV_IN に JIGYOSYO.CSV があります。<downloads>/jigyosyo.csv で置き換えますか？"},
       {"JIGYOSYO.CSV"},
       {}},
      {"replaced on Yes",
       {"jigyosyo.csv"},
       {true},
       {"CSV_IN に JIGYOSYO.CSV があります。<downloads>/jigyosyo.csv で置き換えますか？"},
       {"jigyosyo.csv"},
       {}},
      {"both kinds of address data refused together",
       {"ken_all.zip>KEN_ALL.CSV", "13tokyo.zip>13TOKYO.CSV"},
       {},
       {"CSV_IN に 全県分(KEN_ALL.CSV) と 県別のファイルが そろうため、CSV_IN "
        "にコピーしません。全県分(KEN_ALL.CSV) "
        "のみか、 １つ以上の県別ファイルに整理してください。"},
       {"JIGYOSYO.CSV"},
       {}},
      {"a zip beside an unpacked file of its role: read as at start-up",
       {"jigyosyo.zip>JIGYOSYO.CSV"},
       {},
       {"CSV_IN に JIGYOSYO.CSV と jigyosyo.zip があります。JIGYOSYO.CSV を読み、jigyosyo.zip "
        "は読みません。"},
       {"JIGYOSYO.CSV", "jigyosyo.zip"},
       {}},
  };
  const fs::path root = fs::temp_directory_path() / "input_drop_test";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(root);
    const fs::path home = root / "home", downloads = root / "downloads";
    fs::create_directories(home / "CSV_IN");
    fs::create_directories(downloads);
    std::ofstream(home / "CSV_IN" / "JIGYOSYO.CSV") << "old";
    ScriptedDialogs dialogs(c.answers);
    Application app(home, dialogs);
    ASSERT_TRUE(RunStartup(app));

    std::vector<fs::path> dropped;
    for (const std::string& drop : c.dropped) {
      const size_t mark = drop.find('>');
      std::string name = drop.substr(0, mark);
      const bool folder = name.back() == '/';
      if (folder) name.pop_back();
      const fs::path file = downloads / name;
      if (folder) {
        fs::create_directories(file);
      } else if (mark == std::string::npos) {
        std::ofstream(file) << "new";
      } else if (mark + 1 == drop.size()) {
        std::ofstream(file) << "PK\x03\x04 cut short";
      } else {
        ASSERT_TRUE(test_support::WriteZip(file, {{drop.substr(mark + 1), "x"}}));
      }
      dropped.push_back(file);
    }
    const bool changed = AddInputFiles(app, dropped);

    std::vector<std::string> said = dialogs.questions();
    said.insert(said.end(), dialogs.messages().begin(), dialogs.messages().end());
    for (auto& text : said) text = Replaced(text, downloads.string(), "<downloads>");
    EXPECT_EQ(said, c.said);
    EXPECT_EQ(text::ListFiles(home / "CSV_IN", "*"), c.in_folder_after);
    EXPECT_EQ(changed, c.in_folder_after != std::vector<std::string>{"JIGYOSYO.CSV"} ||
                           Read(home / "CSV_IN" / "JIGYOSYO.CSV") != "old");
    for (int code = 1; code <= 47; ++code) {
      const bool listed =
          std::find(c.boxes_enabled.begin(), c.boxes_enabled.end(), code) != c.boxes_enabled.end();
      EXPECT_EQ(app.G_MainForm.Chk_県名[static_cast<size_t>(code)].enabled, c.boxes_enabled.empty() || listed)
          << code;
    }
  }
  fs::remove_all(root);
}

}  // namespace
}  // namespace tessivar
