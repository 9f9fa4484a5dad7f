#include "text/width.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace text {

namespace {

// Transliterators are not safe for concurrent use; one lock covers both.
std::mutex& IcuLock() {
  static std::mutex lock;
  return lock;
}

icu::Transliterator& Transliterator(const char* id) {
  UErrorCode status = U_ZERO_ERROR;
  auto* t = icu::Transliterator::createInstance(icu::UnicodeString(id), UTRANS_FORWARD, status);
  if (U_FAILURE(status) || !t) throw std::runtime_error(std::string("ICU has no transliterator ") + id);
  return *t;  // lives for the whole program, like the tables built from it
}

icu::Transliterator& NarrowTransliterator() {
  static icu::Transliterator& t = Transliterator("Fullwidth-Halfwidth");
  return t;
}

icu::Transliterator& WidenTransliterator() {
  static icu::Transliterator& t = Transliterator("Halfwidth-Fullwidth");
  return t;
}

std::u16string RunIcu(icu::Transliterator& t, std::u16string_view text) {
  icu::UnicodeString s(reinterpret_cast<const UChar*>(text.data()), static_cast<int32_t>(text.size()));
  {
    std::lock_guard<std::mutex> guard(IcuLock());
    t.transliterate(s);
  }
  return std::u16string(reinterpret_cast<const char16_t*>(s.getBuffer()), static_cast<size_t>(s.length()));
}

#include "width_tables.inc"

// What the transliterator makes of each BMP character standing alone, from
// the tables text_tables_gen made of it at build time: the characters it may
// change (a few hundred) as pairs, every other character stays as it is.
// Held by blocks of 256 characters, and only the few blocks with a change:
// all 65,536 would be 128 KiB of memory touched anew by the first text.
class CharTable {
 public:
  CharTable(const uint16_t* singles, size_t single_count, const uint16_t* multis, size_t multi_count,
            const uint16_t* pool)
      : multis_(multis), multi_count_(multi_count), pool_(pool) {
    for (size_t i = 0; i < single_count; ++i)
      Block(singles[2 * i])[singles[2 * i] & 0xFF] = singles[2 * i + 1];
    for (size_t i = 0; i < multi_count; ++i) Block(multis[3 * i])[multis[3 * i] & 0xFF] = 0;
  }

  // Kept small, so that it is inlined into the loops over whole texts.
  void Append(char16_t c, std::u16string& out) const {
    const char16_t* block = blocks_[c >> 8].get();
    const char16_t single = block ? block[c & 0xFF] : c;
    if (single != 0 || c == 0) {
      out.push_back(single);
    } else {
      AppendMulti(c, out);
    }
  }

 private:
  // The voiced kana of every reading come here; the table lists them in
  // character order, three numbers each: character, offset in the pool, length.
  void AppendMulti(char16_t c, std::u16string& out) const {
    size_t low = 0, high = multi_count_;
    while (low < high) {
      const size_t mid = (low + high) / 2;
      if (multis_[mid * 3] < c)
        low = mid + 1;
      else
        high = mid;
    }
    if (low < multi_count_ && multis_[low * 3] == c)
      out.append(reinterpret_cast<const char16_t*>(pool_ + multis_[low * 3 + 1]), multis_[low * 3 + 2]);
  }

  // The block of c, made with every character standing for itself.
  char16_t* Block(char16_t c) {
    auto& block = blocks_[c >> 8];
    if (!block) {
      block = std::make_unique<char16_t[]>(256);
      for (unsigned low = 0; low < 256; ++low) block[low] = static_cast<char16_t>((c & 0xFF00) | low);
    }
    return block.get();
  }

  std::array<std::unique_ptr<char16_t[]>, 256> blocks_;  // empty: every character stays
  const uint16_t* multis_;
  size_t multi_count_;
  const uint16_t* pool_;
};

const CharTable& NarrowTable() {
  static const auto* table =
      new CharTable(kNarrowSingles, kNarrowSinglesCount, kNarrowMultis, kNarrowMultisCount, kNarrowPool);
  return *table;
}

const CharTable& WidenTable() {
  static const auto* table =
      new CharTable(kWidenSingles, kWidenSinglesCount, kWidenMultis, kWidenMultisCount, kWidenPool);
  return *table;
}

bool IsSoundMark(char16_t c) { return c == u'ﾞ' || c == u'ﾟ'; }

}  // namespace

std::u16string Narrow(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size() + 4);
  AppendNarrow(text, out);
  return out;
}

void AppendNarrow(std::u16string_view text, std::u16string& out) {
  const CharTable& table = NarrowTable();
  for (char16_t c : text) table.Append(c, out);
}

std::u16string Widen(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  AppendWide(text, out);
  return out;
}

void AppendWide(std::u16string_view text, std::u16string& out) {
  // Half-width sound marks combine with the kana before them; leave such
  // text to the transliterator itself.
  for (char16_t c : text) {
    if (IsSoundMark(c)) {
      out += WidenByIcu(text);
      return;
    }
  }
  const CharTable& table = WidenTable();
  for (char16_t c : text) table.Append(c, out);
}

std::u16string NarrowByIcu(std::u16string_view text) { return RunIcu(NarrowTransliterator(), text); }
std::u16string WidenByIcu(std::u16string_view text) { return RunIcu(WidenTransliterator(), text); }

}  // namespace text
