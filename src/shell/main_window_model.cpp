#include "shell/main_window_model.h"

namespace tessivar {

void MainWindowModel::Select(std::array<Control, 2>& group, int index) {
  group[0].value = index == 0;
  group[1].value = index == 1;
}

void MainWindowModel::SelectPurpose(int index) {
  for (int i = 0; i < 3; ++i) Opt_用途[static_cast<size_t>(i)].value = i == index;
  Opt_用途_Click();
}

Purpose MainWindowModel::SelectedPurpose() const {
  for (int i = 0; i < 3; ++i) {
    if (Opt_用途[static_cast<size_t>(i)].value) return static_cast<Purpose>(i);
  }
  return Purpose::kNone;
}

void MainWindowModel::Opt_用途_Click() {
  const Purpose purpose = SelectedPurpose();
  const bool word_list = purpose == Purpose::kWordList;
  const bool csv = purpose == Purpose::kCsv;
  for (Control* c : {&Opt_県名[0], &Opt_県名[1], &県名指定, &Opt_空白[0], &Opt_空白[1], &空白指定,
                     &Opt_取込先[0], &Opt_取込先[1], &取り込み先指定}) {
    c->enabled = word_list;
  }
  Opt_列名.value = purpose == Purpose::kDatabase;
  for (Control* c : {&Opt_列名, &列名出力, &出力指定, &Btn列名選択}) c->enabled = csv;
  Select(Opt_形式, word_list ? 1 : 0);
  Opt_形式[0].enabled = Opt_形式[1].enabled = purpose != Purpose::kDatabase;
}

void MainWindowModel::Chk_県指定一括_Click() {
  for (int code = 1; code < kPrefectureBoxes; ++code) {
    auto& box = Chk_県名[static_cast<size_t>(code)];
    if (box.enabled || Chk_県名[0].value) box.value = Chk_県指定一括.value;
  }
}

RunOptions MainWindowModel::ReadOptions() const {
  RunOptions options;
  options.purpose = SelectedPurpose();
  options.hyphen = Opt_形式[1].value;
  options.with_prefecture = Opt_県名[1].value;
  options.with_blank = Opt_空白[1].value;
  options.ime_target = Opt_取込先[1].value ? ImeTarget::kMozc : ImeTarget::kMsIme;
  options.column_names = Opt_列名.value;
  for (size_t i = 0; i < Chk_県名.size(); ++i) {
    options.prefecture_checked[i] = Chk_県名[i].value;
    options.prefecture_enabled[i] = Chk_県名[i].enabled;
  }
  return options;
}

}  // namespace tessivar
