#pragma once
// The folder of the user's own that the programs work in when their own
// folder is not theirs to write: "Tessivar" in the user's documents folder.
#include <filesystem>
#include <string>

namespace places {

// What of the user's environment decides the folder: $HOME (the password
// database's home when unset) and $XDG_CONFIG_HOME (may be empty).
struct UserEnvironment {
  std::filesystem::path home;
  std::filesystem::path config_home;
};

UserEnvironment CurrentUserEnvironment();

// The documents folder as the desktop names it: XDG_DOCUMENTS_DIR of
// user-dirs.dirs in $XDG_CONFIG_HOME (when absolute) or ~/.config, else
// ~/Documents. On a Japanese desktop it is typically ~/ドキュメント.
std::filesystem::path DocumentsFolder(const UserEnvironment& env);

// "Tessivar" in the documents folder.
std::filesystem::path UserFolder(const UserEnvironment& env);

}  // namespace places
