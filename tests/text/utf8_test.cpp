#include "text/utf8.h"

#include <gtest/gtest.h>

#include "icu_reference.h"

namespace text {
namespace {

// UTF-8 both ways exactly as ICU: every sequence of up to four bytes taken
// from the bytes at the edges of every range the decoding tells apart, every
// two bytes and every three from a lead byte, each code point's own bytes;
// every UTF-16 unit alone and before each kind of unit, every pair.
TEST(Utf8, AgreesWithIcu) {
  std::u16string ours, icu;
  const auto decode_alike = [&](const std::string& bytes) {
    ASSERT_EQ(DecodeUtf8(bytes, ours), DecodeUtf8ByIcu(bytes, icu));
    ASSERT_EQ(ours, icu);
    ASSERT_EQ(FromUtf8(bytes), FromUtf8ByIcu(bytes));
  };
  const unsigned char edges[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0,
                                 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0,
                                 0xF1, 0xF3, 0xF4, 0xF5, 0xF7, 0xF8, 0xFB, 0xFC, 0xFE, 0xFF};
  std::string bytes;
  for (unsigned char a : edges) {
    for (unsigned char b : edges) {
      for (unsigned char c : edges) {
        for (unsigned char d : edges) {
          bytes = {static_cast<char>(a), static_cast<char>(b), static_cast<char>(c), static_cast<char>(d)};
          for (size_t size = 1; size <= 4; ++size) {
            decode_alike(bytes.substr(0, size));
            decode_alike(bytes.substr(0, size) + "a");
            ASSERT_FALSE(HasFailure()) << std::hex << a + 0 << " " << b + 0 << " " << c + 0 << " " << d + 0;
          }
        }
      }
    }
  }
  for (unsigned a = 0; a < 256; ++a) {
    for (unsigned b = 0; b < 256; ++b) {
      for (unsigned c = a < 0xC0 ? 256 : 0; c <= 256; ++c) {  // 256: none
        bytes = {static_cast<char>(a), static_cast<char>(b)};
        if (c < 256) bytes += static_cast<char>(c);
        decode_alike(bytes);
        ASSERT_FALSE(HasFailure()) << std::hex << a << " " << b << " " << c;
      }
    }
  }
  for (char32_t c = 0; c < 0x110000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string text = c < 0x10000 ? std::u16string(1, static_cast<char16_t>(c))
                                            : std::u16string{static_cast<char16_t>(0xD7C0 + (c >> 10)),
                                                             static_cast<char16_t>(0xDC00 | (c & 0x3FF))};
    const std::string utf8 = ToUtf8(text);
    ASSERT_EQ(utf8, ToUtf8ByIcu(text)) << std::hex << static_cast<uint32_t>(c);
    decode_alike(utf8);
    ASSERT_FALSE(HasFailure()) << std::hex << static_cast<uint32_t>(c);
  }
  for (char32_t c = 0; c < 0x10000; ++c) {
    for (const char16_t next : {u'a', u'\xD800', u'\xDBFF', u'\xDC00', u'\xDFFF', u'亜'}) {
      const std::u16string text{static_cast<char16_t>(c), next};
      ASSERT_EQ(ToUtf8(text), ToUtf8ByIcu(text)) << std::hex << static_cast<uint32_t>(c);
      ASSERT_EQ(ToUtf8(text.substr(0, 1)), ToUtf8ByIcu(text.substr(0, 1)))
          << std::hex << static_cast<uint32_t>(c);
    }
  }
}

}  // namespace
}  // namespace text
