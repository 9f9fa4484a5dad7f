#pragma once
// The program's error trap: run one operation; if it fails, show the error
// text (behind a fixed prefix naming the procedure, where it has one) and let
// the caller go on with its next operation.
#include <exception>
#include <string>
#include <string_view>
#include <utility>

#include "dialogs/dialogs.h"

namespace tessivar {

template <typename Operation>
void TrapErrors(Dialogs& dialogs, std::string_view prefix, Operation&& op) {
  try {
    op();
  } catch (const std::exception& e) {
    dialogs.Message(std::string(prefix) + e.what());
  }
}

// The same without a prefix: the error text alone.
template <typename Operation>
void TrapErrors(Dialogs& dialogs, Operation&& op) {
  TrapErrors(dialogs, {}, std::forward<Operation>(op));
}

}  // namespace tessivar
