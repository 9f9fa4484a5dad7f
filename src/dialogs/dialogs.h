#pragma once
// Every message box, Yes/No question, input box and wait for window events
// goes through this interface, so the same run can be driven by windows, by
// the batch mode or by a test. Texts are UTF-8 and exactly those the user is
// shown.
#include <filesystem>
#include <string>
#include <string_view>

namespace tessivar {

// The icon a window shows beside a message or question.
enum class DialogIcon { kNone, kInformation, kQuestion };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A message with an OK button only.
  virtual void Message(std::string_view text) = 0;
  // A Yes/No question; true means Yes.
  virtual bool Ask(std::string_view text) = 0;
  // The same with an icon; only windows show it.
  virtual void MessageWithIcon(std::string_view text, DialogIcon) { Message(text); }
  virtual bool AskWithIcon(std::string_view text, DialogIcon) { return Ask(text); }
  // An input box; the text typed, empty when cancelled. Without windows
  // there is nobody to type, so the answer is empty.
  virtual std::string Input(std::string_view /*prompt*/) { return {}; }
  // Lets a window repaint during long work; nothing to do without windows.
  virtual void ProcessEvents() {}
  // A notice: a message about one line or record of a long piece of work
  // (notices.h keeps their number in bounds). Without windows each is a
  // message as it comes; windows gather them and show them together in one
  // box at EndNotices, when the work is over.
  virtual void Notice(std::string_view text) { Message(text); }
  virtual void EndNotices() {}
  // Whether OpenFolder can show a folder: only windows have a file manager
  // to show it in.
  virtual bool OpensFolders() const { return false; }
  // Shows folder in the file manager; false when it cannot be shown.
  virtual bool OpenFolder(const std::filesystem::path& /*folder*/) { return false; }
};

}  // namespace tessivar
