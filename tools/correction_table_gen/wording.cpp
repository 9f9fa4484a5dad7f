#include "wording.h"

#include <cstdlib>

namespace correction_gen {

std::vector<Character> Characters(const std::string& utf8) {
  std::vector<Character> out;
  for (size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (size_t k = 1; k < length && i + k < utf8.size(); ++k)
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out.push_back({code, utf8.substr(i, length)});
    i += length;
  }
  return out;
}

std::string NarrowDigits(const std::string& utf8) {
  std::string out;
  for (const Character& c : Characters(utf8)) {
    if (c.code >= U'０' && c.code <= U'９') {
      out += static_cast<char>('0' + (c.code - U'０'));
    } else {
      out += c.utf8;
    }
  }
  return out;
}

std::vector<std::string> Numbers(const std::string& utf8) {
  std::vector<std::string> numbers;
  std::string current;
  for (char c : NarrowDigits(utf8) + " ") {
    if (c >= '0' && c <= '9') {
      current += c;
    } else if (!current.empty()) {
      numbers.push_back(current);
      current.clear();
    }
  }
  return numbers;
}

std::vector<std::string> SplitList(const std::string& list, const std::string& sep) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (true) {
    auto at = list.find(sep, start);
    parts.push_back(list.substr(start, at == std::string::npos ? std::string::npos : at - start));
    if (at == std::string::npos) return parts;
    start = at + sep.size();
  }
}

std::string Protected(const std::string& town) {
  if (town.find("（") == std::string::npos || town.find("「") == std::string::npos) return town;
  std::string out;
  int quoted = 0;
  for (const Character& c : Characters(town)) {
    if (c.code == U'「') ++quoted;
    if (c.code == U'」' && quoted > 0) --quoted;
    out += c.code == U'、' && quoted > 0 ? "＠" : c.utf8;
  }
  return out;
}

std::optional<std::vector<std::string>> PartsOf(const std::string& town) {
  const std::string open = "（", close = "）";
  const auto at = town.find(open);
  if (at == std::string::npos) return std::nullopt;
  std::string inner = Protected(town).substr(at + open.size());
  if (inner.size() >= close.size() && inner.compare(inner.size() - close.size(), close.size(), close) == 0)
    inner.resize(inner.size() - close.size());
  return SplitList(inner, "、");
}

std::vector<Range> RangesOf(const std::string& town) {
  std::vector<Range> ranges;
  const std::string text = NarrowDigits(town), tilde = "～";
  for (auto at = text.find(tilde); at != std::string::npos; at = text.find(tilde, at + 1)) {
    const std::vector<std::string> before = Numbers(text.substr(0, at));
    const std::string after = text.substr(at + tilde.size());
    auto digit = after.find_first_of("0123456789");
    // The number right after the range mark, past a word such as "第".
    if (before.empty() || digit == std::string::npos ||
        after.substr(0, digit).find(tilde) != std::string::npos)
      continue;
    ranges.push_back({std::atol(before.back().c_str()), std::atol(after.c_str() + digit)});
  }
  return ranges;
}

}  // namespace correction_gen
