#include "shell/startup.h"

#include <system_error>

#include "dialogs/trap.h"
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

}  // namespace

void Form_Load(Application& app) {
  TrapErrors(app.dialogs, "", [&] { app.field_sets.Load(app.G_MainForm.List出力設定F, app.G_SelFields); });
}

bool RunStartup(Application& app) {
  Form_Load(app);
  app.inputs.in_folder = app.program_folder / "CSV_IN";
  app.inputs.out_folder = app.program_folder / "CSV_OUT";
  TrapErrors(app.dialogs, kTrapPrefix, [&] { CreateFolderIfMissing(app.inputs.in_folder); });

  // The files as Japan Post publishes them: unpacked, or the zips they come in.
  std::vector<std::string> listing = text::ListFiles(app.inputs.in_folder, "*.csv");
  for (auto& zip : text::ListFiles(app.inputs.in_folder, "*.zip")) listing.push_back(std::move(zip));
  if (listing.empty()) {
    app.dialogs.Message(
        "CSV_IN に 「住所の郵便番号ダウンロードサービス」から入手し、解凍したデータをコピーして "
        "再起動してください。");
    StopStartup(app);
    return false;
  }
  TrapErrors(app.dialogs, kTrapPrefix, [&] { CreateFolderIfMissing(app.inputs.out_folder); });

  const int all_prefecture_files = ClassifyInputFiles(app.inputs, listing, app.dialogs);
  if (all_prefecture_files > 0 && app.inputs.has_pref_files) {
    app.dialogs.Message(
        "CSV_IN  に 全県分(KEN_ALL.CSV) と 県別のファイルが存在します。\r"
        "全県分(KEN_ALL.CSV) のみか、 １つ以上の県別ファイルに整理して、再度実行してください。");
    StopStartup(app);
    return false;
  }
  SetPrefectureBoxes(app);
  app.G_MainForm.Lbl_File = DataKindCaption(app.inputs);
  SetDefaultOptions(app.G_MainForm);
  return true;
}

}  // namespace tessivar
