#include "builder/settings.h"

#include <vector>

#include "handoff/builder_files.h"
#include "text/ascii.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace morvane {

namespace {

constexpr size_t kMaxValueLength = 511;  // a 512-character buffer with its NUL
constexpr std::string_view kMissing = "@@@";

// Lines, section names, keys and values are read without the blanks and
// tabs around them.
constexpr std::string_view kBlanks = " \t";

// Cuts text to n characters (not bytes) of UTF-8.
std::string CutCharacters(std::string_view text, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < text.size() && count < n; ++count) {
    ++i;
    while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(text.substr(0, i));
}

std::string ReadValue(const std::filesystem::path& ini, std::string_view key) {
  std::string value = ReadProfileString(ini, handoff::kSettingsSection, key, kMissing);
  if (value == kMissing) return "";
  if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  return value;
}

}  // namespace

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def) {
  std::vector<std::u16string> lines;
  std::string error;
  if (!text::ReadAllLines(file, lines, error) && lines.empty()) return std::string(def);
  bool in_section = false;
  for (const auto& line16 : lines) {
    const std::string line_utf8 = text::ToUtf8(line16);
    std::string_view line = text::TrimSpaces(line_utf8, kBlanks);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      in_section = close != std::string_view::npos &&
                   text::EqualsNoCase(text::TrimSpaces(line.substr(1, close - 1), kBlanks), section);
      continue;
    }
    const size_t eq = line.find('=');
    if (!in_section || eq == std::string_view::npos) continue;
    if (!text::EqualsNoCase(text::TrimSpaces(line.substr(0, eq), kBlanks), key)) continue;
    std::string_view value = text::TrimSpaces(line.substr(eq + 1), kBlanks);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return CutCharacters(value, kMaxValueLength);
  }
  return std::string(def);
}

std::string NormaliseFolder(std::string value, const std::filesystem::path& program_folder) {
  if (!value.empty() && value.front() == '*') {
    std::string folder = program_folder.string();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    std::string expanded;
    for (char c : value) {
      if (c == '*')
        expanded += folder;
      else
        expanded += c;
    }
    value = std::string(text::TrimSpaces(expanded, kBlanks));
  }
  for (char& c : value) {
    if (c == '\\') c = '/';
  }
  if (value.empty() || value.back() != '/') value += '/';
  return value;
}

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

StepResult F_READ_INI(const std::filesystem::path& program_folder, Settings& settings, std::string* why) {
  using namespace handoff;
  const auto ini = program_folder / kBuilderSettingsFile;
  std::string unusable;
  text::TextFileReader reader;
  if (!reader.Open(ini)) unusable = reader.error();
  settings.log_dir = ReadValue(ini, kLogDirKey);
  settings.log_file = ReadValue(ini, kLogFileKey);
  settings.result_dir = ReadValue(ini, kResultDirKey);
  settings.result_file = ReadValue(ini, kResultFileKey);
  settings.dstrb_dir = ReadValue(ini, kDistributionDirKey);
  settings.mdb_dir = ReadValue(ini, kDatabaseDirKey);
  settings.file_cntl = ReadValue(ini, kFileControlKey);
  for (auto* folder : {&settings.log_dir, &settings.result_dir, &settings.dstrb_dir, &settings.mdb_dir}) {
    *folder = NormaliseFolder(*folder, program_folder);
  }
  // Folder values are never empty after normalising; only the two file
  // names can make the settings unusable.
  int count = 0;
  for (const auto* value :
       {&settings.log_dir, &settings.log_file, &settings.result_dir, &settings.result_file}) {
    if (!text::TrimSpaces(*value, kBlanks).empty()) ++count;
  }
  if (!settings.dstrb_dir.empty()) ++count;
  if (!settings.mdb_dir.empty()) ++count;
  if (unusable.empty() && count != 6) {
    unusable = ini.string() + " に " + std::string(kLogFileKey) + " と " + std::string(kResultFileKey) +
               " の両方が必要です。";
  }
  if (unusable.empty() && !settings.file_cntl.empty() && !IsPlainFileName(settings.file_cntl)) {
    unusable = ini.string() + " の " + std::string(kFileControlKey) + " 「" + settings.file_cntl +
               "」はファイル名ではありません（" + std::string(kDistributionDirKey) +
               " の中のファイル名だけを指定できます）。";
  }
  if (why) *why = unusable;
  return unusable.empty() ? StepResult::kDone : StepResult::kFailed;
}

}  // namespace morvane
