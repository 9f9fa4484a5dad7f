#include "text/cp932.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <cstdint>
#include <cstring>

namespace text {

namespace {

#include "cp932_tables.inc"

constexpr uint16_t kNoCharacter = 0xFFFF;
constexpr uint16_t kLeadByte = 0xFFFE;    // in kCp932Single
constexpr uint16_t kTrailAgain = 0xFFFE;  // in kCp932Rows: the second byte begins the next character
constexpr uint16_t kNothing = 0xFFFE;     // in kCp932OneWay: written as no bytes
// Room after the end of a text for the block that decodes or encodes its last run.
constexpr size_t kRunSlack = 16;

// The code page 932 form of c: one byte (below 0x100), two (the lead byte in
// the high half) or kNoCharacter.
uint16_t EncodedForm(char16_t c) { return kCp932Pages[kCp932PageOf[c >> 8] * 256u + (c & 0xFFu)]; }

// The entry (character, code) of c among the characters whose bytes read
// back as another, or null when c has no form at all.
const uint16_t* FindOneWay(char16_t c) {
  size_t low = 0, high = kCp932OneWayCount;
  while (low < high) {
    const size_t mid = (low + high) / 2;
    if (kCp932OneWay[2 * mid] < c)
      low = mid + 1;
    else
      high = mid;
  }
  return low < kCp932OneWayCount && kCp932OneWay[2 * low] == c ? kCp932OneWay + 2 * low : nullptr;
}

bool IsWrittenAsNothing(char32_t c) {
  for (size_t i = 0; i < kCp932SupplementaryNothingCount; ++i) {
    if (c >= kCp932SupplementaryNothing[2 * i] && c <= kCp932SupplementaryNothing[2 * i + 1]) return true;
  }
  return false;
}

// Ends an encoding that failed at bad: the bytes before it stay in out.
bool Failed(std::string& out, const char* target, size_t* bad_index, size_t bad) {
  out.resize(static_cast<size_t>(target - out.data()));
  if (bad_index) *bad_index = bad;
  return false;
}

// Printable ASCII stands for itself both ways (the converter moves a few
// control characters), and the half-width katakana are the bytes A1 to DF
// both ways, each its character less kKanaOffset: so runs of both (the codes,
// numbers, quotes, commas and readings of every line) go many at a time.
constexpr bool IsPrintableAscii(unsigned c) { return c >= 0x20 && c < 0x7F; }
constexpr char16_t kFirstKana = u'\uFF61';
constexpr char16_t kLastKana = u'\uFF9F';
constexpr unsigned kKanaOffset = kFirstKana - 0xA1;
constexpr bool IsHalfWidthKana(unsigned c) { return c >= kFirstKana && c <= kLastKana; }
constexpr bool RunsStandForThemselves() {
  for (unsigned b = 0x20; b < 0x7F; ++b) {
    if (kCp932Single[b] != b || kCp932Pages[kCp932PageOf[0] * 256u + b] != b) return false;
  }
  for (unsigned c = kFirstKana; c <= kLastKana; ++c) {
    const unsigned b = c - kKanaOffset;
    if (kCp932Single[b] != c || kCp932Pages[kCp932PageOf[c >> 8] * 256u + (c & 0xFFu)] != b) return false;
  }
  return true;
}
static_assert(RunsStandForThemselves());

#ifdef __SSE2__
// The run of printable ASCII and half-width katakana at the start of the
// sixteen bytes of block, decoded into target (all sixteen written; those
// after the run are garbage to be written over). Returns the run's length.
size_t DecodeRun(__m128i block, char16_t* target) {
  // Signed: the bytes from 0x80 are below 0x20, A1 to DF are -95 to -33.
  const __m128i printable =
      _mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(0x1F)), _mm_cmplt_epi8(block, _mm_set1_epi8(0x7F)));
  const __m128i kana = _mm_and_si128(_mm_cmpgt_epi8(block, _mm_set1_epi8(static_cast<char>(0xA0))),
                                     _mm_cmplt_epi8(block, _mm_set1_epi8(static_cast<char>(0xE0))));
  const int in_run = _mm_movemask_epi8(_mm_or_si128(printable, kana));
  const __m128i zero = _mm_setzero_si128();
  const __m128i offset = _mm_set1_epi16(static_cast<short>(kKanaOffset));
  const __m128i low =
      _mm_add_epi16(_mm_unpacklo_epi8(block, zero), _mm_and_si128(_mm_unpacklo_epi8(kana, kana), offset));
  const __m128i high =
      _mm_add_epi16(_mm_unpackhi_epi8(block, zero), _mm_and_si128(_mm_unpackhi_epi8(kana, kana), offset));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(target), low);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(target + 8), high);
  return static_cast<size_t>(__builtin_ctz(~in_run | 0x10000));
}

// The same for encoding the eight characters of block into target (eight
// bytes written).
size_t EncodeRun(__m128i block, char* target) {
  // c - 0x20 <= 0x5E and c - kFirstKana <= 0x3E without sign: each a
  // saturated difference of 0.
  const __m128i zero = _mm_setzero_si128();
  const __m128i printable =
      _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(block, _mm_set1_epi16(0x20)), _mm_set1_epi16(0x5E)), zero);
  const __m128i kana =
      _mm_cmpeq_epi16(_mm_subs_epu16(_mm_sub_epi16(block, _mm_set1_epi16(static_cast<short>(kFirstKana))),
                                     _mm_set1_epi16(kLastKana - kFirstKana)),
                      zero);
  const int in_run = _mm_movemask_epi8(_mm_or_si128(printable, kana));
  const __m128i bytes =
      _mm_sub_epi16(block, _mm_and_si128(kana, _mm_set1_epi16(static_cast<short>(kKanaOffset))));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(target), _mm_packus_epi16(bytes, bytes));
  return static_cast<size_t>(__builtin_ctz(~in_run | 0x10000)) / 2;
}
#endif

}  // namespace

