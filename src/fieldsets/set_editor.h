#pragma once
// The field-set editor (the window "出力項目設定ファイル編集") without any
// toolkit: the set list, the items of the set being edited, the item buttons,
// and store / add / delete / close through the field-set file. The window
// shows these members and calls the handlers; a test drives them directly.
#include <array>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"
#include "fieldsets/field_set_file.h"

namespace tessivar {

struct EditorButton {
  std::u16string caption;
  bool enabled = true;
};

class FieldSetEditor {
 public:
  // main_list and main_fields are the main window's set list and G_SelFields,
  // refilled when the editor closes. The editor opens on the set selected in
  // main_list.
  FieldSetEditor(FieldSetFile& file, Dialogs& dialogs, SetList& main_list,
                 std::vector<std::u16string>& main_fields);

  SetList List出力設定F;              // ① the names of all sets
  std::vector<std::u16string> LbOUT;  // ② line 0 the heading, line n the n-th item
  int LbOUT_selected = -1;
  bool LbOUT_enabled = true;
  bool BtnReSet_enabled = true;
  std::array<EditorButton, 31> BtnKMK;  // 1..30: insert catalogue item n
  EditorButton Btn変更登録{u"変更・登録"};
  EditorButton Btn削除{u"削 除"};

  std::u16string G_EditSetName;          // "<" + name + ">" of the set being edited
  std::vector<std::u16string> EditList;  // its list; LbOUT line n shows entry n
  std::array<bool, 31> UsedFlags{};      // record item n is in EditList
  bool Changed = false;                  // edited since the set was loaded or stored
  int DragFrom = 0;                      // LbOUT line where a press began; 0: none

  void Form_Load();
  // The set list's click, after the window has set List出力設定F.selected.
  void List出力設定F_Click();
  // Inserts catalogue item n below the selected line (at the end when none is
  // selected), or removes the selected line when n is -1. A list holds at
  // most G_MaxSel items: one more is refused with a message.
  void F_Sel(int n);
  void BtnKMK_Click(int index) { F_Sel(index); }
  void BtnReSet_Click();
  void LbOUT_DblClick();
  // Reordering: press and release on LbOUT, after the window has set
  // LbOUT_selected to the line under the mouse.
  void LbOUT_MouseDown();
  void LbOUT_MouseUp();
  void Btn変更登録_Click();
  void Btn追加_Click();
  void Btn削除_Click();
  // Returns true when the window may close; the main window's list has then
  // been refilled, with the set last shown here selected (after a delete, the
  // set selected there before, when it still exists).
  bool BtnCansel_Click();
  // Whether unsaved items may go (the main window is closing): asks the
  // discard question when there are any.
  bool MayDiscardChanges();

 private:
  // Reads the set list again and shows the set named keep (the first set
  // when there is none of that name).
  void RefreshSetList(std::u16string_view keep = {});
  // The name the user typed for a new set, as the file can hold it; empty
  // when the user gave up.
  std::u16string AskNewSetName();
  void ShowEditList();
  bool HasRecordItem() const;

  FieldSetFile& file_;
  Dialogs& dialogs_;
  SetList& main_list_;
  std::vector<std::u16string>& main_fields_;
  std::u16string shown_set_;  // the set the user last had shown; empty after a delete
};

// 1..25 and 29..30 are record items, each at most once in a set; 26..28 are
// separators.
bool IsRecordItem(int n);

// A set name as the settings file (code page 932) can hold it: the
// characters Unicode writes for ～ and － (〜, −) become those. Returns false,
// with refusal naming the first character code page 932 lacks, when there is one.
bool StorableSetName(std::u16string& name, std::string& refusal);

}  // namespace tessivar
