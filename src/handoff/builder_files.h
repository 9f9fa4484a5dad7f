#pragma once
// Where the converter and the builder meet: the builder's folder beside the
// converter, its program, settings and status files, and the places the
// settings send its log and its database to.
#include <filesystem>
#include <string_view>

namespace tessivar {

inline constexpr std::string_view kBuilderFolder = "Morvane";
inline constexpr std::string_view kBuilderProgram = "Morvane";
inline constexpr std::string_view kBuilderSettingsFile = "Morvane.ini";
inline constexpr std::string_view kBuilderStatusFile = "Morvane結果.TXT";
inline constexpr std::string_view kDefinitionFolder = "MDB定義";
// The log goes into the converter's folder, the database into MDB_OUT beside it.
inline constexpr std::string_view kBuilderLogFile = "Morvane.Log";
inline constexpr std::string_view kDatabaseFolder = "MDB_OUT";
inline constexpr std::string_view kDatabaseFile = "torvask.mdb";

inline std::filesystem::path BuilderFolder(const std::filesystem::path& program_folder) {
  return program_folder / kBuilderFolder;
}

}  // namespace tessivar
