#pragma once
// The values of the builder's settings file in the form the converter writes
// it: UTF-8, the file marked by a byte-order mark. A Linux folder name may
// hold any byte but "/" and NUL, also line ends and bytes that are no UTF-8,
// which a line of text cannot: those bytes and "%" are written as "%" and two
// hex digits, everything else as it stands, so that the file stays readable
// and every name comes back byte for byte. Header only, like the rest of the
// hand-off.
#include <string>
#include <string_view>

namespace handoff {

// The first bytes of the settings file in this form.
inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

namespace detail {

// Length of the well-formed UTF-8 sequence at the start of bytes, or 0.
inline size_t Utf8SequenceLength(std::string_view bytes) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (bytes.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

}  // namespace detail

inline std::string EscapeSettingsValue(std::string_view bytes) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  while (!bytes.empty()) {
    const auto lead = static_cast<unsigned char>(bytes.front());
    const size_t length = detail::Utf8SequenceLength(bytes);
    if (length == 0 || lead < 0x20 || lead == 0x7F || lead == '%') {
      out += '%';
      out += kHex[lead >> 4];
      out += kHex[lead & 0x0F];
      bytes.remove_prefix(1);
    } else {
      out += bytes.substr(0, length);
      bytes.remove_prefix(length);
    }
  }
  return out;
}

// The bytes of an escaped value; a "%" without two hex digits after it stands
// for itself.
inline std::string UnescapeSettingsValue(std::string_view text) {
  const auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  };
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && hex(text[i + 1]) >= 0 && hex(text[i + 2]) >= 0) {
      out += static_cast<char>(hex(text[i + 1]) * 16 + hex(text[i + 2]));
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

}  // namespace handoff
