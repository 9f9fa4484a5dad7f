#pragma once
// What start-up found in the input folder.
#include <array>
#include <filesystem>
#include <string>

namespace tessivar {

// G_InputIndex values: 0 the all-prefecture file, 1 to 47 a per-prefecture
// file, 48 the business-office file.
inline constexpr int kAllPrefecturesIndex = 0;
inline constexpr int kBusinessIndex = 48;
inline constexpr int kInputIndexes = kBusinessIndex + 1;

struct InputFiles {
  std::filesystem::path in_folder;               // G_InFolder
  std::filesystem::path out_folder;              // G_OutFolder
  std::array<std::string, kInputIndexes> names;  // G_InFileName, empty where no file was found
  bool has_ken_all = false;                      // G_HasKenAll
  bool has_pref_files = false;                   // G_HasPrefFiles
  bool has_jigyosyo = false;                     // G_HasJigyosyo
};

}  // namespace tessivar
