#pragma once
// The program's error trap: run one operation; if it fails with an error of
// the kind the caller expects, show its text (behind a fixed prefix naming
// the procedure, where it has one) and let the caller go on with its next
// operation. Running out of memory is no fault of the operation, nor is an
// exception of another kind: they pass on to whoever can end the run.
#include <exception>
#include <new>
#include <string>
#include <string_view>
#include <utility>

#include "dialogs/dialogs.h"

namespace tessivar {

// A kind of failure that TrapFailures lets pass without naming one.
struct NoFailurePassed {};

// Runs op; a failure of kind Failure is handed, as its text, to say. One of
// kind Passed (a narrower kind that ends more than the operation) passes on.
template <typename Failure, typename Passed = NoFailurePassed, typename Operation, typename Say>
void TrapFailures(Operation&& op, Say&& say) {
  try {
    op();
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const Passed&) {
    throw;
  } catch (const Failure& e) {
    say(e.what());
  }
}

// The windows' trap: any error of the operation is shown as a message.
template <typename Operation>
void TrapErrors(Dialogs& dialogs, std::string_view prefix, Operation&& op) {
  TrapFailures<std::exception>(std::forward<Operation>(op),
                               [&](const char* what) { dialogs.Message(std::string(prefix) + what); });
}

// The same without a prefix: the error text alone.
template <typename Operation>
void TrapErrors(Dialogs& dialogs, Operation&& op) {
  TrapErrors(dialogs, {}, std::forward<Operation>(op));
}

}  // namespace tessivar
