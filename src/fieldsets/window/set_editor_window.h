#pragma once
// frm列名選択, "出力項目設定ファイル編集": a thin window over FieldSetEditor.
// Every click goes to the editor, and the window then shows the editor's
// state again. The close box acts as "戻　る".
#include <QWidget>
#include <array>
#include <functional>

#include "fieldsets/set_editor.h"

class QListWidget;
class QPushButton;

namespace tessivar {

class ItemListBox;

class SetEditorWindow : public QWidget {
 public:
  // on_closed runs after the editor has refilled the main window's list.
  SetEditorWindow(FieldSetFile& file, Dialogs& dialogs, SetList& main_list,
                  std::vector<std::u16string>& main_fields, std::function<void()> on_closed, QWidget* owner);
  // Whether unsaved items may go: shows the window and asks its discard
  // question when there are any.
  bool MayDiscardChanges();
  // Closes without any question (the main window is closing).
  void Unload();
  const FieldSetEditor& editor() const { return editor_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Build();
  void SetTabOrder();
  void Connect();
  void ShowEditor();
  void TakeItemSelection();
  // Runs an editor handler on the selection as the user left it, then shows the result.
  template <typename Handler>
  void Act(Handler handler) {
    TakeItemSelection();
    handler();
    ShowEditor();
  }

  FieldSetEditor editor_;
  std::function<void()> on_closed_;
  bool unloading_ = false;
  QListWidget* sets_ = nullptr;
  ItemListBox* items_ = nullptr;
  std::array<QPushButton*, 31> item_buttons_{};
  QPushButton* reset_ = nullptr;
  QPushButton* change_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QPushButton* back_ = nullptr;
};

}  // namespace tessivar
