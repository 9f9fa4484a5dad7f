#pragma once
// The builder's settings, read from "Morvane.ini" in its program folder,
// section "Morvane Section". Folder values end with "/" after reading.
//
// The file comes in two forms. The converter writes UTF-8 behind a
// byte-order mark, its values escaped (handoff/settings_value.h): folder
// values are Linux paths taken as they stand, so a "\" in a folder name is
// part of it. A file without the mark is the classic form, written by hand:
// code page 932, in which "\" separates folders as on Windows.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "builder/step_result.h"

namespace morvane {

struct Settings {
  std::string log_dir;      // LOG_DIR
  std::string log_file;     // LOG_FILE
  std::string result_dir;   // RESULT_DIR
  std::string result_file;  // RESULT_FILE
  std::string dstrb_dir;    // DSTRB_DIR: scripts, data files, file-control script
  std::string mdb_dir;      // MDB_DIR: published databases
  std::string file_cntl;    // FileCntl: file-control script name in DSTRB_DIR
  // SQL_FILES: the scripts of DSTRB_DIR to run; nullopt for every script.
  std::optional<std::vector<std::string>> scripts;
};

// One value of a profile file as the system's profile reader gives it: the
// section and key found without regard to case, surrounding blanks and one
// pair of enclosing quotes removed, whatever its length; def when the file,
// the section or the key is missing. A file in the converter's UTF-8 form
// gives its values unescaped; any other is code page 932.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def);

// F_READ_INI: fills settings from program_folder/Morvane.ini. Fails when
// the settings are unusable: the file cannot be read, it names no log file
// or status file, FileCntl is no plain file name (a path could reach a file
// outside DSTRB_DIR, which the run deletes after running it), or SQL_FILES
// names something else than plain file names. *why, when given, then says
// which.
StepResult F_READ_INI(const std::filesystem::path& program_folder, Settings& settings,
                      std::string* why = nullptr);

// Whether name is a plain file name: not empty, not "." or "..", without "/"
// or "\", so that it stays inside the folder it is taken in.
bool IsPlainFileName(std::string_view name);

// A folder value as the builder uses it: in the classic form (windows_form)
// "\" becomes "/" first; then a leading "*" stands for the program folder
// (every "*" is replaced, then blanks trimmed), and a trailing "/" is added.
std::string NormaliseFolder(std::string value, const std::filesystem::path& program_folder,
                            bool windows_form = true);

}  // namespace morvane
