// Morvane, the database builder: Morvane [--home DIR]. Without --home its
// folder (holding Morvane.ini) is the folder of the executable, or, where
// that is not the builder's to write (the package), Morvane in the user's
// Tessivar folder.
#include <filesystem>
#include <iostream>
#include <string_view>

#include "builder/builder_run.h"
#include "builder/program_folder.h"
#include "program_version.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  constexpr std::string_view kUsage = "usage: Morvane [--home DIR]\n       Morvane --version\n";
  fs::path home;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--home" && i + 1 < argc) {
      home = argv[++i];
    } else if (arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "--version") {
      std::cout << "Morvane " << tessivar::kVersionText << "\n";
      return 0;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }
  return morvane::RunBuilder(morvane::ProgramFolder(home), std::cerr);
}
