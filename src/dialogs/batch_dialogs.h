#pragma once
// Dialogs of the batch mode: every text goes to standard output, one message
// per line (line breaks inside a message become blanks); a question is
// answered Yes only when the user said so on the command line.
#include <ostream>

#include "dialogs/dialogs.h"

namespace tessivar {

class BatchDialogs : public Dialogs {
 public:
  BatchDialogs(std::ostream& out, bool answer_yes) : out_(out), answer_yes_(answer_yes) {}
  void Message(std::string_view text) override;
  bool Ask(std::string_view text) override;

 private:
  void Print(std::string_view text);

  std::ostream& out_;
  bool answer_yes_;
};

}  // namespace tessivar
