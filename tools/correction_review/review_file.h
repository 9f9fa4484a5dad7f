#pragma once
// The review file of one correction table: for every entry (and each of its
// alternatives) the wording it was made for, the input record(s) of that
// wording, and the word-list and CSV lines the converter writes for them
// alone; how often it fires on each bundled month.
#include <filesystem>
#include <string>
#include <vector>

#include "review_convert.h"

namespace tessivar::review {

// Where records come from: the bundled months, then the review's fixture for
// wordings that are in no month.
struct Source {
  std::string name;
  std::filesystem::path file;
  bool utf8 = false;
};

// How often each alternative of the table fired on one month.
struct MonthFirings {
  std::string month;
  std::vector<long> by_alternative;
};

// The review file's text. Faults of the table that only its records show go
// to faults as "file:line: reason": an alternative made for a wording no
// month and no fixture has (a typo in its wording, key or conditions, unless
// its entry is marked accepted_silent), and one that does not fire on the
// records of its own wording (a checkpoint or condition that does not fit).
std::string ReviewText(const correction::Table& table, FileKind kind, const std::vector<Source>& sources,
                       const std::vector<MonthFirings>& firings, const Tables& shipped,
                       std::vector<std::string>& faults);

// One line per month: how many entries fire, and which do not.
std::string FiringReport(const correction::Table& table, const std::vector<MonthFirings>& firings);

}  // namespace tessivar::review
