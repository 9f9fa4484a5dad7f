#pragma once
// The field-set file "Tessivar.ini": named output field lists, each kept as a
// header line "<name>" followed by the list joined with ",". Code page 932,
// CR LF, every line read with its surrounding blanks removed. A line that is
// not code page 932 is reported with the file and line and skipped; the file
// is never deleted for it, and every rewrite replaces it whole.
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

  // The selected name, or empty.
  std::u16string SelectedName() const;
  // Selects the entry named name; false (selection unchanged) when there is none.
  bool Select(std::u16string_view name);
};

// The built-in set, written whenever the file is missing, and the database
// set; the set editor neither changes nor deletes these two.
inline constexpr std::u16string_view kAllItemsSetName = u"全項目出力";
inline constexpr std::u16string_view kAllItemsSetKey = u"<全項目出力>";
inline constexpr std::u16string_view kDatabaseSetName = u"Quillmere用";
inline constexpr std::u16string_view kDatabaseSetKey = u"<Quillmere用>";
// The database set's list as shipped: the fields the definition script of
// the search table expects. Written back into a file that lacks the set.
inline constexpr std::u16string_view kDatabaseSetList =
    u"0,1,26,3,26,4,26,5,26,6,26,7,26,8,26,9,26,24,26,25,26,29,26,30,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-"
    u"1,-1,"
    u"-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1";

class FieldSetFile {
 public:
  static constexpr int G_MaxSel = 60;

  FieldSetFile(std::filesystem::path ini_path, Dialogs& dialogs);  // ini_path = G_IniPath
  const std::filesystem::path& G_IniPath() const { return ini_path_; }

  // The load at program start: makes G_SelFields 0..G_MaxSel, creates a
  // missing file, puts a built-in set that the file lacks in front of its own
  // sets, fills main_list and takes the first set's list.
  void Load(SetList& main_list, std::vector<std::u16string>& G_SelFields);
  // Creates the file with both built-in sets (and fills G_SelFields with the
  // list of all items) when the file does not exist.
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
  // Writes the built-in sets the file lacks in front of its lines, which stay
  // byte for byte.
  void AddMissingBuiltInSets();
  void Report(std::string_view prefix, std::string_view error) const;

  std::filesystem::path ini_path_;
  Dialogs& dialogs_;
};

// A field list as its value line: the entries joined with ",".
std::u16string JoinFieldList(const std::vector<std::u16string>& entries);
// The field list of a value line: its entries, at most G_MaxSel + 1 of them
// (indexes 0 to 60); entries beyond are not read.
std::vector<std::u16string> FieldList(std::u16string_view value_line);

// The column-name line of the CSV text for a field list (used by the run's header).
std::u16string ColumnNameLine(const std::vector<std::u16string>& G_SelFields);

}  // namespace tessivar
