#include "fieldsets/set_editor.h"

#include <algorithm>

#include "dialogs/trap.h"
#include "fieldsets/field_catalogue.h"
#include "text/cp932.h"
#include "text/strings.h"

namespace tessivar {

using text::Concat;
using text::Decimal;
using text::FromUtf8;
using text::Left;
using text::Split;
using text::StartsWith;
using text::Text;
using text::TextView;
using text::ToUtf8;
using text::TrimBlanks;

namespace {

constexpr int kReplace = 1, kAppend = 2, kDelete = 3;
constexpr std::u16string_view kEndMarker = u"-1";
constexpr char kDiscardQuestion[] = "変更された内容は　破棄されます。よろしいですか";
constexpr char kSelectFromList[] = "一覧から選択してください";
constexpr char kAtLeastOneItem[] = "少なくとも　１項目を選択してください。";

bool IsProtected(std::u16string_view name) { return name == kAllItemsSetName || name == kDatabaseSetName; }

// The button caption of item n: its catalogue name without the indenting
// blanks and the dashes ("　　…-- 区切り（カンマ）" gives "区切り（カンマ）").
Text ButtonCaption(int n) {
  TextView name = TrimBlanks(G_FieldNames()[static_cast<size_t>(n)]);
  while (StartsWith(name, u"-")) name.remove_prefix(1);
  return Text(TrimBlanks(name));
}

// The line LbOUT shows for an entry; an entry that names no item is shown as it is.
Text LineText(TextView entry) {
  const int n = FieldEntryNumber(entry);
  return n >= 0 ? Text(G_FieldNames()[static_cast<size_t>(n)]) : Text(entry);
}

}  // namespace

bool IsRecordItem(int n) { return (n >= 1 && n <= 25) || n == 29 || n == 30; }

FieldSetEditor::FieldSetEditor(FieldSetFile& file, Dialogs& dialogs, SetList& main_list,
                               std::vector<std::u16string>& main_fields)
    : file_(file), dialogs_(dialogs), main_list_(main_list), main_fields_(main_fields) {
  for (int n = 1; n <= kLastItem; ++n) BtnKMK[static_cast<size_t>(n)].caption = ButtonCaption(n);
}

void FieldSetEditor::Form_Load() {
  Changed = false;
  DragFrom = 0;
  UsedFlags.fill(false);
  RefreshSetList();
}

void FieldSetEditor::RefreshSetList() {
  file_.F_Get一覧(List出力設定F);
  if (List出力設定F.names.empty()) return;
  List出力設定F.selected = 0;
  List出力設定F_Click();
}

void FieldSetEditor::List出力設定F_Click() {
  // Unsaved items are never dropped without the question, whichever set was
  // clicked; once answered Yes they are gone, so the new set starts unchanged.
  if (Changed) {
    if (!dialogs_.Ask(kDiscardQuestion)) return;
    Changed = false;
  }
  const int index = List出力設定F.selected;
  if (index < 0 || static_cast<size_t>(index) >= List出力設定F.names.size()) {
    dialogs_.Message(kSelectFromList);
    return;
  }
  const Text name = List出力設定F.names[static_cast<size_t>(index)];
  G_EditSetName = Concat(u"<", name, u">");
  EditList = FieldList(file_.F_GetFieldSet(G_EditSetName));
  ShowEditList();

  if (name == kDatabaseSetName) {
    // Its items follow the database's definition script. The two company-name
    // buttons keep whatever state they had.
    LbOUT_enabled = BtnReSet_enabled = false;
    for (int n = 1; n <= kHalfWidthBlank; ++n) BtnKMK[static_cast<size_t>(n)].enabled = false;
  } else {
    LbOUT_enabled = BtnReSet_enabled = true;
    for (int n = 1; n <= kLastItem; ++n) {
      BtnKMK[static_cast<size_t>(n)].enabled = !IsRecordItem(n) || !UsedFlags[static_cast<size_t>(n)];
    }
  }
  if (IsProtected(name)) {
    Btn削除 = {u"削除", false};
    Btn変更登録 = {u"変更", false};
  } else {
    const Text shown(Left(name, 20));
    Btn削除 = {Concat(shown, u" を削除"), true};
    Btn変更登録 = {Concat(shown, u" を変更"), true};
  }
}

void FieldSetEditor::ShowEditList() {
  UsedFlags.fill(false);
  LbOUT.clear();
  LbOUT_selected = -1;
  for (const Text& entry : EditList) {
    if (entry == kEndMarker) break;
    LbOUT.push_back(LineText(entry));
    const int n = FieldEntryNumber(entry);
    if (IsRecordItem(n)) UsedFlags[static_cast<size_t>(n)] = true;
  }
}

void FieldSetEditor::F_Sel(int n) {
  Changed = true;
  int s = LbOUT_selected;
  if (n == -1) {
    if (s == 0) {
      dialogs_.Message("この行の「選択の解除」はできません。");
      return;
    }
    if (s < 0 || static_cast<size_t>(s) >= LbOUT.size()) return;
    const int removed = FieldEntryNumber(EditList[static_cast<size_t>(s)]);
    if (IsRecordItem(removed)) {
      UsedFlags[static_cast<size_t>(removed)] = false;
      BtnKMK[static_cast<size_t>(removed)].enabled = true;
    }
    EditList.erase(EditList.begin() + s);
    EditList.emplace_back(kEndMarker);
    LbOUT.erase(LbOUT.begin() + s);
    LbOUT_selected = -1;
    return;
  }
  if (s == -1) s = static_cast<int>(LbOUT.size()) - 1;
  const size_t at = static_cast<size_t>(s + 1);
  if (!EditList.empty() && EditList.back() == kEndMarker) EditList.pop_back();
  EditList.insert(EditList.begin() + static_cast<long>(std::min(at, EditList.size())), Decimal(n));
  if (IsRecordItem(n)) {
    UsedFlags[static_cast<size_t>(n)] = true;
    BtnKMK[static_cast<size_t>(n)].enabled = false;
  }
  LbOUT.insert(LbOUT.begin() + static_cast<long>(at), Text(G_FieldNames()[static_cast<size_t>(n)]));
  // The new line becomes the selected one, so that items pressed one after
  // the other stand in the order pressed.
  LbOUT_selected = static_cast<int>(at);
}

void FieldSetEditor::BtnReSet_Click() {
  if (LbOUT_selected < 0) {
    dialogs_.Message("② 出力項目の一覧から 取り除く項目を クリックして選択してください。");
    return;
  }
  F_Sel(-1);
}

void FieldSetEditor::LbOUT_DblClick() {
  DragFrom = 0;
  F_Sel(-1);
}

void FieldSetEditor::LbOUT_MouseDown() {
  DragFrom = std::max(LbOUT_selected, 0);
  if (LbOUT_selected == 0) dialogs_.Message("この項目は 移動できません。");
}

void FieldSetEditor::LbOUT_MouseUp() {
  const int t = LbOUT_selected;
  if (t < 0 || t == DragFrom || DragFrom == 0 || static_cast<size_t>(DragFrom) >= LbOUT.size()) return;
  // The entry lands directly below line t: at t + 1 moving up, at t moving down.
  const int to = t < DragFrom ? t + 1 : t;
  auto move = [&](std::vector<Text>& lines) {
    Text moved = lines[static_cast<size_t>(DragFrom)];
    lines.erase(lines.begin() + DragFrom);
    lines.insert(lines.begin() + to, std::move(moved));
  };
  move(EditList);
  move(LbOUT);
  LbOUT_selected = to;
  Changed = true;
}

bool FieldSetEditor::HasRecordItem() const {
  for (const Text& entry : EditList) {
    if (entry == kEndMarker) break;
    if (IsRecordItem(FieldEntryNumber(entry))) return true;
  }
  return false;
}

void FieldSetEditor::Btn変更登録_Click() {
  if (!HasRecordItem()) {
    dialogs_.Message(kAtLeastOneItem);
    return;
  }
  file_.F_Put項目TBL(kReplace, G_EditSetName, JoinFieldList(EditList));
  Changed = false;
  RefreshSetList();
}

void FieldSetEditor::Btn追加_Click() {
  if (!HasRecordItem()) {
    dialogs_.Message(kAtLeastOneItem);
    return;
  }
  Text name;  // stays empty unless a new name was given
  TrapErrors(dialogs_, "", [&] {
    for (;;) {
      Text typed = FromUtf8(dialogs_.Input("名前を入力してください。"));
      if (typed.empty()) {
        if (dialogs_.Ask("名前の入力がありません。 追加しないで終了します。よいですか？")) return;
        continue;
      }
      // A set is never added under a name the file already holds: that would
      // overwrite the set of that name (the protected ones included) and
      // leave a second copy of it in the file.
      const auto& names = List出力設定F.names;
      if (std::find(names.begin(), names.end(), typed) == names.end()) {
        name = std::move(typed);
        return;
      }
      dialogs_.Message(ToUtf8(Concat(u"<", typed, u"> は 既に存在します。別の名前を入力してください。")));
    }
  });
  if (name.empty()) return;
  Changed = false;
  G_EditSetName = Concat(u"<", name, u">");
  file_.F_Put項目TBL(kAppend, G_EditSetName, JoinFieldList(EditList));
  List出力設定F.names.push_back(name);
  List出力設定F.selected = static_cast<int>(List出力設定F.names.size()) - 1;
  List出力設定F_Click();
}

void FieldSetEditor::Btn削除_Click() {
  const int index = List出力設定F.selected;
  if (index < 0 || static_cast<size_t>(index) >= List出力設定F.names.size()) {
    dialogs_.Message(kSelectFromList);
    return;
  }
  const Text& name = List出力設定F.names[static_cast<size_t>(index)];
  if (IsProtected(name)) {
    dialogs_.Message(ToUtf8(Concat(u"<", name, u"> は 削除できません")));
    return;
  }
  file_.F_Put項目TBL(kDelete, G_EditSetName, JoinFieldList(EditList));
  Changed = false;
  RefreshSetList();
}

bool FieldSetEditor::BtnCansel_Click() {
  if (Changed && !dialogs_.Ask(kDiscardQuestion)) return false;
  file_.F_出力設定F一覧set(main_list_, main_fields_);
  return true;
}

}  // namespace tessivar
