#include "text/strings.h"

#include <type_traits>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace text {

TextView Left(TextView s, long n) {
  if (n < 0) throw InvalidArgument();
  return s.substr(0, static_cast<size_t>(n));
}

TextView Right(TextView s, long n) {
  if (n < 0) throw InvalidArgument();
  if (static_cast<size_t>(n) >= s.size()) return s;
  return s.substr(s.size() - static_cast<size_t>(n));
}

TextView Mid(TextView s, long start) {
  if (start < 1) throw InvalidArgument();
  if (static_cast<size_t>(start) > s.size()) return {};
  return s.substr(static_cast<size_t>(start - 1));
}

TextView Mid(TextView s, long start, long n) {
  if (start < 1 || n < 0) throw InvalidArgument();
  if (static_cast<size_t>(start) > s.size()) return {};
  return s.substr(static_cast<size_t>(start - 1), static_cast<size_t>(n));
}

long InStr(long start, TextView s, TextView find) {
  if (start < 1) throw InvalidArgument();
  if (static_cast<size_t>(start) > s.size() + 1) return 0;
  auto pos = s.find(find, static_cast<size_t>(start - 1));
  return pos == TextView::npos ? 0 : static_cast<long>(pos) + 1;
}

Text Replace(TextView s, TextView find, TextView with) {
  Text out(s);
  ReplaceIn(out, find, with);
  return out;
}

bool ReplaceIn(Text& s, TextView find, TextView with) {
  if (find.empty()) return false;
  auto pos = s.find(find);
  if (pos == Text::npos) return false;
  Text out;
  out.reserve(s.size());
  size_t from = 0;
  while (pos != Text::npos) {
    out.append(s, from, pos - from);
    out.append(with);
    from = pos + find.size();
    pos = s.find(find, from);
  }
  out.append(s, from);
  s = std::move(out);
  return true;
}

namespace {
TextView TrimWhere(TextView s, bool full_width_too) {
  auto blank = [&](char16_t c) { return c == u' ' || (full_width_too && c == u'　'); };
  size_t b = 0, e = s.size();
  while (b < e && blank(s[b])) ++b;
  while (e > b && blank(s[e - 1])) --e;
  return s.substr(b, e - b);
}
}  // namespace

TextView Trim(TextView s) { return TrimWhere(s, false); }
TextView TrimBlanks(TextView s) { return TrimWhere(s, true); }

namespace {
// Both forms of LeadingNumber: a byte of UTF-8 text, taken as a character
// code, is never a full-width digit.
template <typename Char>
long LeadingNumberOf(std::basic_string_view<Char> s) {
  auto unit = [](Char c) { return static_cast<char16_t>(static_cast<std::make_unsigned_t<Char>>(c)); };
  size_t i = 0;
  while (i < s.size() && s[i] == Char(' ')) ++i;
  long n = 0;
  for (; i < s.size() && IsDigit(unit(s[i])) && n <= 1'000'000'000; ++i) n = n * 10 + DigitValue(unit(s[i]));
  return n;
}
}  // namespace

long LeadingNumber(TextView s) { return LeadingNumberOf(s); }
long LeadingNumber(std::string_view s) { return LeadingNumberOf(s); }

long ToNumber(TextView s) {
  // The usual case, a few half-width digits (a postal code, once per
  // output record), at once.
  if (!s.empty() && s.size() <= static_cast<size_t>(kMaxNumberDigits)) {
    long n = 0;
    size_t i = 0;
    for (; i < s.size() && s[i] >= u'0' && s[i] <= u'9'; ++i) n = n * 10 + (s[i] - u'0');
    if (i == s.size()) return n;
  }
  TextView t = Trim(s);
  bool negative = !t.empty() && t[0] == u'-';
  if (negative) t.remove_prefix(1);
  if (t.empty()) throw TypeMismatch();
  long n = 0;
  int digits = 0;
  for (char16_t c : t) {
    if (!IsDigit(c)) throw TypeMismatch();
    if (n > 0 || DigitValue(c) > 0) ++digits;
    if (digits > kMaxNumberDigits) throw Overflow();
    n = n * 10 + DigitValue(c);
  }
  return negative ? -n : n;
}

Text Decimal(long n) {
  auto ascii = std::to_string(n);
  return Text(ascii.begin(), ascii.end());
}

Text FullWidthDecimal(long n) {
  Text out = Decimal(n);
  for (auto& c : out) {
    if (c >= u'0' && c <= u'9')
      c = static_cast<char16_t>(c - u'0' + u'０');
    else if (c == u'-')
      c = u'－';
  }
  return out;
}

bool HasControlCharacter(TextView s) {
  const char16_t* at = s.data();
  const char16_t* const end = at + s.size();
#ifdef __SSE2__
  const __m128i c0_last = _mm_set1_epi16(0x1F);
  const __m128i c1_first = _mm_set1_epi16(0x7F);
  const __m128i c1_span = _mm_set1_epi16(0x9F - 0x7F);
  const __m128i zero = _mm_setzero_si128();
  for (; end - at >= 8; at += 8) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    // c <= 0x1F, and c - 0x7F <= 0x20 without sign: each a saturated
    // difference of 0.
    const __m128i c0 = _mm_cmpeq_epi16(_mm_subs_epu16(c, c0_last), zero);
    const __m128i c1 = _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(c, c1_first), c1_span), zero);
    if (_mm_movemask_epi8(_mm_or_si128(c0, c1)) != 0) return true;
  }
#endif
  for (; at < end; ++at) {
    if (IsControlCharacter(*at)) return true;
  }
  return false;
}

bool HasLineEnd(TextView s) {
  const char16_t* at = s.data();
  const char16_t* const end = at + s.size();
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi16(u'\r');
  const __m128i lf = _mm_set1_epi16(u'\n');
  for (; end - at >= 8; at += 8) {
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(c, cr), _mm_cmpeq_epi16(c, lf))) != 0) return true;
  }
#endif
  for (; at < end; ++at) {
    if (*at == u'\r' || *at == u'\n') return true;
  }
  return false;
}

std::vector<Text> Split(TextView s, TextView sep) {
  std::vector<Text> parts;
  size_t from = 0;
  while (true) {
    auto pos = sep.empty() ? TextView::npos : s.find(sep, from);
    parts.emplace_back(s.substr(from, pos == TextView::npos ? TextView::npos : pos - from));
    if (pos == TextView::npos) return parts;
    from = pos + sep.size();
  }
}

}  // namespace text
