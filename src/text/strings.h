#pragma once
// String helpers with the classic 1-based semantics the conversion rules are
// written in (Len, Left, Right, Mid, InStr, Replace, Trim), so that a rule in
// the code reads like the rule on paper. Positions and lengths count UTF-16
// units, which are characters for all code page 932 text.
//
// Left/Right/Mid return views into their argument: copy the result into a
// std::u16string before changing the text it came from.
#include <string>
#include <string_view>
#include <vector>

#include "text/vb_error.h"

namespace text {

using Text = std::u16string;
using TextView = std::u16string_view;

inline long Len(TextView s) { return static_cast<long>(s.size()); }

// First n characters (all of s when n >= Len). n < 0 throws InvalidArgument.
TextView Left(TextView s, long n);
// Last n characters. n < 0 throws InvalidArgument.
TextView Right(TextView s, long n);
// From position start to the end; empty past the end. start < 1 throws.
TextView Mid(TextView s, long start);
// n characters from position start. start < 1 or n < 0 throws.
TextView Mid(TextView s, long start, long n);

// Position (1-based) of the first find at or after start; 0 when absent.
// An empty find gives start (when start <= Len + 1). start < 1 throws.
long InStr(long start, TextView s, TextView find);
inline long InStr(TextView s, TextView find) { return InStr(1, s, find); }
inline bool Contains(TextView s, TextView find) { return s.find(find) != TextView::npos; }

// Every occurrence of find replaced by with, left to right; an empty find
// leaves s unchanged.
Text Replace(TextView s, TextView find, TextView with);
// Replaces in place; returns whether anything was replaced.
bool ReplaceIn(Text& s, TextView find, TextView with);

// Removes leading and trailing half-width blanks only, as the classic Trim.
TextView Trim(TextView s);
// Removes leading and trailing half-width and full-width blanks.
TextView TrimBlanks(TextView s);

// A digit for the rules: half-width 0-9 or full-width ０-９.
inline bool IsDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'０' && c <= u'９'); }
// Value of a digit of either width.
inline int DigitValue(char16_t c) { return c <= u'9' ? c - u'0' : c - u'０'; }

// The number formed by the digits (either width) at the start of s; 0 when
// there are none. Leading half-width blanks are skipped; reading stops once
// the number exceeds a billion. The UTF-8 form reads half-width digits.
long LeadingNumber(TextView s);
long LeadingNumber(std::string_view s);
// Whole text as a number, or TypeMismatch when it is not a decimal integer
// (surrounding blanks allowed), Overflow when it has more than nine digits
// after its leading zeros: no number of the data comes near that.
inline constexpr int kMaxNumberDigits = 9;
long ToNumber(TextView s);

// Decimal text with half-width digits, and with full-width digits.
Text Decimal(long n);
Text FullWidthDecimal(long n);

// A control character: U+0000 to U+001F, U+007F to U+009F.
inline bool IsControlCharacter(char16_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }
// Whether s holds one; eight characters at a time, as every input line is
// looked through.
bool HasControlCharacter(TextView s);
// Whether s holds a CR or LF, looked for the same way.
bool HasLineEnd(TextView s);

// Pieces of s between every sep (an empty s gives one empty piece).
std::vector<Text> Split(TextView s, TextView sep);

inline bool StartsWith(TextView s, TextView p) { return s.substr(0, p.size()) == p; }
inline bool EndsWith(TextView s, TextView p) {
  return s.size() >= p.size() && s.substr(s.size() - p.size()) == p;
}

// Appends views without temporaries: Concat(a, b, c).
template <typename... Parts>
Text Concat(const Parts&... parts) {
  Text out;
  out.reserve((TextView(parts).size() + ...));
  (out.append(TextView(parts)), ...);
  return out;
}

}  // namespace text
