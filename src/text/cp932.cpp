#include "text/cp932.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>
#include <unicode/unistr.h>

#include <stdexcept>

namespace text {

namespace {

UConverter* OpenStrict() {
  UErrorCode status = U_ZERO_ERROR;
  UConverter* cnv = ucnv_open("windows-31j", &status);
  if (U_FAILURE(status)) throw std::runtime_error("ICU has no windows-31j converter");
  ucnv_setToUCallBack(cnv, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  ucnv_setFromUCallBack(cnv, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
  return cnv;
}

}  // namespace

Cp932::Cp932() : decoder_(OpenStrict()), encoder_(OpenStrict()) {}

Cp932::~Cp932() {
  ucnv_close(decoder_);
  ucnv_close(encoder_);
}

bool Cp932::Decode(std::string_view bytes, std::u16string& out) {
  out.resize(bytes.size());  // never more UTF-16 units than bytes
  ucnv_resetToUnicode(decoder_);
  UChar* const begin = reinterpret_cast<UChar*>(out.data());
  UChar* target = begin;
  const char* source = bytes.data();
  const char* const end = source + bytes.size();
  bool valid = true;
  while (true) {
    UErrorCode status = U_ZERO_ERROR;
    const char* before = source;
    ucnv_toUnicode(decoder_, &target, begin + out.size(), &source, end, nullptr, true, &status);
    if (U_SUCCESS(status)) break;
    if (source == before) ++source;  // never stand still on a bad byte
    // The converter has consumed the bad bytes: mark the place and go on, so
    // the rest of the line is kept.
    valid = false;
    *target++ = u'\uFFFD';
    ucnv_resetToUnicode(decoder_);
  }
  out.resize(static_cast<size_t>(target - begin));
  return valid;
}

bool Cp932::Encode(std::u16string_view text, std::string& out, size_t* bad_index) {
  const size_t start = out.size();
  out.resize(start + text.size() * 2);  // at most two bytes per character
  ucnv_resetFromUnicode(encoder_);
  char* target = out.data() + start;
  const UChar* source = reinterpret_cast<const UChar*>(text.data());
  const UChar* source_begin = source;
  UErrorCode status = U_ZERO_ERROR;
  ucnv_fromUnicode(encoder_, &target, out.data() + out.size(), &source, source + text.size(), nullptr, true,
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

namespace {

// Length of the UTF-8 multi-byte sequence starting at s[0] (2 to 4), or 0
// when it is not one. A sequence cut off by the end of s counts as valid.
size_t Utf8SequenceLength(std::string_view s) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(0);
  const size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                   : lead >= 0xE0 && lead <= 0xEF ? 3
                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                  : 0;
  for (size_t i = 1; i < n && i < s.size(); ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return n;
}

}  // namespace

std::string_view ForeignEncoding(std::string_view head) {
  if (head.starts_with("\xEF\xBB\xBF")) return "UTF-8";
  if (head.starts_with("\xFF\xFE") || head.starts_with("\xFE\xFF")) return "UTF-16";
  bool multi_byte = false;
  for (size_t i = 0; i < head.size();) {
    if (static_cast<unsigned char>(head[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Utf8SequenceLength(head.substr(i));
    if (n == 0) return {};
    multi_byte = true;
    i += n;
  }
  return multi_byte ? "UTF-8" : "";
}

std::u16string FromUtf8(std::string_view utf8) {
  auto u = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  return std::u16string(reinterpret_cast<const char16_t*>(u.getBuffer()), static_cast<size_t>(u.length()));
}

std::string ToUtf8(std::u16string_view text) {
  std::string out;
  icu::UnicodeString(false, reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()))
      .toUTF8String(out);
  return out;
}

}  // namespace text
