#include "convert/run_changes.h"

#include <vector>

#include "convert/write/write_line.h"
#include "fieldsets/field_catalogue.h"

namespace tessivar {

namespace {

// The seven lines of F_WriteImeHeader.
constexpr int kImeHeaderLines = 7;

// The items of the field set that write something, up to its end marker.
std::vector<int> WrittenItems(const std::vector<std::u16string>& sel_fields) {
  std::vector<int> items = CsvItems(sel_fields);
  std::erase_if(items, [](int n) { return n < 1 || n > kLastItem; });
  return items;
}

// The column (between commas) that is the new postal code alone; -1 if none.
int CodeColumn(const std::vector<int>& items) {
  int column = 0, in_column = 0;
  bool code = false;
  for (size_t i = 0; i <= items.size(); ++i) {
    if (i == items.size() || items[i] == kCommaSeparator) {
      if (code && in_column == 1) return column;
      ++column;
      in_column = 0;
      code = false;
    } else {
      ++in_column;
      code = items[i] == kPostalCodeItem;
    }
  }
  return -1;
}

std::string Flag(const char* key, bool value) { return std::string(key) + (value ? "=1" : "=0"); }

}  // namespace

changes::OutputSettings ChangeSettings(const RunEnvironment& run) {
  changes::OutputSettings settings;
  settings.output = run.inputs.out_folder / run.G_OutFileName;
  settings.write_changes = run.options.write_changes;
  settings.layout.hyphen = run.options.hyphen;
  settings.options = {"output=" + run.G_OutFileName, Flag("hyphen", run.options.hyphen)};
  if (run.options.word_list()) {
    settings.header_lines = kImeHeaderLines;
    settings.layout.word_list = true;
    settings.options.push_back(Flag("with-prefecture", run.options.with_prefecture));
    settings.options.push_back(Flag("with-blank", run.options.with_blank));
    settings.options.push_back(std::string("ime-target=") +
                               (run.options.ime_target == ImeTarget::kMozc ? "mozc" : "ms-ime"));
  } else {
    const std::vector<int> items = WrittenItems(run.G_SelFields);
    settings.header_lines = run.options.column_names ? 1 : 0;
    settings.layout.word_list = false;
    settings.layout.code_column = CodeColumn(items);
    settings.options.push_back(Flag("column-names", run.options.column_names));
    std::string fields = "fields=";
    for (size_t i = 0; i < items.size(); ++i) fields += (i ? "," : "") + std::to_string(items[i]);
    settings.options.push_back(fields);
  }
  return settings;
}

}  // namespace tessivar
