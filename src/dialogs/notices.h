#pragma once
// The notices of one run: messages about single lines or records (a line that
// cannot be read, a record skipped), of which a hostile input can cause
// millions. Of each kind the first kShownPerKind reach the dialogs; the rest
// are only counted, and Finish says in one line per kind how many more there
// were.
#include <map>
#include <string>
#include <string_view>

#include "dialogs/dialogs.h"

namespace tessivar {

class Notices {
 public:
  static constexpr long kShownPerKind = 100;

  explicit Notices(Dialogs& dialogs) : dialogs_(dialogs) {}

  void Say(std::string_view text);
  // The count of each kind over its limit, then the dialogs' EndNotices.
  // Counting starts again.
  void Finish();

 private:
  Dialogs& dialogs_;
  std::map<std::string, long> counts_;  // by kind
};

// The kind of a notice: its text with what varies from one notice to the
// next (numbers, and what stands between 「 and 」) as "…".
// ex. "KEN_ALL.CSV の 12 行目の文字「①」は …" -> "KEN_ALL.CSV の … 行目の文字「…」は …"
std::string NoticeKind(std::string_view text);

}  // namespace tessivar
