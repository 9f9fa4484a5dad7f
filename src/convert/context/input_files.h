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

// One input file as start-up found it: unpacked in the input folder or inside
// a zip there, in code page 932 or, for the all-prefecture role, Japan Post's
// UTF-8 address file.
struct InputFile {
  std::string name;   // as listed in the input folder; empty when no file was found
  std::string entry;  // the file inside when name is a zip, as the zip stores it; else empty
  bool utf8 = false;  // utf_ken_all.csv: UTF-8, full-width readings, one line per record

  bool empty() const { return name.empty(); }
  bool zipped() const { return !entry.empty(); }
};

struct InputFiles {
  std::filesystem::path in_folder;             // G_InFolder
  std::filesystem::path out_folder;            // G_OutFolder
  std::array<InputFile, kInputIndexes> files;  // G_InFileName, empty where no file was found
  bool has_ken_all = false;                    // G_HasKenAll: the all-prefecture file, in any form
  bool has_pref_files = false;                 // G_HasPrefFiles
  bool has_jigyosyo = false;                   // G_HasJigyosyo
};

}  // namespace tessivar
