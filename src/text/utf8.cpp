#include "text/utf8.h"

#include <cstdint>

namespace text {

namespace {

// The bytes a multi-byte sequence begun by lead continues with: how many, and
// the range of the first (the others are all 0x80 to 0xBF); none when lead
// begins no sequence. The narrow ranges keep out overlong forms, surrogates
// and code points beyond U+10FFFF.
struct Continuation {
  int count;
  unsigned char first_min, first_max;
};

Continuation ContinuationOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {1, 0x80, 0xBF};
  if (lead == 0xE0) return {2, 0xA0, 0xBF};
  if (lead == 0xED) return {2, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {2, 0x80, 0xBF};
  if (lead == 0xF0) return {3, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3) return {3, 0x80, 0xBF};
  if (lead == 0xF4) return {3, 0x80, 0x8F};
  return {0, 0, 0};
}

char16_t* AppendCodePoint(char32_t c, char16_t* target) {
  if (c < 0x10000) {
    *target++ = static_cast<char16_t>(c);
  } else {
    *target++ = static_cast<char16_t>(0xD7C0 + (c >> 10));
    *target++ = static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
  return target;
}

}  // namespace

bool DecodeUtf8(std::string_view bytes, std::u16string& out) {
  out.resize(bytes.size());  // never more UTF-16 units than bytes
  char16_t* target = out.data();
  const auto* source = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = source + bytes.size();
  bool valid = true;
  while (source < end) {
    const unsigned char lead = *source++;
    if (lead < 0x80) {
      *target++ = lead;
      continue;
    }
    const Continuation next = ContinuationOf(lead);
    char32_t c = lead & (0x3F >> next.count);
    int taken = 0;
    for (; taken < next.count && source < end; ++taken, ++source) {
      const unsigned char min = taken == 0 ? next.first_min : 0x80;
      const unsigned char max = taken == 0 ? next.first_max : 0xBF;
      if (*source < min || *source > max) break;
      c = c << 6 | (*source & 0x3Fu);
    }
    if (next.count == 0 || taken < next.count) {
      // The bytes so far stand as one U+FFFD; the one that broke the sequence
      // begins the next.
      *target++ = u'\uFFFD';
      valid = false;
      continue;
    }
    target = AppendCodePoint(c, target);
  }
  out.resize(static_cast<size_t>(target - out.data()));
  return valid;
}

std::u16string FromUtf8(std::string_view utf8) {
  std::u16string out;
  DecodeUtf8(utf8, out);
  return out;
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDFFF) {
      const bool pair = c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      c = pair ? 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00u) : U'\uFFFD';
    }
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | c >> 18);
      out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace text
