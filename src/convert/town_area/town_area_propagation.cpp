// Prefix and tail propagation over the parts of a parenthesised list. Both
// run on the kanji list and on the kana list independently.
#include <algorithm>

#include "convert/town_area/town_area_steps.h"

namespace tessivar::town_area {

namespace {

bool IsRangeMark(const Script& script, char16_t c) { return script.range_marks.find(c) != TextView::npos; }

bool StopsTail(const Script& script, char16_t c) {
  return IsDigit(c) || c == script.open || c == script.comma || IsRangeMark(script, c) ||
         c == script.quote_close;
}

// Under kKeepShortWholeNumbers, parts of exactly these lengths stand alone.
bool IsShortWholeNumberLength(const Script& script, size_t length) {
  return length == 3 || length == (script.is_kana ? 7u : 5u);
}

}  // namespace

// ex. ("２丁目１～３", "５") -> ("２丁目１～３", "２丁目５");
//     ("１番５号", "７号") stays as it is: a part that does not end with a
//     digit after the remembered prefix forgets it.
void PropagatePrefixes(std::vector<Text>& parts, const Script& script, PrefixRule rule) {
  Text prefix;
  Text candidate;
  for (Text& part : parts) {
    candidate.clear();
    int digits = 0, letters = 0, digit_after_letters = 0;
    bool stopped = false;
    char16_t last_seen = 0;
    for (char16_t c : part) {
      last_seen = c;
      if (IsDigit(c)) {
        if (letters > 0) {
          digit_after_letters = 1;
          stopped = true;
          break;
        }
        candidate.push_back(c);
        ++digits;
      } else if (IsRangeMark(script, c)) {
        continue;
      } else {
        if (digits == 0) {
          candidate.clear();
          stopped = true;
          break;
        }
        candidate.push_back(c);
        ++letters;
      }
    }
    bool decide = true;
    if (rule == PrefixRule::kKeepPendingCandidate) {
      decide = !(!candidate.empty() && digits > 0 && letters > 0 && digit_after_letters == 0);
    } else if (rule == PrefixRule::kKeepShortWholeNumbers) {
      decide = !(!stopped && IsShortWholeNumberLength(script, part.size()) && part == candidate);
    }
    if (decide) {
      if (!candidate.empty() && digits > 0 && letters > 0 && digit_after_letters > 0) {
        prefix = candidate;
      } else if (!prefix.empty() && last_seen != script.quote_close) {
        part.insert(0, prefix);
      }
    }
    if (stopped && (part.empty() || !IsDigit(part.back()))) prefix.clear();
  }
}

// ex. ("１", "３", "５番地") -> ("１番地", "３番地", "５番地") with tails
//     ("番地", "番地", "番地"); "以上" is not a tail: "３丁目以上" has "丁目".
void PropagateTails(std::vector<Text>& parts, std::vector<Text>& tails, const Script& script) {
  tails.resize(parts.size());
  Text tail;
  Text candidate;
  // The candidate is collected backwards and turned round once, so that a
  // long part costs its length, not its length squared.
  const Text at_least_backwards(script.at_least.rbegin(), script.at_least.rend());
  for (size_t i = parts.size(); i-- > 0;) {
    Text& part = parts[i];
    candidate.clear();
    bool at_quote = false;
    for (size_t j = part.size(); j-- > 0;) {
      char16_t c = part[j];
      if (StopsTail(script, c)) {
        at_quote = c == script.quote_close;
        break;
      }
      candidate.push_back(c);
      if (candidate == at_least_backwards) candidate.clear();
    }
    std::reverse(candidate.begin(), candidate.end());
    if (!candidate.empty())
      tail = candidate;
    else if (!tail.empty() && !at_quote)
      part += tail;
    tails[i] = at_quote ? Text() : tail;
  }
}

}  // namespace tessivar::town_area
