#pragma once
// Failures of the text operations the rules are written with. Each carries the
// description the program shows when it reports the failure and goes on.
#include <stdexcept>
#include <string>

namespace text {

class RuleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "Invalid procedure call or argument": a negative length, a start before 1.
RuleError InvalidArgument();
// "Subscript out of range": an index past the last part.
RuleError IndexOutOfRange();
// "Type mismatch": a number conversion of a non-number.
RuleError TypeMismatch();
// "Overflow": a number too large for the rules (more than nine digits).
RuleError Overflow();

}  // namespace text
