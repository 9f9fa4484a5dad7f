#include "builder/settings.h"

#include <fstream>

#include "handoff/builder_files.h"
#include "handoff/settings_value.h"
#include "text/ascii.h"
#include "text/cp932.h"
#include "text/text_file.h"

namespace morvane {

namespace {

constexpr std::string_view kMissing = "@@@";

// Lines, section names, keys and values are read without the blanks and
// tabs around them.
constexpr std::string_view kBlanks = " \t";

// The lines of a profile file, and whether it is in the converter's form.
struct Profile {
  bool read = false;  // false: missing or unreadable, every value its default
  bool utf8_form = false;
  std::vector<std::string> lines;  // UTF-8
  std::string error;               // why it could not be read
};

bool StartsWithUtf8Mark(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::string head(handoff::kUtf8Mark.size(), '\0');
  return in.read(head.data(), static_cast<std::streamsize>(head.size())) && head == handoff::kUtf8Mark;
}

Profile ReadProfile(const std::filesystem::path& file) {
  Profile profile;
  profile.utf8_form = StartsWithUtf8Mark(file);
  std::vector<std::u16string> lines;
  const bool whole = text::ReadAllLines(file, lines, profile.error,
                                        profile.utf8_form ? text::Encoding::kUtf8 : text::Encoding::kCp932);
  // A line that cannot be decoded leaves the others usable.
  profile.read = whole || !lines.empty();
  for (const auto& line : lines) profile.lines.push_back(text::ToUtf8(line));
  return profile;
}

std::string ValueOf(const Profile& profile, std::string_view section, std::string_view key,
                    std::string_view def) {
  if (!profile.read) return std::string(def);
  bool in_section = false;
  for (const auto& whole_line : profile.lines) {
    std::string_view line = text::TrimSpaces(whole_line, kBlanks);
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
    return profile.utf8_form ? handoff::UnescapeSettingsValue(value) : std::string(value);
  }
  return std::string(def);
}

std::string ReadValue(const Profile& profile, std::string_view key) {
  std::string value = ValueOf(profile, handoff::kSettingsSection, key, kMissing);
  if (value == kMissing) return "";
  if (auto nul = value.find('\0'); nul != std::string::npos) value.resize(nul);
  return value;
}

// The names of SQL_FILES, or why they are unusable.
std::optional<std::vector<std::string>> ScriptList(const Profile& profile, std::string* unusable) {
  const std::string value = ValueOf(profile, handoff::kSettingsSection, handoff::kScriptListKey, kMissing);
  if (value == kMissing) return std::nullopt;
  std::vector<std::string> names;
  size_t start = 0;
  for (size_t end; start <= value.size(); start = end + 1) {
    end = value.find(handoff::kScriptListSeparator, start);
    if (end == std::string::npos) end = value.size();
    const std::string name = value.substr(start, end - start);
    if (name.empty()) continue;
    if (!IsPlainFileName(name) && unusable->empty()) {
      *unusable = std::string(handoff::kScriptListKey) + " の「" + name + "」はファイル名ではありません。";
    }
    names.push_back(name);
  }
  return names;
}

}  // namespace

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def) {
  return ValueOf(ReadProfile(file), section, key, def);
}

std::string NormaliseFolder(std::string value, const std::filesystem::path& program_folder,
                            bool windows_form) {
  if (windows_form) {
    for (char& c : value) {
      if (c == '\\') c = '/';
    }
  }
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
  if (value.empty() || value.back() != '/') value += '/';
  return value;
}

bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos;
}

StepResult F_READ_INI(const std::filesystem::path& program_folder, Settings& settings, std::string* why) {
  using namespace handoff;
  const auto ini = program_folder / kBuilderSettingsFile;
  const Profile profile = ReadProfile(ini);
  std::string unusable;
  if (!profile.read) unusable = profile.error;
  settings.log_dir = ReadValue(profile, kLogDirKey);
  settings.log_file = ReadValue(profile, kLogFileKey);
  settings.result_dir = ReadValue(profile, kResultDirKey);
  settings.result_file = ReadValue(profile, kResultFileKey);
  settings.dstrb_dir = ReadValue(profile, kDistributionDirKey);
  settings.mdb_dir = ReadValue(profile, kDatabaseDirKey);
  settings.file_cntl = ReadValue(profile, kFileControlKey);
  for (auto* folder : {&settings.log_dir, &settings.result_dir, &settings.dstrb_dir, &settings.mdb_dir}) {
    *folder = NormaliseFolder(*folder, program_folder, !profile.utf8_form);
  }
  std::string list_unusable;
  settings.scripts = ScriptList(profile, &list_unusable);
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
  if (unusable.empty() && !list_unusable.empty()) unusable = ini.string() + " の " + list_unusable;
  if (why) *why = unusable;
  return unusable.empty() ? StepResult::kDone : StepResult::kFailed;
}

}  // namespace morvane
