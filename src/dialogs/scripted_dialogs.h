#pragma once
// Dialogs for tests: records every text shown and answers questions from a
// list given in advance (No once the list is used up).
#include <deque>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"

namespace tessivar {

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}

  void Message(std::string_view text) override { messages_.emplace_back(text); }
  bool Ask(std::string_view text) override {
    questions_.emplace_back(text);
    if (answers_.empty()) return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
  }

  const std::vector<std::string>& messages() const { return messages_; }
  const std::vector<std::string>& questions() const { return questions_; }

 private:
  std::deque<bool> answers_;
  std::vector<std::string> messages_;
  std::vector<std::string> questions_;
};

}  // namespace tessivar
