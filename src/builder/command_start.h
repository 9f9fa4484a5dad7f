#pragma once
// Starting a command line without waiting for it: it runs through /bin/sh,
// with no input and its output discarded (the hidden window of the classic
// program start), detached so that it leaves no zombie behind.
#include <string>

namespace morvane {

// Returns false with *error (an errno value) when the start fails.
bool StartCommand(const std::string& command, int* error);

}  // namespace morvane
