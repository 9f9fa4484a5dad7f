#include "fieldsets/set_editor.h"

#include <algorithm>
#include <cstdio>

#include "dialogs/trap.h"
#include "fieldsets/field_catalogue.h"
#include "text/cp932.h"
#include "text/cp932_variants.h"
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
constexpr char kListFull[] = "出力項目は 60 項目までです。これ以上 追加できません。";
static_assert(FieldSetFile::G_MaxSel == 60, "kListFull names the limit");

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

bool StorableSetName(Text& name, std::string& refusal) {
  name = text::WithCp932Variants(std::move(name));
  std::string encoded;
  size_t bad = 0;
  if (text::Cp932().Encode(name, encoded, &bad) || name.empty()) return true;
  bad = std::min(bad, name.size() - 1);
  // A character beyond the Basic Multilingual Plane is named whole, whichever
  // of its two halves the encoder stopped at.
  auto high = [&](size_t i) { return name[i] >= 0xD800 && name[i] <= 0xDBFF; };
  if (bad > 0 && name[bad] >= 0xDC00 && name[bad] <= 0xDFFF && high(bad - 1)) --bad;
  const bool pair = bad + 1 < name.size() && high(bad);
  const Text character = name.substr(bad, pair ? 2 : 1);
  const char32_t code =
      pair ? 0x10000 + ((name[bad] - 0xD800) << 10) + (name[bad + 1] - 0xDC00) : char32_t{name[bad]};
  char hex[16];
  std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(code));
  refusal = "名前の「" + ToUtf8(character) + "」(" + hex +
            ") は 設定ファイルに保存できない文字です。別の名前を入力してください。";
  return false;
}

FieldSetEditor::FieldSetEditor(FieldSetFile& file, Dialogs& dialogs, SetList& main_list,
                               std::vector<std::u16string>& main_fields)
    : file_(file), dialogs_(dialogs), main_list_(main_list), main_fields_(main_fields) {
  for (int n = 1; n <= kLastItem; ++n) BtnKMK[static_cast<size_t>(n)].caption = ButtonCaption(n);
}

void FieldSetEditor::Form_Load() {
  Changed = false;
  DragFrom = 0;
  UsedFlags.fill(false);
  RefreshSetList(main_list_.SelectedName());
}

void FieldSetEditor::RefreshSetList(std::u16string_view keep) {
  file_.F_Get一覧(List出力設定F);
  if (List出力設定F.names.empty()) return;
  if (keep.empty() || !List出力設定F.Select(keep)) List出力設定F.selected = 0;
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
  shown_set_ = name;
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
  // The file's reader takes G_MaxSel items: a longer list would lose its tail
  // at the next load.
  if (n != -1 && LbOUT.size() > static_cast<size_t>(FieldSetFile::G_MaxSel)) {
    dialogs_.Message(kListFull);
    return;
  }
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
  const Text list = JoinFieldList(EditList);
  file_.F_Put項目TBL(kReplace, G_EditSetName, list);
  if (file_.F_GetFieldSet(G_EditSetName) != list) return;  // not stored (reported): the items stay unsaved
  Changed = false;
  RefreshSetList(shown_set_);
}

void FieldSetEditor::Btn追加_Click() {
  if (!HasRecordItem()) {
    dialogs_.Message(kAtLeastOneItem);
    return;
  }
  const Text name = AskNewSetName();
  if (name.empty()) return;
  const Text key = Concat(u"<", name, u">");
  file_.F_Put項目TBL(kAppend, key, JoinFieldList(EditList));
  // Shown only once the file holds it; otherwise (reported) the items stay
  // unsaved under the set they came from.
  SetList stored;
  file_.F_Get一覧(stored);
  if (!stored.Select(name)) return;
  Changed = false;
  G_EditSetName = key;
  List出力設定F = std::move(stored);
  List出力設定F_Click();
}

Text FieldSetEditor::AskNewSetName() {
  Text name;  // stays empty unless a new name was given
  TrapErrors(dialogs_, "", [&] {
    for (;;) {
      Text typed = FromUtf8(dialogs_.Input("名前を入力してください。"));
      if (typed.empty()) {
        if (dialogs_.Ask("名前の入力がありません。 追加しないで終了します。よいですか？")) return;
        continue;
      }
      // Refused before anything is stored: the file could not hold it.
      std::string refusal;
      if (!StorableSetName(typed, refusal)) {
        dialogs_.Message(refusal);
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
  return name;
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
  shown_set_.clear();  // the set the user chose is gone
}

bool FieldSetEditor::MayDiscardChanges() { return !Changed || dialogs_.Ask(kDiscardQuestion); }

bool FieldSetEditor::BtnCansel_Click() {
  if (!MayDiscardChanges()) return false;
  const Text before = main_list_.SelectedName();
  file_.F_出力設定F一覧set(main_list_, main_fields_);
  // The main window keeps the set the user worked on here, or the one chosen
  // there before: never silently the first one.
  for (const Text& name : {shown_set_, before}) {
    if (name.empty() || !main_list_.Select(name)) continue;
    main_fields_ = FieldList(file_.F_GetFieldSet(Concat(u"<", name, u">")));
    break;
  }
  return true;
}

}  // namespace tessivar
