#include "dialogs/notices.h"

namespace tessivar {

namespace {

constexpr std::string_view kVaries = "…";
constexpr std::string_view kQuoteOpen = "「";
constexpr std::string_view kQuoteClose = "」";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string NoticeKind(std::string_view text) {
  std::string kind;
  kind.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    if (IsDigit(text[i])) {
      while (i < text.size() && IsDigit(text[i])) ++i;
      kind += kVaries;
    } else if (text.substr(i).starts_with(kQuoteOpen)) {
      const size_t close = text.find(kQuoteClose, i + kQuoteOpen.size());
      if (close == std::string_view::npos) {
        kind += text.substr(i);
        break;
      }
      kind += kQuoteOpen;
      kind += kVaries;
      kind += kQuoteClose;
      i = close + kQuoteClose.size();
    } else {
      kind += text[i++];
    }
  }
  return kind;
}

void Notices::Say(std::string_view text) {
  if (++counts_[NoticeKind(text)] <= kShownPerKind) dialogs_.Notice(text);
}

void Notices::Finish() {
  for (const auto& [kind, count] : counts_) {
    if (count <= kShownPerKind) continue;
    dialogs_.Notice("『" + kind + "』は " + std::to_string(kShownPerKind) + " 件を超えたため、ほかの " +
                    std::to_string(count - kShownPerKind) + " 件は表示しませんでした。");
  }
  counts_.clear();
  dialogs_.EndNotices();
}

}  // namespace tessivar
