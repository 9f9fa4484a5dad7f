#pragma once
// The converter's error trap: run one operation; if it fails, show the
// system's text (behind a fixed prefix naming the procedure, where it has
// one), then where the record came from, and let the caller go on with its
// next operation. ex. "プロシージャの呼び出し、または引数が不正です。
// （KEN_ALL.CSV の 61234 行目、郵便番号 3771512）"
#include <string>
#include <string_view>
#include <utility>

#include "convert/context/record_origin.h"
#include "convert/context/run_environment.h"
#include "dialogs/trap.h"
#include "text/vb_error.h"

namespace tessivar {

// "（KEN_ALL.CSV の 61234 行目、郵便番号 3771512）"; empty when no line has been
// read; the postal code is left out while the line is not yet split.
std::string Where(const RecordOrigin& origin);

// Says text followed by where the record being worked on came from, as one
// of the run's notices.
void Report(const RunEnvironment& run, std::string_view text);

// A failure that ends the whole record where others end one operation: the
// record goes beyond what any real one needs (record_limits.h). Its text is
// the message.
class RecordAbandoned : public text::RuleError {
 public:
  using text::RuleError::RuleError;
};

// Only the rules' own failures (text::RuleError) are a fault of the record:
// out of memory ends the run, and an exception of another kind is a fault of
// the program, not to be reported as the record's.
template <typename Operation>
void Trap(const RunEnvironment& run, std::string_view prefix, Operation&& op) {
  TrapFailures<text::RuleError, RecordAbandoned>(
      std::forward<Operation>(op), [&](const char* what) { Report(run, std::string(prefix) + what); });
}

template <typename Operation>
void Trap(const RunEnvironment& run, Operation&& op) {
  Trap(run, {}, std::forward<Operation>(op));
}

// The trap around one whole record: a failure that escapes the rules, or one
// that ends the record, is reported, and the next record follows.
template <typename Operation>
void TrapRecord(const RunEnvironment& run, Operation&& op) {
  TrapFailures<text::RuleError>(std::forward<Operation>(op), [&](const char* what) { Report(run, what); });
}

}  // namespace tessivar
