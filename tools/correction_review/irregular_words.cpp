#include "irregular_words.h"

#include <algorithm>
#include <regex>

#include "text/cp932.h"

namespace tessivar::review {

namespace {

// A floor at the end of a building's word: the building keeps its name as
// Japan Post writes it, brackets and all ("名駅ミッドランドスクエア（高層棟）（１階）").
const std::wregex kFloor(L"[（(]([0-9０-９]+階|地階|地階[・･]階層不明|階層不明)[）)]$");
const std::wregex kReadingFloor(L"\\(([0-9]+ｶｲ|ﾁｶｲ|ﾁｶｲ･ｶｲｿｳﾌﾒｲ|ｶｲｿｳﾌﾒｲ)\\)$");

// A lot number with its sub-numbers and its word: "５３１６番地１６７",
// "６９６－３番地", "２７９の３", "１４番".
const std::wstring kLot = L"[0-9０-９]+(?:(?:[－\\-の]|番地|番)[0-9０-９]+)*(?:番地|番|号)?";
// A range of lot numbers at the end of the word: the rules keep it whole, a
// set of lots being one place.
const std::wregex kLotRange(L"(?:" + kLot + L")[～~](?:" + kLot + L")$");

const std::wstring kBrackets = L"（）()〔〕［］[]｛｝{}【】＜＞<>〈〉《》";
const std::wstring kQuoteMarks = L"「」『』｢｣\"＂“”";
const std::wstring kListMarks = L"、､，,＠@";
const std::wstring kReadingBrackets = L"()<>";
const std::wstring kReadingListMarks = L"､,@";
const std::vector<std::wstring> kPhrases = {L"を除く", L"以外", L"その他", L"の次に"};

std::wstring Wide(TextView text) { return std::wstring(text.begin(), text.end()); }
std::string Quoted(const std::wstring& text) { return "\"" + ToUtf8(Text(text.begin(), text.end())) + "\""; }

// The first character of text that is among marks, as a quoted text.
std::string FirstOf(const std::wstring& text, const std::wstring& marks) {
  const auto at = text.find_first_of(marks);
  return at == std::wstring::npos ? std::string() : Quoted(text.substr(at, 1));
}

void Marks(const std::wstring& text, bool floor, std::vector<std::string>& found) {
  if (std::string b = FirstOf(text, kBrackets); !b.empty() && !floor) found.push_back("a bracket " + b);
  if (std::string q = FirstOf(text, kQuoteMarks); !q.empty()) found.push_back("a quote mark " + q);
  if (std::string l = FirstOf(text, kListMarks); !l.empty()) found.push_back("a list mark " + l);
  for (const std::wstring& phrase : kPhrases) {
    if (text.find(phrase) != std::wstring::npos) found.push_back("the phrase " + Quoted(phrase));
  }
}

void RangeMarks(const std::wstring& text, Ranges ranges, std::vector<std::string>& found) {
  const size_t count =
      std::count(text.begin(), text.end(), L'～') + std::count(text.begin(), text.end(), L'~');
  if (count == 0) return;
  if (ranges == Ranges::kAll) {
    found.push_back("a range \"～\"");
  } else if (count > 1 || !std::regex_search(text, kLotRange)) {
    found.push_back("a range \"～\" that is no range of lot numbers at its end");
  }
}

std::vector<std::string> KanjiIrregularities(TextView text, Ranges ranges) {
  const std::wstring wide = Wide(text);
  std::vector<std::string> found;
  Marks(wide, std::regex_search(wide, kFloor), found);
  RangeMarks(wide, ranges, found);
  return found;
}

}  // namespace

long Cp932Bytes(TextView text) {
  long bytes = 0;
  for (char16_t c : text) bytes += c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F) ? 1 : 2;
  return bytes;
}

std::vector<std::string> LengthIrregularities(TextView word) {
  if (word.empty()) return {"an empty word"};
  if (const long bytes = Cp932Bytes(word); bytes > kMaxWordBytes)
    return {"over the length limit: " + std::to_string(bytes) + " bytes of code page 932, " +
            std::to_string(kMaxWordBytes) + " at most"};
  return {};
}

std::vector<std::string> WordIrregularities(TextView word, Ranges ranges) {
  if (word.empty()) return LengthIrregularities(word);
  std::vector<std::string> found = KanjiIrregularities(word, ranges);
  for (std::string& reason : LengthIrregularities(word)) found.push_back(std::move(reason));
  return found;
}

std::vector<std::string> TownIrregularities(TextView town, Ranges ranges) {
  return KanjiIrregularities(town, ranges);
}

std::vector<std::string> ReadingIrregularities(TextView reading) {
  const std::wstring wide = Wide(reading);
  std::vector<std::string> found;
  const bool floor = std::regex_search(wide, kReadingFloor);
  if (std::string b = FirstOf(wide, kReadingBrackets); !b.empty() && !floor)
    found.push_back("a bracket " + b + " in the reading");
  if (std::string l = FirstOf(wide, kReadingListMarks); !l.empty())
    found.push_back("a list mark " + l + " in the reading");
  return found;
}

}  // namespace tessivar::review
