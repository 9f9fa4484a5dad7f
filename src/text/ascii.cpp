#include "text/ascii.h"

namespace text {

std::string UpperAscii(std::string_view s) {
  std::string out(s);
  for (auto& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperAscii(a) == UpperAscii(b);
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

bool EndsWithNoCase(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

std::string_view TrimLeft(std::string_view s, std::string_view chars) {
  const size_t first = s.find_first_not_of(chars);
  return s.substr(first == std::string_view::npos ? s.size() : first);
}

std::string_view TrimRight(std::string_view s, std::string_view chars) {
  const size_t last = s.find_last_not_of(chars);
  return s.substr(0, last == std::string_view::npos ? 0 : last + 1);
}

std::string_view TrimSpaces(std::string_view s, std::string_view chars) {
  return TrimRight(TrimLeft(s, chars), chars);
}

}  // namespace text
