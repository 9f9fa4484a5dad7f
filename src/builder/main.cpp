// Morvane, the database builder: Morvane [--home DIR]. Without --home its
// program folder (holding Morvane.ini) is the folder of the executable.
#include <filesystem>
#include <iostream>
#include <string_view>

#include "builder/builder_run.h"
#include "builder/program_folder.h"

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  fs::path home;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--home" && i + 1 < argc) {
      home = argv[++i];
    } else if (arg == "--help") {
      std::cout << "usage: Morvane [--home DIR]\n";
      return 0;
    } else {
      std::cerr << "usage: Morvane [--home DIR]\n";
      return 2;
    }
  }
  return morvane::RunBuilder(morvane::ProgramFolder(home), std::cerr);
}
