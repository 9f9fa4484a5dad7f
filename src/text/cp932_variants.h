#pragma once
// Characters that Unicode text (Japan Post's UTF-8 file, or what a Linux
// input method types) writes where code page 932 has a look-alike of its own:
// the wave dash 〜 stands for ～ and the minus sign − for － (「１〜３丁目」 is
// 「１～３丁目」 in KEN_ALL.CSV).
#include <string>

namespace text {

struct Cp932Variant {
  char16_t unicode;  // as Unicode text writes it
  char16_t cp932;    // the character code page 932 holds
};

inline constexpr Cp932Variant kCp932Variants[] = {{u'\u301C', u'\uFF5E'}, {u'\u2212', u'\uFF0D'}};

// text with every variant replaced by its code-page-932 look-alike.
inline std::u16string WithCp932Variants(std::u16string text) {
  for (char16_t& c : text) {
    for (const Cp932Variant& variant : kCp932Variants) {
      if (c == variant.unicode) c = variant.cp932;
    }
  }
  return text;
}

}  // namespace text
