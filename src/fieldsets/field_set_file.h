#pragma once
// The field-set file "Tessivar.ini": named output field lists, each kept as a
// header line "<name>" followed by the list joined with ",". Code page 932,
// CR LF, every line read with its surrounding blanks removed.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/dialogs.h"

namespace tessivar {

// A list box of set names: the entries and the selected index (-1: none).
struct SetList {
  std::vector<std::u16string> names;
  int selected = -1;
};

// The built-in set, written whenever the file is missing, and the database
// set; the set editor neither changes nor deletes these two.
inline constexpr std::u16string_view kAllItemsSetName = u"全項目出力";
inline constexpr std::u16string_view kAllItemsSetKey = u"<全項目出力>";
inline constexpr std::u16string_view kDatabaseSetName = u"Quillmere用";

class FieldSetFile {
 public:
  static constexpr int G_MaxSel = 60;

  FieldSetFile(std::filesystem::path ini_path, Dialogs& dialogs);  // ini_path = G_IniPath
  const std::filesystem::path& G_IniPath() const { return ini_path_; }

  // The load at program start: makes G_SelFields 0..G_MaxSel, recreates a file
  // without the built-in set, fills main_list and takes the first set's list.
  void Load(SetList& main_list, std::vector<std::u16string>& G_SelFields);
  // Creates the file with the built-in set (and fills G_SelFields with it)
  // when the file does not exist.
  void F_項目F(std::vector<std::u16string>& G_SelFields);
  // The value line of the set whose header starts with key ("<" + name + ">"),
  // or "NotFound". Silent on every failure.
  std::u16string F_GetFieldSet(std::u16string_view key) const;
  // The set names for the set editor's list.
  void F_Get一覧(SetList& editor_list);
  // The set names for the main window's list, the first one selected, and
  // the first set's list in G_SelFields.
  void F_出力設定F一覧set(SetList& main_list, std::vector<std::u16string>& G_SelFields);
  // Rewrites the file: mode 2 appends the set key/value, mode 3 deletes the
  // set key, any other mode replaces the value line of key. Returns "".
  std::u16string F_Put項目TBL(int mode, std::u16string_view key, std::u16string_view value);

 private:
  // Reads the set names into list; with fields, the first set's list too.
  // False (after reporting behind prefix) when the file cannot be read.
  bool ReadSetNames(SetList& list, std::vector<std::u16string>* fields, std::string_view prefix);
  void Report(std::string_view prefix, std::string_view error) const;

  std::filesystem::path ini_path_;
  Dialogs& dialogs_;
};

// A field list as its value line: the entries joined with ",".
std::u16string JoinFieldList(const std::vector<std::u16string>& entries);

// The column-name line of the CSV text for a field list (used by the run's header).
std::u16string ColumnNameLine(const std::vector<std::u16string>& G_SelFields);

}  // namespace tessivar
