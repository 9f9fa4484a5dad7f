#include "mozc_import_rules.h"

#include <set>
#include <sstream>

namespace tessivar::e2e {

namespace {

constexpr size_t kMaxFieldBytes = 300;

std::vector<std::string> SplitAt(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::istringstream in(line);
  std::string field;
  while (std::getline(in, field, separator)) fields.push_back(field);
  if (!line.empty() && line.back() == separator) fields.emplace_back();
  return fields;
}

bool PlainAscii(const std::string& reading) {
  for (char c : reading) {
    if (c < 0x21 || c > 0x7E) return false;
  }
  return true;
}

// Why Mozc would not take the entry whole; empty when it would.
std::string Refusal(const std::vector<std::string>& fields) {
  if (fields.size() < 3) return "fewer than three fields";
  if (fields.size() > 4) return "more than four fields";
  for (const std::string& field : fields) {
    if (field.find_first_of("\r\n") != std::string::npos) return "line break inside a field";
    if (field.size() > kMaxFieldBytes) return "field longer than 300 bytes";
  }
  const std::string& reading = fields[0];
  if (reading.empty() || !PlainAscii(reading)) return "reading not plain ASCII";
  if (fields[1].empty()) return "empty word";
  if (fields[2] != "地名その他") return "part of speech";
  return {};
}

}  // namespace

MozcImport CheckMozcImport(const std::string& utf8_text) {
  MozcImport result;
  if (utf8_text.rfind("!Microsoft IME", 0) != 0) {
    result.refused.push_back("no Microsoft IME header");
    return result;
  }
  std::set<std::string> taken;  // reading, word and part of speech
  size_t from = 0;
  while (from < utf8_text.size()) {
    size_t end = utf8_text.find("\r\n", from);
    if (end == std::string::npos) end = utf8_text.size();
    const std::string line = utf8_text.substr(from, end - from);
    from = end + 2;
    if (line.empty() || line[0] == '!') continue;
    ++result.entries;
    const std::vector<std::string> fields = SplitAt(line, '\t');
    if (std::string why = Refusal(fields); !why.empty()) {
      result.refused.push_back(why + ": " + line);
      continue;
    }
    if (!taken.insert(fields[0] + '\t' + fields[1] + '\t' + fields[2]).second) ++result.merged;
  }
  if (result.entries - result.merged > kMozcMaxEntries)
    result.refused.push_back("more than 1,000,000 entries");
  return result;
}

}  // namespace tessivar::e2e
