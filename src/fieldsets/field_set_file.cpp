#include "fieldsets/field_set_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#include "fieldsets/field_catalogue.h"
#include "text/file_names.h"
#include "text/strings.h"
#include "text/text_file.h"

namespace tessivar {

namespace fs = std::filesystem;
using text::Concat;
using text::Decimal;
using text::OnDisk;
using text::ReadAllLines;
using text::Split;
using text::StartsWith;
using text::Text;
using text::TextFileReader;
using text::TextFileWriter;
using text::TextView;
using text::TrimBlanks;

namespace {

constexpr std::u16string_view kNotFound = u"NotFound";

// Lines are read with their surrounding blanks removed; full-width blanks
// count as blanks too, as the Japanese Windows platform trims them.
TextView TrimLine(TextView line) { return TrimBlanks(line); }

// The built-in set's list: every record item but the company names, each
// followed by a comma except the last, then end markers up to index 60.
std::vector<Text> AllItemsList() {
  std::vector<Text> list(FieldSetFile::G_MaxSel + 1, u"-1");
  list[0] = u"0";
  size_t j = 1;
  for (int n = 1; n <= 24; ++n, j += 2) {
    list[j] = Decimal(n);
    list[j + 1] = Decimal(kCommaSeparator);
  }
  list[49] = u"25";
  return list;
}

}  // namespace

Text SetList::SelectedName() const {
  if (selected < 0 || static_cast<size_t>(selected) >= names.size()) return {};
  return names[static_cast<size_t>(selected)];
}

bool SetList::Select(std::u16string_view name) {
  const auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) return false;
  selected = static_cast<int>(found - names.begin());
  return true;
}

Text JoinFieldList(const std::vector<Text>& entries) {
  Text line;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i) line += u',';
    line += entries[i];
  }
  return line;
}

std::vector<Text> FieldList(TextView value_line) {
  std::vector<Text> entries = Split(value_line, u",");
  if (entries.size() > FieldSetFile::G_MaxSel + 1u) entries.resize(FieldSetFile::G_MaxSel + 1u);
  return entries;
}

FieldSetFile::FieldSetFile(fs::path ini_path, Dialogs& dialogs)
    : ini_path_(std::move(ini_path)), dialogs_(dialogs) {}

void FieldSetFile::Report(std::string_view prefix, std::string_view error) const {
  dialogs_.Message(std::string(prefix) + std::string(error));
}

void FieldSetFile::Load(SetList& main_list, std::vector<Text>& G_SelFields) {
  G_SelFields.assign(G_MaxSel + 1, Text());
  F_項目F(G_SelFields);
  // A file without a built-in set gets it back; its own sets are kept.
  AddMissingBuiltInSets();
  F_出力設定F一覧set(main_list, G_SelFields);
}

void FieldSetFile::F_項目F(std::vector<Text>& G_SelFields) {
  constexpr std::string_view kPrefix = "Md_main:F_項目F)";
  std::error_code ignored;
  if (fs::exists(OnDisk(ini_path_), ignored)) return;

  const std::vector<Text> all_items = AllItemsList();
  if (G_SelFields.size() < all_items.size()) G_SelFields.resize(all_items.size());
  std::copy(all_items.begin(), all_items.end(), G_SelFields.begin());
  for (size_t i = all_items.size(); i < G_SelFields.size(); ++i) G_SelFields[i] = u"-1";

  // The database set too: without it every database run would fail.
  TextFileWriter out;
  if (!out.Open(ini_path_)) {
    Report(kPrefix, out.error());
    return;
  }
  const Text all_items_line = JoinFieldList(G_SelFields);
  for (TextView line : {kAllItemsSetKey, TextView(all_items_line), kDatabaseSetKey, kDatabaseSetList}) {
    if (!out.WriteLine(line)) break;
  }
  if (!out.Close()) Report(kPrefix, out.error());
}

