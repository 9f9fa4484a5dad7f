#include "dialogs/batch_dialogs.h"

namespace tessivar {

void BatchDialogs::Print(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += ' ';
    } else {
      line += text[i];
    }
  }
  out_ << line << '\n' << std::flush;
}

void BatchDialogs::Message(std::string_view text) { Print(text); }

bool BatchDialogs::Ask(std::string_view text) {
  Print(text);
  return answer_yes_;
}

}  // namespace tessivar