bool Cp932::Decode(std::string_view bytes, std::u16string& out) {
  // Never more UTF-16 units than bytes, and room for a run's last block.
  out.resize(bytes.size() + kRunSlack);
  char16_t* target = out.data();
  const auto* source = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = source + bytes.size();
  bool valid = true;
  while (source < end) {
    uint16_t c = kCp932Single[*source];
#ifdef __SSE2__
    if (IsPrintableAscii(*source) || IsHalfWidthKana(c)) {
      // Block after block while the run fills them.
      size_t run = 16;
      for (; run == 16 && end - source >= 16; source += run, target += run)
        run = DecodeRun(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source)), target);
      if (run == 16 && source < end) {
        // The last bytes, followed by zeros, which end the run.
        alignas(16) unsigned char last[16] = {};
        std::memcpy(last, source, static_cast<size_t>(end - source));
        run = DecodeRun(_mm_load_si128(reinterpret_cast<const __m128i*>(last)), target);
        source += run;
        target += run;
      }
      continue;
    }
#endif
    if (c < kLeadByte) {
      *target++ = c;
      ++source;
      continue;
    }
    // A bad sequence stands as U+FFFD, and the rest is decoded as usual: a
    // byte that is no character, a lead byte the text ends after, a pair that
    // is none (its second byte begins the next character when it cannot
    // follow a lead byte).
    if (c != kLeadByte) {
      *target++ = u'\uFFFD';
      ++source;
      valid = false;
      continue;
    }
    // Two-byte characters one after another (kanji, full-width forms).
    do {
      if (end - source < 2) {
        *target++ = u'\uFFFD';
        ++source;
        valid = false;
        break;
      }
      c = kCp932Rows[kCp932LeadRow[source[0]] * 256u + source[1]];
      if (c < kTrailAgain) {
        *target++ = c;
        source += 2;
      } else {
        *target++ = u'\uFFFD';
        source += c == kTrailAgain ? 1 : 2;
        valid = false;
      }
    } while (source < end && kCp932Single[*source] == kLeadByte);
  }
  out.resize(static_cast<size_t>(target - out.data()));
  return valid;
}

bool Cp932::Encode(std::u16string_view text, std::string& out, size_t* bad_index, bool* reads_back) {
  // The table holds only characters whose bytes decode back to them.
  if (reads_back) *reads_back = true;
  const size_t start = out.size();
  // At most two bytes per character, and room for a run's last block.
  out.resize(start + text.size() * 2 + kRunSlack);
  char* target = out.data() + start;
  const char16_t* source = text.data();
  const char16_t* const end = source + text.size();
  while (source < end) {
    const char16_t c = *source++;
    const uint16_t code = EncodedForm(c);
    // Two bytes first: the kanji and full-width forms of the word list.
    if (code >= 0x100 && code != kNoCharacter) {
      *target++ = static_cast<char>(code >> 8);
      *target++ = static_cast<char>(code & 0xFF);
      continue;
    }
#ifdef __SSE2__
    if (IsPrintableAscii(c) || IsHalfWidthKana(c)) {
      // Block after block while the run fills them.
      --source;
      size_t run = 8;
      for (; run == 8 && end - source >= 8; source += run, target += run)
        run = EncodeRun(_mm_loadu_si128(reinterpret_cast<const __m128i*>(source)), target);
      if (run == 8 && source < end) {
        // The last characters, followed by zeros, which end the run.
        alignas(16) char16_t last[8] = {};
        std::memcpy(last, source, static_cast<size_t>(end - source) * sizeof(char16_t));
        run = EncodeRun(_mm_load_si128(reinterpret_cast<const __m128i*>(last)), target);
        source += run;
        target += run;
      }
      continue;
    }
#endif
    if (code < 0x100) {
      *target++ = static_cast<char>(code);
      continue;
    }
    if (reads_back) *reads_back = false;
    const size_t index = static_cast<size_t>(source - 1 - text.data());
    if (c >= 0xD800 && c <= 0xDFFF) {
      // A character beyond the BMP has no form here, but a few format
      // characters are left out; the index of a failure is that of its
      // second half. Half a pair alone fails at itself.
      if (c <= 0xDBFF && source < end && *source >= 0xDC00 && *source <= 0xDFFF) {
        const char32_t pair = 0x10000 + ((c - 0xD800u) << 10) + (*source++ - 0xDC00u);
        if (IsWrittenAsNothing(pair)) continue;
        return Failed(out, target, bad_index, index + 1);
      }
      return Failed(out, target, bad_index, index);
    }
    const uint16_t* one_way = FindOneWay(c);
    if (!one_way) return Failed(out, target, bad_index, index);
    if (one_way[1] == kNothing) continue;
    if (one_way[1] > 0xFF) *target++ = static_cast<char>(one_way[1] >> 8);
    *target++ = static_cast<char>(one_way[1] & 0xFF);
  }
  out.resize(static_cast<size_t>(target - out.data()));
  return true;
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

}  // namespace text
