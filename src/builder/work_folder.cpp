#include "builder/work_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "handoff/settings_value.h"
#include "text/text_file.h"

namespace morvane {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kPrefix = "@Morvane.";
constexpr size_t kRandomLength = 6;  // mkdtemp's "XXXXXX"

// Whether path names a working folder as Make makes them, and nothing else:
// a record that names another folder is not followed.
bool IsWorkFolder(const fs::path& path) {
  const std::string name = path.filename().string();
  std::error_code ec;
  return name.size() == kPrefix.size() + kRandomLength && name.starts_with(kPrefix) &&
         fs::symlink_status(path, ec).type() == fs::file_type::directory;
}

}  // namespace

void WorkFolder::RemoveLeftover() {
  std::ifstream in(Record(), std::ios::binary);
  std::string line;
  if (!std::getline(in, line)) return;
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  const fs::path leftover = handoff::UnescapeSettingsValue(line);
  std::error_code ec;
  if (IsWorkFolder(leftover)) fs::remove_all(leftover, ec);
  fs::remove(Record(), ec);
}

bool WorkFolder::Make(const std::string& mdb_dir, std::string* error) {
  Remove();
  // A signal waits until the folder and its record are both made and
  // registered, so that it removes both or finds neither.
  const text::SignalsHeld held;
  std::string pattern = mdb_dir + std::string(kPrefix) + std::string(kRandomLength, 'X');
  if (!::mkdtemp(pattern.data())) {
    *error = mdb_dir + " に作業フォルダーを作成できません（" + std::strerror(errno) + "）。";
    return false;
  }
  path_ = pattern + "/";
  on_signal_.Register(pattern, text::RemovalOnSignal::Kind::kFolder);
  text::TextFileWriter record;
  if (!record.Open(Record(), text::TextFileWriter::Sync::kNone) ||
      !record.WriteBytes(handoff::EscapeSettingsValue(pattern) + "\r\n") || !record.Close()) {
    // Unrecorded, a folder left by a crash would stay for good.
    *error = record.error();
    Remove();
    return false;
  }
  record_on_signal_.Register(Record(), text::RemovalOnSignal::Kind::kFile);
  return true;
}

void WorkFolder::Remove() {
  if (path_.empty()) return;
  std::error_code ec;
  fs::remove_all(fs::path(path_).parent_path(), ec);  // the path without its "/"
  fs::remove(Record(), ec);
  on_signal_.Release();
  record_on_signal_.Release();
  path_.clear();
}

}  // namespace morvane
