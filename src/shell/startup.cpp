#include "shell/startup.h"

#include <system_error>

#include "dialogs/trap.h"
#include "shell/folder_guide.h"
#include "shell/home_setup.h"
#include "shell/input_discovery.h"
#include "text/file_names.h"
#include "text/strings.h"

namespace tessivar {

namespace {

constexpr std::string_view kTrapPrefix = "(Md_Main:main) ";

void CreateFolderIfMissing(const std::filesystem::path& folder) {
  if (!std::filesystem::is_directory(folder)) std::filesystem::create_directory(folder);
}

void StopStartup(Application& app) {
  app.frmSplash.Btn_NEXT = std::u16string(kStopCaption);
  app.frmSplash.font_size = 10;
}

void SetPrefectureBoxes(Application& app) {
  auto& form = app.G_MainForm;
  const auto& in = app.inputs;
  if (in.has_ken_all || (in.has_jigyosyo && !in.has_pref_files)) {
    form.Chk_県名[0].value = true;
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code)
      form.Chk_県名[static_cast<size_t>(code)] = {true, true};
    form.Chk_県指定一括.value = true;
  } else if (in.has_pref_files) {
    form.Chk_県名[0].value = false;
    for (int code = kFirstPrefecture; code <= kLastPrefecture; ++code) {
      const bool found = !in.files[static_cast<size_t>(code)].empty();
      form.Chk_県名[static_cast<size_t>(code)] = {found, found};
    }
    form.Chk_県指定一括.value = true;
  }
}

std::u16string DataKindCaption(const InputFiles& in) {
  std::u16string kinds = in.has_ken_all ? u"全国一括データ" : in.has_pref_files ? u"県別データ" : u"";
  if (kinds.empty()) {
    kinds += u" 事業所データ";
  } else if (in.has_jigyosyo) {
    kinds += u" と 事業所データ";
  }
  return text::Concat(text::Trim(kinds),
                      u" の処理を行います。以下にチェックのある県別データが抽出されます。");
}

void SetDefaultOptions(MainWindowModel& form) {
  for (auto& purpose : form.Opt_用途) purpose.enabled = true;
  form.SelectPurpose(0);
  MainWindowModel::Select(form.Opt_形式, 1);
  MainWindowModel::Select(form.Opt_県名, 0);
  MainWindowModel::Select(form.Opt_空白, 0);
}

// The files of CSV_IN as Japan Post publishes them: unpacked, or the zips
// they come in.
std::vector<std::string> InputListing(const std::filesystem::path& in_folder) {
  std::vector<std::string> listing = text::ListFiles(in_folder, "*.csv");
  for (auto& zip : text::ListFiles(in_folder, "*.zip")) listing.push_back(std::move(zip));
  return listing;
}

// Which file takes which role, the prefecture boxes and the data-kind label;
// false when both kinds of address data are there.
bool FindInputFiles(Application& app, const std::vector<std::string>& listing) {
  const int all_prefecture_files = ClassifyInputFiles(app.inputs, listing, app.dialogs);
  if (all_prefecture_files > 0 && app.inputs.has_pref_files) {
    app.dialogs.Message(
        "CSV_IN  に 全県分(KEN_ALL.CSV) と 県別のファイルが存在します。\r"
        "全県分(KEN_ALL.CSV) のみか、 １つ以上の県別ファイルに整理して、再度実行してください。");
    return false;
  }
  SetPrefectureBoxes(app);
  app.G_MainForm.Lbl_File = DataKindCaption(app.inputs);
  return true;
}

}  // namespace

void Form_Load(Application& app) {
  TrapErrors(app.dialogs, "", [&] { app.field_sets.Load(app.G_MainForm.List出力設定F, app.G_SelFields); });
}

bool RunStartup(Application& app) {
  PrepareHome(app);
  Form_Load(app);
  app.inputs.in_folder = app.program_folder / "CSV_IN";
  app.inputs.out_folder = app.program_folder / "CSV_OUT";
  TrapErrors(app.dialogs, kTrapPrefix, [&] { CreateFolderIfMissing(app.inputs.in_folder); });

  const std::vector<std::string> listing = InputListing(app.inputs.in_folder);
  if (listing.empty()) {
    GuideToEmptyInputFolder(app);
    StopStartup(app);
    return false;
  }
  TrapErrors(app.dialogs, kTrapPrefix, [&] { CreateFolderIfMissing(app.inputs.out_folder); });

  if (!FindInputFiles(app, listing)) {
    StopStartup(app);
    return false;
  }
  SetDefaultOptions(app.G_MainForm);
  return true;
}

void RereadInputFolder(Application& app) {
  app.inputs.files = {};
  if (FindInputFiles(app, InputListing(app.inputs.in_folder))) return;
  // Both kinds of address data: no run until the user has sorted them out.
  for (auto& box : app.G_MainForm.Chk_県名) box = {false, false};
}

}  // namespace tessivar
