#include "shell/folder_guide.h"

#include <system_error>

#include "handoff/builder_files.h"

namespace tessivar {

namespace {

namespace fs = std::filesystem;

void OpenFolder(Application& app, const fs::path& folder) {
  std::error_code ec;
  if (!fs::create_directories(folder, ec) && ec) {
    app.dialogs.Message(folder.string() + " を作成できません: " + ec.message());
    return;
  }
  if (!app.dialogs.OpenFolder(folder)) app.dialogs.Message(folder.string() + " を開けません。");
}

}  // namespace

std::string EmptyInputFolderGuide(const fs::path& in_folder) {
  return "CSV_IN に 「住所の郵便番号ダウンロードサービス」から入手した ken_all.zip（住所の郵便番号 "
         "全国一括）と "
         "jigyosyo.zip（事業所の個別郵便番号）を、ダウンロードしたまま コピーして 再起動してください。\r\r"
         "CSV_IN フォルダー:\r" +
         in_folder.string();
}

void GuideToEmptyInputFolder(Application& app) {
  const fs::path& in_folder = app.inputs.in_folder;
  if (app.dialogs.OpensFolders()) {
    if (app.dialogs.AskWithIcon(EmptyInputFolderGuide(in_folder) + "\r\rCSV_IN フォルダーを開きますか？",
                                DialogIcon::kQuestion))
      OpenFolder(app, in_folder);
  } else if (app.home_source) {
    app.dialogs.Message(EmptyInputFolderGuide(in_folder));
  } else {
    app.dialogs.Message(
        "CSV_IN に 「住所の郵便番号ダウンロードサービス」から入手し、解凍したデータをコピーして "
        "再起動してください。");
  }
}

void OpenInputFolder(Application& app) { OpenFolder(app, app.inputs.in_folder); }

void OpenOutputFolder(Application& app) {
  const bool database = app.G_MainForm.SelectedPurpose() == Purpose::kDatabase;
  OpenFolder(app, database ? app.program_folder / handoff::kDatabaseFolder : app.inputs.out_folder);
}

}  // namespace tessivar
