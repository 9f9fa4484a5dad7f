#include "text/width.h"

#include <array>
#include <cstdint>
#include <memory>

namespace text {

namespace {

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

// Half-width sound marks join the kana before them: ｶﾞ becomes ガ. They are
// the only second characters of the pairs the widening makes one, and the
// narrowing makes none.
bool IsSoundMark(char16_t c) { return c == u'ﾞ' || c == u'ﾟ'; }
constexpr bool OnlySoundMarksJoin() {
  for (size_t i = 0; i < kWidenPairsCount; ++i) {
    if (kWidenPairs[3 * i + 1] != u'ﾞ' && kWidenPairs[3 * i + 1] != u'ﾟ') return false;
  }
  return kNarrowPairsCount == 0;
}
static_assert(OnlySoundMarksJoin());

// The full-width kana first and mark make together, or 0 when they stay two
// (the pairs in order of first, then mark).
char16_t JoinedWide(char16_t first, char16_t mark) {
  size_t low = 0, high = kWidenPairsCount;
  while (low < high) {
    const size_t mid = (low + high) / 2;
    const uint16_t* pair = kWidenPairs + 3 * mid;
    if (pair[0] < first || (pair[0] == first && pair[1] < mark))
      low = mid + 1;
    else
      high = mid;
  }
  const uint16_t* pair = kWidenPairs + 3 * low;
  return low < kWidenPairsCount && pair[0] == first && pair[1] == mark ? pair[2] : 0;
}

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
  const CharTable& table = WidenTable();
  for (size_t i = 0; i < text.size(); ++i) {
    if (i + 1 < text.size() && IsSoundMark(text[i + 1])) {
      if (const char16_t joined = JoinedWide(text[i], text[i + 1])) {
        out.push_back(joined);
        ++i;
        continue;
      }
    }
    table.Append(text[i], out);
  }
}

}  // namespace text
