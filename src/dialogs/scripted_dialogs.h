#pragma once
// Dialogs for tests: records every text shown and answers questions from a
// list given in advance (No once the list is used up). Folders are not
// opened, only noted, and only once the test lets it open them. Input boxes answer
// from a second list; one input too many is an error of the test, raised as
// an exception rather than answered, so that a loop around an input box
// cannot run forever.
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "dialogs/dialogs.h"

namespace tessivar {

class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(std::deque<bool> answers = {}, std::deque<std::string> inputs = {})
      : answers_(std::move(answers)), inputs_(std::move(inputs)) {}

  void Message(std::string_view text) override { messages_.emplace_back(text); }
  bool Ask(std::string_view text) override {
    questions_.emplace_back(text);
    if (answers_.empty()) return false;
    bool answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::string Input(std::string_view prompt) override {
    prompts_.emplace_back(prompt);
    if (inputs_.empty()) throw std::logic_error("no scripted input left");
    std::string input = inputs_.front();
    inputs_.pop_front();
    return input;
  }

  bool OpensFolders() const override { return opens_folders_; }
  bool OpenFolder(const std::filesystem::path& folder) override {
    if (opens_folders_) opened_folders_.push_back(folder);
    return opens_folders_;
  }
  void set_opens_folders(bool opens) { opens_folders_ = opens; }

  const std::vector<std::string>& messages() const { return messages_; }
  const std::vector<std::string>& questions() const { return questions_; }
  const std::vector<std::string>& prompts() const { return prompts_; }
  const std::vector<std::filesystem::path>& opened_folders() const { return opened_folders_; }

 private:
  std::deque<bool> answers_;
  std::deque<std::string> inputs_;
  std::vector<std::string> messages_;
  std::vector<std::string> questions_;
  std::vector<std::string> prompts_;
  bool opens_folders_ = false;
  std::vector<std::filesystem::path> opened_folders_;
};

}  // namespace tessivar
