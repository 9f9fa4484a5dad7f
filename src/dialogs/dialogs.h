#pragma once
// Every message box, Yes/No question and wait for window events goes through
// this interface, so the same run can be driven by windows, by the batch mode
// or by a test. Texts are UTF-8 and exactly those the user is shown.
#include <string>
#include <string_view>

namespace tessivar {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message with an OK button only.
  virtual void Message(std::string_view text) = 0;
  // A Yes/No question; true means Yes.
  virtual bool Ask(std::string_view text) = 0;
  // Lets a window repaint during long work; nothing to do without windows.
  virtual void ProcessEvents() {}
};

}  // namespace tessivar
