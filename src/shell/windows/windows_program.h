#pragma once
// Tessivar with windows: start-up behind the start screen, then the main
// window until it is closed. The caller has made sure there is a display.
#include <filesystem>

namespace tessivar {

// Returns the program's exit status: 0 when the main window was closed or
// the user quit on the start screen, 1 when start-up stopped.
int RunWindows(const std::filesystem::path& home, int& argc, char** argv);

}  // namespace tessivar
