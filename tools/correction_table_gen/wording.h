#pragma once
// The wording an alternative was made for, read as the town-area rules read
// a town text: its bracketed list of parts and the number ranges it names.
#include <optional>
#include <string>
#include <vector>

namespace correction_gen {

// One character of a UTF-8 text: its code point and its bytes.
struct Character {
  char32_t code;
  std::string utf8;
};
std::vector<Character> Characters(const std::string& utf8);

// "１５" -> "15": full-width digits read as ASCII; other characters as they are.
std::string NarrowDigits(const std::string& utf8);

// The numbers of a text in order, full- or half-width ("西５～８線" -> 5, 8).
std::vector<std::string> Numbers(const std::string& utf8);

// The town text with the commas inside its quoted notes protected as the
// rules protect them: "、" inside 「」 written "＠" (when it has "（" too).
std::string Protected(const std::string& town);

// The parts of the town text's bracketed list, split at "、" outside 「」
// as the rules split them ("花田町（北原、その他）" -> 北原, その他); none
// when the text has no "（".
std::optional<std::vector<std::string>> PartsOf(const std::string& town);

// The list of a `set parts` value: the text split at sep.
std::vector<std::string> SplitList(const std::string& list, const std::string& sep);

// The number ranges of a text: the last number before each "～" and the
// first after it ("種市第１地割～第３地割" -> 1 to 3); a "～" without a number
// on each side names none.
struct Range {
  long first, last;
};
std::vector<Range> RangesOf(const std::string& town);

}  // namespace correction_gen
