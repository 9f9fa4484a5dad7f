#include "icu_reference.h"

#include <unicode/translit.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

#include <memory>
#include <stdexcept>

namespace text {

namespace {

UConverter* Strict() {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("windows-31j", &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no windows-31j converter");
  ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return cnv;
}

// One converter each way for the whole test process (tests run one at a time).
UConverter* Decoder() {
  static UConverter* cnv = Strict();
  return cnv;
}

UConverter* Encoder() {
  static UConverter* cnv = Strict();
  return cnv;
}

icu::Transliterator& Transliterator(const char* id) {
  UErrorCode status = U_ZERO_ERROR;
  auto* t = icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status);
  if (U_FAILURE(status) || !t) throw std::runtime_error(std::string("ICU has no transliterator ") + id);
  return *t;  // lives for the whole test process
}

std::u16string Transliterate(icu::Transliterator& t, std::u16string_view text) {
  icu::UnicodeString s(reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()));
  t.transliterate(s);
  return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length()));
}

}  // namespace

bool Cp932DecodeByIcu(std::string_view bytes, std::u16string& out) {
  UConverter* decoder = Decoder();
  out.resize(bytes.size());  // never more UTF-16 units than bytes
  ucnv_resetToUnicode(decoder);
  UChar* const begin = reinterpret_cast<UChar*>(out.data());
  UChar* target = begin;
  const char* source = bytes.data();
  const char* const end = source + bytes.size();
  bool valid = true;
  while (true) {
    UErrorCode status = U_ZERO_ERROR;
    const char* before = source;
    ucnv_toUnicode(decoder, &target, begin + out.size(), &source, end, nullptr, true, &status);
    if (U_SUCCESS(status)) break;
    if (source == before) ++source;  // never stand still on a bad byte
    // The converter has consumed the bad bytes: mark the place and go on.
    valid = false;
    *target++ = u'\uFFFD';
    ucnv_resetToUnicode(decoder);
  }
  out.resize(static_cast<size_t>(target - begin));
  return valid;
}

bool Cp932EncodeByIcu(std::u16string_view text, std::string& out, size_t* bad_index) {
  UConverter* encoder = Encoder();
  const size_t start = out.size();
  out.resize(start + text.size() * 2);  // at most two bytes per character
  ucnv_resetFromUnicode(encoder);
  char* target = out.data() + start;
  const UChar* source = reinterpret_cast<const UChar*>(text.data());
  const UChar* source_begin = source;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(encoder, &target, out.data() + out.size(), &source, source + text.size(), nullptr, true,
                   &status);
  out.resize(static_cast<size_t>(target - out.data()));
  if (U_SUCCESS(status)) return true;
  if (bad_index) {
    // The converter has consumed the offending character; step back over it.
    size_t consumed = static_cast<size_t>(source - source_begin);
    *bad_index = consumed > 0 ? consumed - 1 : 0;
  }
  return false;
}

bool DecodeUtf8ByIcu(std::string_view bytes, std::u16string& out) {
  out.resize(bytes.size());
  int32_t length = 0;
  int32_t substitutions = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length,
                       bytes.data(), static_cast<int32_t>(bytes.size()), 0xFFFD, &substitutions, &status);
  out.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
  return U_SUCCESS(status) && substitutions == 0;
}

std::u16string FromUtf8ByIcu(std::string_view utf8) {
  auto u = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return std::u16string(reinterpret_cast<const char16_t*>(u.getBuffer()), static_cast<size_t>(u.length()));
}

std::string ToUtf8ByIcu(std::u16string_view text) {
  std::string out;
  icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()))
      .toUTF8String(out);
  return out;
}

std::u16string NarrowByIcu(std::u16string_view text) {
  static icu::Transliterator& t = Transliterator("Fullwidth-Halfwidth");
  return Transliterate(t, text);
}

std::u16string WidenByIcu(std::u16string_view text) {
  static icu::Transliterator& t = Transliterator("Halfwidth-Fullwidth");
  return Transliterate(t, text);
}

}  // namespace text