void FieldSetFile::AddMissingBuiltInSets() {
  constexpr std::string_view kPrefix = "Md_main:F_項目F)";
  std::vector<Text> lines;
  if (F_GetFieldSet(kAllItemsSetKey) == kNotFound) {
    lines.emplace_back(kAllItemsSetKey);
    lines.push_back(JoinFieldList(AllItemsList()));
  }
  if (F_GetFieldSet(kDatabaseSetKey) == kNotFound) {
    lines.emplace_back(kDatabaseSetKey);
    lines.emplace_back(kDatabaseSetList);
  }
  if (lines.empty()) return;

  const fs::path path = OnDisk(ini_path_);
  std::ifstream in(path, std::ios::binary);
  if (!in) return;  // unreadable: left alone, reported when the sets are listed
  const std::string kept((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  TextFileWriter out;
  if (!out.Open(path)) {
    Report(kPrefix, out.error());
    return;
  }
  for (const Text& line : lines) out.WriteLine(line);
  out.WriteBytes(kept);
  if (!out.Close()) Report(kPrefix, out.error());
}

Text FieldSetFile::F_GetFieldSet(std::u16string_view key) const {
  TextFileReader in;
  if (!in.Open(OnDisk(ini_path_))) return Text(kNotFound);
  bool found = false;
  Text line;
  while (in.Next(line)) {
    // An unreadable line is no line of a set: it is reported when the sets
    // are listed. Right after the header it leaves the set without a list.
    const bool readable = in.error().empty();
    if (found) return readable ? Text(TrimLine(line)) : Text(kNotFound);
    found = readable && StartsWith(TrimLine(line), key);
  }
  return Text(kNotFound);
}

bool FieldSetFile::ReadSetNames(SetList& list, std::vector<Text>* fields, std::string_view prefix) {
  list.names.clear();
  list.selected = -1;
  TextFileReader in;
  if (!in.Open(OnDisk(ini_path_))) {
    Report(prefix, in.error());
    return false;
  }
  // Only the line right after the first header is that set's list; every
  // other line that is not a header is ignored, so a stray or blank line can
  // never wipe the list. An unreadable line is reported and skipped.
  bool first_list_next = false;
  Text line;
  while (in.Next(line)) {
    if (!in.error().empty()) {
      Report(prefix, in.error());
      first_list_next = false;
      continue;
    }
    TextView trimmed = TrimLine(line);
    if (StartsWith(trimmed, u"<")) {
      list.names.emplace_back(trimmed.size() >= 2 ? trimmed.substr(1, trimmed.size() - 2) : TextView());
      first_list_next = list.names.size() == 1;
    } else {
      if (first_list_next && fields) *fields = FieldList(trimmed);
      first_list_next = false;
    }
  }
  return true;
}

void FieldSetFile::F_Get一覧(SetList& editor_list) {
  ReadSetNames(editor_list, nullptr, "Md_main:F_Get一覧)");
}

void FieldSetFile::F_出力設定F一覧set(SetList& main_list, std::vector<Text>& G_SelFields) {
  ReadSetNames(main_list, &G_SelFields, "Md_main:F_出力設定F一覧set)");
  if (!main_list.names.empty()) main_list.selected = 0;
}

Text FieldSetFile::F_Put項目TBL(int mode, std::u16string_view key, std::u16string_view value) {
  constexpr std::string_view kPrefix = "Md_main:F_Put項目TBL)";
  constexpr int kAppend = 2, kDelete = 3;
  fs::path temp = ini_path_;
  temp += "@";
  std::error_code ignored;
  fs::remove(OnDisk(temp), ignored);

  // The file is rewritten only from a complete reading and a complete
  // writing: a failure on either side leaves the settings file as it was.
  std::vector<Text> lines;
  std::string error;
  if (!ReadAllLines(OnDisk(ini_path_), lines, error)) {
    Report(kPrefix, error);
    return {};
  }
  TextFileWriter out;
  if (!out.Open(temp)) {
    Report(kPrefix, out.error());
    return {};
  }
  bool written = true;
  auto write = [&](TextView text) {
    if (!out.WriteLine(text) && written) {
      Report(kPrefix, out.error());
      written = false;
    }
  };

  int state = 0;  // 1: right after a matching header, 2: its value line handled
  for (const Text& line : lines) {
    TextView trimmed = TrimLine(line);
    if (StartsWith(trimmed, key)) {
      state = 1;
      if (mode != kDelete) write(trimmed);
    } else if (state == 1) {
      state = 2;
      if (mode != kDelete) write(value);  // kDelete drops the set's value line
    } else {
      write(trimmed);
    }
  }
  if (mode == kAppend) {
    write(key);
    write(value);
  }
  if (!written) return {};  // the writer leaves no temporary file
  if (!out.Close()) {
    Report(kPrefix, out.error());
    return {};
  }

  // The temporary file stays beside the settings file until the next
  // rewrite; its copy replaces the settings file whole.
  std::error_code ec;
  if (!text::CopyWhole(temp, OnDisk(ini_path_), ec))
    Report(kPrefix, OnDisk(ini_path_).string() + ": " + ec.message());
  return {};
}

Text ColumnNameLine(const std::vector<Text>& G_SelFields) {
  Text line;
  for (size_t i = 1; i < G_SelFields.size(); ++i) {
    int n = FieldEntryNumber(G_SelFields[i]);
    if (n == kEndOfList) break;
    switch (n) {
      case kCommaSeparator: line += u','; break;
      case kFullWidthBlank: line += u'　'; break;
      case kHalfWidthBlank: line += u' '; break;
      case kNoItem: break;
      default: line += Concat(u"\"", G_FieldNames()[n], u"\"");
    }
  }
  return line;
}

}  // namespace tessivar
