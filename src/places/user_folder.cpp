#include "places/user_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string_view>
#include <vector>

namespace places {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kDocumentsKey = "XDG_DOCUMENTS_DIR";

fs::path PasswordDatabaseHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
  return found->pw_dir ? fs::path(found->pw_dir) : fs::path();
}

// The value of one `KEY="value"` line of user-dirs.dirs, unquoted ("\x"
// stands for x), or nullopt when the line assigns no quoted value.
std::optional<std::string> QuotedValue(std::string_view rest) {
  if (rest.empty() || rest.front() != '"') return std::nullopt;
  std::string value;
  for (size_t i = 1; i < rest.size(); ++i) {
    if (rest[i] == '"') return value;
    if (rest[i] == '\\' && i + 1 < rest.size()) ++i;
    value += rest[i];
  }
  return std::nullopt;  // no closing quote
}

// A value is "$HOME/..." or an absolute path; anything else is not used.
std::optional<fs::path> FolderOfValue(const std::string& value, const fs::path& home) {
  constexpr std::string_view kHome = "$HOME";
  if (value == kHome) return home;
  if (value.rfind(std::string(kHome) + "/", 0) == 0) return home / value.substr(kHome.size() + 1);
  if (!value.empty() && value.front() == '/') return fs::path(value);
  return std::nullopt;
}

}  // namespace

UserEnvironment CurrentUserEnvironment() {
  UserEnvironment env;
  const char* home = std::getenv("HOME");
  env.home = home && *home ? fs::path(home) : PasswordDatabaseHome();
  if (const char* config = std::getenv("XDG_CONFIG_HOME")) env.config_home = config;
  return env;
}

fs::path DocumentsFolder(const UserEnvironment& env) {
  // A relative XDG_CONFIG_HOME is invalid and left aside.
  const fs::path config = env.config_home.is_absolute() ? env.config_home : env.home / ".config";
  std::optional<fs::path> documents;
  std::ifstream dirs(config / "user-dirs.dirs");
  std::string line;
  while (std::getline(dirs, line)) {
    const std::string_view view(line);
    const size_t start = view.find_first_not_of(" \t");
    if (start == std::string_view::npos || view.substr(start, kDocumentsKey.size()) != kDocumentsKey)
      continue;
    const std::string_view rest = view.substr(start + kDocumentsKey.size());
    if (rest.empty() || rest.front() != '=') continue;
    if (auto value = QuotedValue(rest.substr(1))) {
      if (auto folder = FolderOfValue(*value, env.home)) documents = *folder;  // the last one counts
    }
  }
  return documents ? documents->lexically_normal() : env.home / "Documents";
}

fs::path UserFolder(const UserEnvironment& env) { return DocumentsFolder(env) / "Tessivar"; }

}  // namespace places
