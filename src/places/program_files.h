#pragma once
// Where a program finds the files it ships with, in one of two layouts:
//   - the program folder (`cmake --install`): everything beside Tessivar,
//     the builder in Morvane/;
//   - the package (FHS, under /usr): tessivar and morvane in bin/, the
//     windows module in lib/tessivar/, the default field sets and the
//     builder's definition files in share/tessivar/.
// and the home a run works in: the program folder when it is writable,
// else the user's folder.
#include <filesystem>

#include "places/user_folder.h"

namespace places {

enum class Layout { kProgramFolder, kPackage };

struct ProgramFiles {
  Layout layout = Layout::kProgramFolder;
  std::filesystem::path folder;  // the folder of the executables
  bool folder_writable = false;
  std::filesystem::path windows_module;
  std::filesystem::path field_sets;         // the default Tessivar.ini
  std::filesystem::path builder_program;    // Morvane
  std::filesystem::path definition_folder;  // the builder's definition files (MDB定義)
};

// The folder of the running executable.
std::filesystem::path ExecutableFolder();

// The package's layout when the folder of executables has the package's data
// beside it (../share/tessivar/Tessivar.ini); else the program folder.
ProgramFiles LocateProgramFiles(const std::filesystem::path& executable_folder);

// Tessivar's home without --home: the program folder when it is one and
// writable; else (the package, or a program folder the user may not write)
// the user's folder.
std::filesystem::path DefaultHome(const ProgramFiles& files, const UserEnvironment& env);

// Whether home is the program folder itself (its files are then used where
// they lie, as they always were).
bool IsProgramFolder(const ProgramFiles& files, const std::filesystem::path& home);

// Morvane's folder without --home, from the folder of its executable: that
// folder in a writable program folder (DIR/Morvane), else Morvane in the
// user's folder.
std::filesystem::path DefaultBuilderFolder(const std::filesystem::path& executable_folder,
                                           const UserEnvironment& env);

}  // namespace places
