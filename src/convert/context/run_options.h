#pragma once
// The choices of one run, read from the main window (or the batch mode's
// arguments) once when the run starts, so a run never sees them change.
#include <array>

namespace tessivar {

// Opt_用途: what the run produces.
enum class Purpose {
  kNone = -1,     // no purpose button set: nothing is written
  kWordList = 0,  // "ZIP.TXT", the IME word list
  kDatabase = 1,  // "torvaskmdb.CSV", then the search database
  kCsv = 2,       // "ZIPDATA.CSV"
};

// Opt_取込先: the input method the word list is written for. Both get the
// same header, words, part of speech and comments; only the reading differs.
enum class ImeTarget {
  kMsIme = 0,  // full-width digits: "０６０－８５５４"
  kMozc = 1,   // ASCII, which Mozc's importer accepts and its users type: "060-8554"
};

// Prefecture codes run from 1 to 47. The prefecture boxes Chk_県名 are
// indexed by code, with box 0 for the all-prefecture entry.
inline constexpr int kFirstPrefecture = 1;
inline constexpr int kLastPrefecture = 47;
inline constexpr int kPrefectureBoxes = kLastPrefecture + 1;

struct RunOptions {
  Purpose purpose = Purpose::kWordList;
  bool hyphen = true;            // Opt_形式(1): "123-4567"
  bool with_prefecture = false;  // Opt_県名(1)
  bool with_blank = false;       // Opt_空白(1): full-width blank between address parts
  bool column_names = false;     // Opt_列名
  std::array<bool, kPrefectureBoxes> prefecture_checked{};  // Chk_県名(i) value
  std::array<bool, kPrefectureBoxes> prefecture_enabled{};  // Chk_県名(i) enabled

  ImeTarget ime_target = ImeTarget::kMsIme;  // Opt_取込先
  // The word list and the CSV text: compare with the output replaced and
  // write what changed beside it (the batch mode's --no-changes: false).
  bool write_changes = true;
  // Read and decode the inputs ahead in a second thread (the batch mode's
  // --threads 2); the output and the messages are the same. Off by default:
  // on a busy machine of two cores the switches between the threads cost
  // more than the second thread saves (bench/README.md).
  bool read_ahead = false;

  bool word_list() const { return purpose == Purpose::kWordList; }
};

}  // namespace tessivar
