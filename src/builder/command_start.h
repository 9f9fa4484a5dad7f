#pragma once
// Starting a command line without waiting for it: the program it names runs
// directly with its arguments (no shell reads the line, so ";", "&&" or "$"
// are plain characters of an argument), with no input and its output
// discarded (the hidden window of the classic program start), in a session
// of its own.
#include <string>
#include <vector>

namespace morvane {

// The words of a command line: split at blanks; a pair of double (or single)
// quotes keeps blanks inside one word and is removed.
// ex. "\"C:/My Tools/x\" -a 'b c'" -> {"C:/My Tools/x", "-a", "b c"}
std::vector<std::string> CommandWords(const std::string& command);

// Starts command. Its program (the first word) is looked up first, as the
// classic start does before it returns: an empty command, a program that
// cannot be found or one that is not executable throw FsoError.
void StartCommand(const std::string& command);

}  // namespace morvane
