#pragma once
// The builder's settings, read from "Morvane.ini" in its program folder,
// section "Morvane Section". Folder values end with "/" after reading.
#include <filesystem>
#include <string>

#include "builder/step_result.h"

namespace morvane {

struct Settings {
  std::string log_dir;      // LOG_DIR
  std::string log_file;     // LOG_FILE
  std::string result_dir;   // RESULT_DIR
  std::string result_file;  // RESULT_FILE
  std::string dstrb_dir;    // DSTRB_DIR: scripts, data files, file-control script
  std::string mdb_dir;      // MDB_DIR: working and published databases
  std::string file_cntl;    // FileCntl: file-control script name in DSTRB_DIR
};

// One value of a profile file as the system's profile reader gives it: the
// section and key found without regard to case, surrounding blanks and one
// pair of enclosing quotes removed, at most 511 characters; def when the
// file, the section or the key is missing. File text is code page 932.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def);

// F_READ_INI: fills settings from program_folder/Morvane.ini. Fails when
// the settings are unusable: the file cannot be read, it names no log file
// or status file, or FileCntl is no plain file name (a path could reach a
// file outside DSTRB_DIR, which the run deletes after running it). *why,
// when given, then says which.
StepResult F_READ_INI(const std::filesystem::path& program_folder, Settings& settings,
                      std::string* why = nullptr);

// Whether name is a plain file name: not empty, not "." or "..", without "/"
// or "\", so that it stays inside the folder it is taken in.
bool IsPlainFileName(std::string_view name);

// A folder value as the builder uses it: a leading "*" stands for the
// program folder (every "*" is replaced, then blanks trimmed), "\" becomes
// "/", and a trailing "/" is added.
std::string NormaliseFolder(std::string value, const std::filesystem::path& program_folder);

}  // namespace morvane
