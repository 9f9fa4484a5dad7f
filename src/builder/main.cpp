// Morvane, the database builder: Morvane [--home DIR]. Without --home its
// folder (holding Morvane.ini) is the folder of the executable, or, where
// that is not the builder's to write (the package), Morvane in the user's
// Tessivar folder.
#include <fcntl.h>

#include <charconv>
#include <filesystem>
#include <iostream>
#include <string_view>

#include "builder/builder_run.h"
#include "builder/engine.h"
#include "builder/program_folder.h"
#include "program_version.h"

namespace {

// Descriptors handed down by whoever started the builder (Tessivar hands
// down its run lock, to hold it until the builder has ended) stay with the
// builder: a program its file-control script starts must not hold them.
void KeepInheritedDescriptors() {
  std::error_code ec;
  for (std::filesystem::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end; it.increment(ec)) {
    int fd = -1;
    const std::string name = it->path().filename().string();
    if (std::from_chars(name.data(), name.data() + name.size(), fd).ec != std::errc() || fd <= 2) continue;
    const int flags = ::fcntl(fd, F_GETFD);
    if (flags >= 0) ::fcntl(fd, F_SETFD, flags | FD_CLOEXEC);
  }
}

}  // namespace

int main(int argc, char** argv) {
  KeepInheritedDescriptors();
  morvane::Database::SetUpForOneThread();  // the builder has no other thread
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
