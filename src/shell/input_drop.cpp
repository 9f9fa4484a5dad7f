#include "shell/input_drop.h"

#include <optional>
#include <system_error>

#include "convert/context/input_files.h"
#include "convert/context/run_options.h"
#include "shell/input_discovery.h"
#include "shell/startup.h"
#include "text/file_names.h"
#include "text/text_file.h"

namespace tessivar {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNotCopied = "CSV_IN にコピーしません。";

bool IsPrefectureRole(int role) { return role >= kFirstPrefecture && role <= kLastPrefecture; }

// The dropped file when it may go into CSV_IN; else says why not.
bool Acceptable(const fs::path& file, const fs::path& in_folder, Dialogs& dialogs) {
  std::error_code ec;
  const std::string name = file.filename().string();
  if (!fs::is_regular_file(file, ec)) {
    dialogs.Message(file.string() + " は ファイルではないため、" + std::string(kNotCopied));
    return false;
  }
  if (InputRoleOfName(name) < 0) {
    dialogs.Message(
        name + " は 郵便番号データのファイル名ではないため、" + std::string(kNotCopied) +
        "ken_all.zip、jigyosyo.zip、13tokyo.zip のように ダウンロードしたときの名前のまま入れてください。");
    return false;
  }
  if (fs::equivalent(file, in_folder / name, ec)) {
    dialogs.Message(name + " は 既に CSV_IN にあります。");
    return false;
  }
  return CheckZipToAdd(file, dialogs);
}

// Whether the files of CSV_IN and the names to add hold both the
// all-prefecture file and per-prefecture files.
bool BothKindsOfAddressData(const fs::path& in_folder, const std::vector<fs::path>& adding) {
  std::vector<std::string> names = text::ListFiles(in_folder, "*");
  for (const fs::path& file : adding) names.push_back(file.filename().string());
  bool all_prefectures = false, per_prefecture = false;
  for (const std::string& name : names) {
    const int role = InputRoleOfName(name);
    all_prefectures = all_prefectures || role == kAllPrefecturesIndex;
    per_prefecture = per_prefecture || IsPrefectureRole(role);
  }
  return all_prefectures && per_prefecture;
}

// Copies file into in_folder; a file there of the same name (in any case)
// is replaced only when the user agrees.
bool CopyIn(const fs::path& file, const fs::path& in_folder, Dialogs& dialogs) {
  const std::string name = file.filename().string();
  const std::optional<fs::path> existing = text::FindNoCase(in_folder, name);
  if (existing && !dialogs.AskWithIcon("CSV_IN に " + existing->filename().string() + " があります。" +
                                           file.string() + " で置き換えますか？",
                                       DialogIcon::kQuestion))
    return false;
  std::error_code ec;
  if (!text::CopyWhole(file, in_folder / name, ec)) {
    dialogs.Message(file.string() + " を " + (in_folder / name).string() +
                    " へコピーできません: " + ec.message());
    return false;
  }
  if (existing && existing->filename() != name) fs::remove(*existing, ec);
  return true;
}

}  // namespace

bool AddInputFiles(Application& app, const std::vector<fs::path>& dropped) {
  const fs::path& in_folder = app.inputs.in_folder;
  std::vector<fs::path> adding;
  for (const fs::path& file : dropped) {
    if (Acceptable(file, in_folder, app.dialogs)) adding.push_back(file);
  }
  if (adding.empty()) return false;
  if (BothKindsOfAddressData(in_folder, adding)) {
    app.dialogs.Message("CSV_IN に 全県分(KEN_ALL.CSV) と 県別のファイルが そろうため、" +
                        std::string(kNotCopied) +
                        "全県分(KEN_ALL.CSV) のみか、 １つ以上の県別ファイルに整理してください。");
    return false;
  }
  bool changed = false;
  for (const fs::path& file : adding) changed = CopyIn(file, in_folder, app.dialogs) || changed;
  if (changed) RereadInputFolder(app);
  return changed;
}

}  // namespace tessivar
