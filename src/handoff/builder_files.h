#pragma once
// Where the converter and the builder meet, written once for both programs:
// the builder's folder beside the converter, its program, settings and status
// files, the keys of its settings file, the codes of its status file, and the
// places the settings send its log and its database to. Header only: the
// builder includes it without linking anything of the converter.
#include <filesystem>
#include <string>
#include <string_view>

namespace handoff {

inline constexpr std::string_view kBuilderFolder = "Morvane";
inline constexpr std::string_view kBuilderProgram = "Morvane";
inline constexpr std::string_view kBuilderSettingsFile = "Morvane.ini";
inline constexpr std::string_view kBuilderStatusFile = "Morvane結果.TXT";
inline constexpr std::string_view kDefinitionFolder = "MDB定義";
// The log goes into the converter's folder, the database into MDB_OUT beside it.
inline constexpr std::string_view kBuilderLogFile = "Morvane.Log";
inline constexpr std::string_view kDatabaseFolder = "MDB_OUT";
inline constexpr std::string_view kDatabaseFile = "torvask.mdb";
inline constexpr std::string_view kFileControlScript = "FileCntl.CTL";

// The settings file: one section, these keys, in this order.
inline constexpr std::string_view kSettingsSection = "Morvane Section";
inline constexpr std::string_view kLogDirKey = "LOG_DIR";
inline constexpr std::string_view kLogFileKey = "LOG_FILE";
inline constexpr std::string_view kResultDirKey = "RESULT_DIR";
inline constexpr std::string_view kResultFileKey = "RESULT_FILE";
inline constexpr std::string_view kDistributionDirKey = "DSTRB_DIR";
inline constexpr std::string_view kDatabaseDirKey = "MDB_DIR";
inline constexpr std::string_view kFileControlKey = "FileCntl";
// The definition scripts of DSTRB_DIR that this run is for, separated by "/"
// (which no file name holds). Without the key (a settings file written by
// hand) every script of DSTRB_DIR runs.
inline constexpr std::string_view kScriptListKey = "SQL_FILES";
inline constexpr char kScriptListSeparator = '/';
// RESULT_DIR "*": the builder's own folder.
inline constexpr std::string_view kBuilderOwnFolder = "*";

// The status file holds one line, "STS=" and the code.
enum class Status { kDone = 0, kStarted = 1, kRunning = 2, kFailed = 9 };
inline constexpr std::string_view kStatusPrefix = "STS=";
inline std::string StatusLine(Status status) {
  return std::string(kStatusPrefix) + std::to_string(static_cast<int>(status));
}

inline std::filesystem::path BuilderFolder(const std::filesystem::path& program_folder) {
  return program_folder / kBuilderFolder;
}

}  // namespace handoff
