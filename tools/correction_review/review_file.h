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

std::string ReviewText(const correction::Table& table, FileKind kind, const std::vector<Source>& sources,
                       const std::vector<MonthFirings>& firings, const Tables& shipped);

// One line per month: how many entries fire, and which do not.
std::string FiringReport(const correction::Table& table, const std::vector<MonthFirings>& firings);

}  // namespace tessivar::review
