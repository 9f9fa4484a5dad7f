#pragma once
// Starting a command line without waiting for it: it runs through /bin/sh,
// with no input and its output discarded (the hidden window of the classic
// program start), detached so that it leaves no zombie behind.
#include <string>

namespace morvane {

// Starts command. Its program (the first word) is looked up first, as the
// classic start does before it returns: an empty command, a program that
// cannot be found or one that is not executable throw FsoError. Commands
// whose first word the shell itself interprets are started unchecked.
void StartCommand(const std::string& command);

}  // namespace morvane
