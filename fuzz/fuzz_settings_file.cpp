// The field-set file "Tessivar.ini" on any bytes: the load at start (which
// may add the built-in sets), the set lists, a look-up and a rewrite.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "fieldsets/field_set_file.h"

namespace {

class SilentDialogs : public tessivar::Dialogs {
 public:
  void Message(std::string_view) override {}
  bool Ask(std::string_view) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  namespace fs = std::filesystem;
  // In memory where there is a memory file system: every rewrite is synced
  // to its disk, which a disk would take milliseconds for.
  static const fs::path folder = [] {
    std::error_code ec;
    const fs::path base = fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
    fs::path f = base / ("fuzz_settings_file_" + std::to_string(::getpid()));
    fs::create_directories(f);
    return f;
  }();
  static const bool cleaned_at_exit = [] {
    return std::atexit([] {
             std::error_code ec;
             fs::remove_all(folder, ec);
           }) == 0;
  }();
  (void)cleaned_at_exit;
  const fs::path ini = folder / "Tessivar.ini";
  std::ofstream(ini, std::ios::binary).write(reinterpret_cast<const char*>(data), std::streamsize(size));

  SilentDialogs dialogs;
  tessivar::FieldSetFile file(ini, dialogs);
  tessivar::SetList list;
  std::vector<std::u16string> fields;
  file.Load(list, fields);
  file.F_Get一覧(list);
  if (!list.names.empty()) {
    const std::u16string key = u"<" + list.names.back() + u">";
    const std::vector<std::u16string> entries = tessivar::FieldList(file.F_GetFieldSet(key));
    if (entries.size() > tessivar::FieldSetFile::G_MaxSel + 1u) __builtin_trap();
    file.F_Put項目TBL(1, key, tessivar::JoinFieldList(entries));
  }
  return 0;
}
