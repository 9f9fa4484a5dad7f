#pragma once
// The month check: what a maintainer reads before shipping a new month of
// Japan Post's data. It converts the month as the program does and writes one
// review: every entry and business-office row that does not fire on it, with
// the wording it was made for beside the record(s) at its code now and what
// the rules write for them; every address record the rules leave irregular;
// and the counts on the last line.
#include <filesystem>
#include <string>

namespace tessivar::review {

struct MonthCheck {
  std::string text;
  // No irregular record, and no silent entry without accepted_silent.
  bool clean = false;
};

// Checks the month in folder (KEN_ALL.CSV and JIGYOSYO.CSV, unpacked or
// zipped, as CSV_IN takes them) against the shipped tables.
MonthCheck CheckMonth(const std::filesystem::path& folder);

}  // namespace tessivar::review
