#pragma once
// The main window's controls and their rules, without any toolkit: start-up
// prepares them, the batch mode sets them from its arguments, and the windows
// show them. The start button reads them once into RunOptions.
#include <array>
#include <string>

#include "convert/context/run_options.h"
#include "fieldsets/field_set_file.h"

namespace tessivar {

struct Control {
  bool value = false;
  bool enabled = true;
};

struct MainWindowModel {
  std::array<Control, 3> Opt_用途;                              // purpose 0 word list, 1 database, 2 CSV
  std::array<Control, 2> Opt_形式;                              // (1): "123-4567"
  std::array<Control, 2> Opt_県名;                              // (1): with prefecture name
  std::array<Control, 2> Opt_空白;                              // (1): separating blanks
  Control Opt_列名;                                             // column-name line first
  Control 県名指定, 空白指定, 列名出力, 出力指定, Btn列名選択;  // frames and button enabled with their groups
  SetList List出力設定F;                                        // the field sets; enabled with 出力指定
  std::array<Control, kPrefectureBoxes> Chk_県名;               // 0: "一括(KEN_ALL)", 1..47 by code
  Control Chk_県指定一括;
  std::u16string Lbl_File;

  // Opt_取込先 (0) "MS-IME", selected from the start, (1) "Mozc"; frame
  // 取り込み先指定. Enabled with the word list, like 県名指定 and 空白指定.
  std::array<Control, 2> Opt_取込先{{{true}, {false}}};
  Control 取り込み先指定;

  // Selects purpose index (the option-button click), then applies the
  // enabled states and values that the purpose implies.
  void SelectPurpose(int index);
  void Opt_用途_Click();
  // Sets every prefecture box that may change to the value of Chk_県指定一括.
  void Chk_県指定一括_Click();
  // Selects option index of a two-button group.
  static void Select(std::array<Control, 2>& group, int index);

  Purpose SelectedPurpose() const;
  // The run's options as the controls stand now.
  RunOptions ReadOptions() const;
};

}  // namespace tessivar
