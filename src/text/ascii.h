#pragma once
// Helpers for the ASCII parts of UTF-8 text: keys, names, verbs and SQL words
// that are matched without regard to the case of Latin letters, and the
// trimming of blanks around them. Other characters pass through unchanged.
#include <string>
#include <string_view>

namespace text {

// Upper-cases ASCII letters only; other characters stay as they are.
std::string UpperAscii(std::string_view s);

// Equal, or s begins or ends with the other, without regard to the case of
// Latin letters.
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
bool EndsWithNoCase(std::string_view s, std::string_view suffix);

// s without the leading, trailing or surrounding characters of chars (by
// default the half-width blank).
std::string_view TrimLeft(std::string_view s, std::string_view chars = " ");
std::string_view TrimRight(std::string_view s, std::string_view chars = " ");
std::string_view TrimSpaces(std::string_view s, std::string_view chars = " ");

}  // namespace text
